#include "access/OperationsController.h"

#include "access/AccessAttributeFormat.h"
#include "access/AccessEditor.h"
#include "access/AccessSettingsReader.h"
#include "access/OperationsCatalogue.h"
#include "access/RoutineErrorReport.h"
#include "clearcase/CCase.h"
#include "shell/BusyState.h"
#include "shell/ErrorReporter.h"
#include "shell/MainContext.h"
#include "shell/MainWindow.h"
#include "util/AppInfo.h"
#include "util/ListRoutines.h"
#include "util/Prompter.h"
#include "util/TextRoutines.h"
#include "util/ZanError.h"

#include <QComboBox>
#include <QDate>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalBlocker>

using namespace ListRoutines;
namespace Format = AccessAttributeFormat;

namespace {

const QString component = QStringLiteral("OperationsController");

// The stop message keeps the size it was designed with: 3012 x 1000 twips.
int twipsToPixels(int twips)
{
    return qRound(twips / 15.0);
}

} // namespace

OperationsController::OperationsController(MainContext &context) : m_ctx(context)
{
    MainWindow &form = m_ctx.form;
    connect(form.zanSubList, &QListWidget::currentRowChanged, this, &OperationsController::pickerSelectionChanged);
    connect(form.zanSubList, &QListWidget::itemDoubleClicked, this, &OperationsController::addOperation);
    form.zanSubList->installEventFilter(this);

    MainHooks &hooks = m_ctx.hooks;
    hooks.populateOperationsList = [this](bool skipBaseLists, bool includeUcm) {
        populateOperationsList(skipBaseLists, includeUcm);
    };
    hooks.hideSubLists = [this] { hideSubLists(); };
    hooks.showStopMsg = [this](bool show) { showStopMsg(show); };
    hooks.selectOperation = [this] { selectOperation(); };
    hooks.saveUserListToElem = [this](const QStringList &before) { return saveUserListToElem(before); };
    hooks.deleteOperation = [this] { deleteOperation(); };
}

QString OperationsController::stopMessage(const QString &operation)
{
    const QString &crlf = AppInfo::crlf;
    return QStringLiteral("Operation \"") + operation + QStringLiteral("\" can only be applied ") + crlf +
           QStringLiteral("to the VOB root (VOB folder).  Select the  ") + crlf +
           QStringLiteral("VOB root.  This applies to the entire VOB, ") + crlf + QStringLiteral("not per element.");
}

void OperationsController::populateOperationsList(bool skipBaseLists, bool includeUcm)
{
    try {
        ItemList picker(m_ctx.form.zanSubList);
        picker.clear();
        if (!skipBaseLists) {
            setListBoxFromString(OperationsCatalogue::elementOperations(), picker);
            setListBoxFromString(OperationsCatalogue::typeOperations(), picker);
        }
        if (includeUcm)
            setListBoxFromString(OperationsCatalogue::ucmOperations(), picker);
        else
            delStringFromListBox(OperationsCatalogue::ucmOperations(), picker);
        if (picker.count() > 0)
            picker.setCurrentIndex(0);
        removeSetOperationsFromPicker();
    } catch (...) {
        m_ctx.errors.reportBoxed(ZanError::current(component), QStringLiteral("Error encountered::populateOperationsList()"));
    }
}

// Operations the element already carries are not offered. When the selected first entry is
// one of them the picker is left without a selection (and no other entry's step runs).
void OperationsController::removeSetOperationsFromPicker()
{
    QListWidget *picker = m_ctx.form.zanSubList;
    const ItemList operations(m_ctx.form.zanList[0]);
    const QSignalBlocker blocker(picker);
    QListWidgetItem *selected = picker->currentItem();
    for (int i = 0; i < operations.count(); ++i) {
        const int index = indexOfExact(operations.text(i), ItemList(picker));
        if (index < 0)
            continue;
        if (picker->item(index) == selected)
            selected = nullptr;
        delete picker->takeItem(index);
    }
    if (selected) {
        picker->setCurrentItem(selected);
    } else {
        picker->setCurrentRow(-1);
        picker->clearSelection();
    }
}

bool OperationsController::isPrivilegedOperation(const QString &operation)
{
    try {
        return OperationsCatalogue::isPrivileged(operation, m_ctx.hooks.getPrivOperations());
    } catch (...) {
        m_ctx.errors.reportBoxed(ZanError::current(component), QStringLiteral("Error encountered::isPrivilegedOperation()"));
        return false;
    }
}

void OperationsController::pickerSelectionChanged()
{
    const QListWidgetItem *item = m_ctx.form.zanSubList->currentItem();
    if (!item)
        return;
    const bool atVobRoot =
        m_ctx.form.selectedElemTxt->text() == Format::vobRootElement(m_ctx.form.vobRootTxt->text());
    showStopMsg(isPrivilegedOperation(item->text()) && !atVobRoot);
}

void OperationsController::showStopMsg(bool show)
{
    MainWindow &form = m_ctx.form;
    try {
        // Hiding always works, so a message left over from an emptied picker can go too.
        if (!show) {
            form.stopImage->hide();
            form.stopMsgTxt->hide();
            return;
        }
        if (form.zanSubList->count() == 0)
            return;
        const QListWidgetItem *item = form.zanSubList->currentItem();
        const QString operation = item ? item->text() : QString();
        form.stopImage->show();
        QString shown = stopMessage(operation);
        form.stopMsgTxt->setPlainText(shown.replace(AppInfo::crlf, QStringLiteral("\n")));
        form.stopMsgTxt->setFixedSize(twipsToPixels(3012), twipsToPixels(1000));
        form.stopMsgTxt->show();
    } catch (...) {
        m_ctx.errors.reportBoxed(ZanError::current(component), QStringLiteral("Error encountered::showStopMsg()"));
    }
}

void OperationsController::hideSubLists()
{
    MainWindow &form = m_ctx.form;
    try {
        form.selectUserCombo->hide();
        form.selectGroupCombo->hide();
        form.zanSubList->hide();
        form.streamSubList->hide();
        form.projSubList->hide();
    } catch (...) {
    }
    showStopMsg(false);
}

QString OperationsController::selectedOperation() const
{
    const QList<QListWidgetItem *> selected = m_ctx.form.zanList[0]->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

ElementLocation OperationsController::location() const
{
    const MainWindow &form = m_ctx.form;
    return {form.selectedElemTxt->text(), form.vobRootTxt->text(), form.vobTagTxt->text()};
}

void OperationsController::addOperation()
{
    MainWindow &form = m_ctx.form;
    const QListWidgetItem *picked = form.zanSubList->currentItem();
    // Without a picked operation there is nothing to add (an empty name would make a "__" type).
    if (form.mainList->count() == 0 || MainWindow::isShown(form.stopImage) || form.vobTagTxt->text().isEmpty() ||
        !picked)
        return;
    try {
        form.zanSubList->hide();
        const QString operation = picked->text();
        AccessEditor editor(m_ctx.ccase.clearCase());
        if (RoutineErrorReport::run(m_ctx.prompter, RoutineErrorReport::makeAttype, [&] { editor.ensureAttributeType(location(), Format::typeName(operation)); })) {
            bool added = false;
            RoutineErrorReport::run(m_ctx.prompter, RoutineErrorReport::addAttribute,
                    [&] { added = editor.addOperation(location(), operation, m_ctx.hooks.getPrivOperations()); });
            ItemList operations(form.zanList[0]);
            if (added && !is_dup_list(operation, operations)) {
                operations.add(operation);
                selectListItem(operation, operations);
            }
        }
        m_ctx.hooks.doApplyAllChecked();
    } catch (...) {
        m_ctx.errors.reportWithSupportLine(ZanError::current(component));
    }
}

bool OperationsController::saveUserListToElem(const QStringList &before)
{
    MainWindow &form = m_ctx.form;
    try {
        const ItemList users(form.zanList[1]);
        QStringList entries;
        for (int i = 0; i < users.count(); ++i)
            entries << users.text(i);
        if (!entries.isEmpty())
            m_ctx.busy.setBusy(true);
        const QString operation = selectedOperation();
        if (operation.isEmpty()) {
            m_ctx.busy.setBusy(false);
            m_ctx.prompter.message(QStringLiteral("Must select an operation first."),
                                   QStringLiteral("No operation selected..."), Prompter::Icon::Exclamation);
            return false;
        }
        QStringList stored;
        const bool written = RoutineErrorReport::run(m_ctx.prompter, RoutineErrorReport::addAttribute, [&] {
            stored = AccessEditor(m_ctx.ccase.clearCase())
                         .changeUsers(location(), operation, AccessListChange::between(before, entries),
                                      m_ctx.hooks.getPrivOperations());
        });
        if (written && stored != entries)
            showStoredUsers(stored);
        m_ctx.busy.setBusy(false);
        return written;
    } catch (...) {
        m_ctx.errors.reportWithSupportLine(ZanError::current(component));
        return false;
    }
}

// Another administrator changed the list meanwhile: the list shows what is stored now.
void OperationsController::showStoredUsers(const QStringList &stored)
{
    ItemList users(m_ctx.form.zanList[1]);
    users.clear();
    for (const QString &user : stored) {
        if (!is_dup_list(user, users))
            users.add(user);
    }
}

void OperationsController::deleteOperation()
{
    MainWindow &form = m_ctx.form;
    const QString operation = selectedOperation();
    if (operation.isEmpty())
        return;
    try {
        AccessEditor(m_ctx.ccase.clearCase()).deleteOperation(location(), operation);
        {
            const QSignalBlocker blocker(form.zanList[0]);
            removeListItem(operation, ItemList(form.zanList[0]));
            form.zanList[0]->setCurrentRow(-1);
            form.zanList[0]->clearSelection();
        }
        form.zanList[1]->clear();
    } catch (...) {
        m_ctx.errors.reportBoxed(ZanError::current(component), QStringLiteral("deleteOperation()"));
    }
}

// A privileged operation shows the VOB root's value, the one that is enforced, also when the
// element carries a copy of its own; an edit then starts from that value.
void OperationsController::selectOperation()
{
    MainWindow &form = m_ctx.form;
    if (form.mainList->count() == 0)
        return;
    try {
        hideSubLists();
        const QString operation = selectedOperation();
        if (operation.isEmpty())
            return;
        form.userGroupLbl->setText(QStringLiteral("User(s) with \"") + operation + QStringLiteral("\" privilege"));
        ItemList users(form.zanList[1]);
        ItemList groups(form.zanList[2]);
        if (form.selectedElemTxt->text().isEmpty()) {
            groups.clear();
            return;
        }
        ElementSettings settings;
        RoutineErrorReport::run(m_ctx.prompter, RoutineErrorReport::readAttribute, [&] {
            settings = AccessSettingsReader(m_ctx.ccase.clearCase()).read(location(), m_ctx.hooks.getPrivOperations());
        });
        const OperationSetting *setting = settings.find(operation);
        users.clear();
        ItemList chooser(form.selectUserCombo);
        for (const QString &user : setting ? setting->users : QStringList()) {
            if (!is_dup_list(user, users))
                users.add(user);
            if (!is_dup_list(user, chooser))
                chooser.add(user);
        }
        groups.clear();
        setListBoxFromString(TextRoutines::commaJoin(settings.groups), groups);
    } catch (...) {
        m_ctx.errors.reportWithSupportLine(ZanError::current(component));
    }
}

bool OperationsController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_ctx.form.zanSubList && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            addOperation();
            hideSubLists();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
