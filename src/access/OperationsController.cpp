#include "access/OperationsController.h"

#include "access/AccessAttributeFormat.h"
#include "access/AccessEditor.h"
#include "access/AccessSettingsReader.h"
#include "access/ApplyPurgeController.h"
#include "access/OperationsCatalogue.h"
#include "access/RoutineErrorReport.h"
#include "clearcase/CCase.h"
#include "shell/BusyState.h"
#include "shell/ErrorReporter.h"
#include "shell/MainContext.h"
#include "shell/MainWindow.h"
#include "shell/WorkingState.h"
#include "util/AppInfo.h"
#include "util/ListRoutines.h"
#include "util/Prompter.h"
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

OperationsController::OperationsController(MainContext &context, ApplyPurgeController &applier)
    : m_ctx(context), m_applier(applier)
{
    MainWindow &form = m_ctx.form;
    connect(form.zanSubList, &QListWidget::currentRowChanged, this, &OperationsController::pickerSelectionChanged);
    connect(form.zanSubList, &QListWidget::itemDoubleClicked, this, &OperationsController::addOperation);
    form.zanSubList->installEventFilter(this);
    connect(&m_ctx.state, &WorkingState::operationSelected, this, &OperationsController::showOperation);
    populateOperationsList(false);
}

QString OperationsController::stopMessage(const QString &operation)
{
    const QString &crlf = AppInfo::crlf;
    return QStringLiteral("Operation \"") + operation + QStringLiteral("\" can only be applied ") + crlf +
           QStringLiteral("to the VOB root (VOB folder).  Select the  ") + crlf +
           QStringLiteral("VOB root.  This applies to the entire VOB, ") + crlf + QStringLiteral("not per element.");
}

void OperationsController::populateOperationsList(bool includeUcm)
{
    QListWidget *picker = m_ctx.form.zanSubList;
    picker->clear();
    picker->addItems(OperationsCatalogue::offeredOperations(includeUcm));
    if (picker->count() > 0)
        picker->setCurrentRow(0);
    removeSetOperationsFromPicker(OperationsCatalogue::offeredFor(m_ctx.state.operations(), includeUcm));
}

// Operations the element already carries are not offered. When the selected first entry is
// one of them the picker is left without a selection (and no other entry's step runs).
void OperationsController::removeSetOperationsFromPicker(const QStringList &offer)
{
    QListWidget *picker = m_ctx.form.zanSubList;
    const QSignalBlocker blocker(picker);
    QListWidgetItem *selected = picker->currentItem();
    for (int row = picker->count() - 1; row >= 0; --row) {
        if (offer.contains(picker->item(row)->text()))
            continue;
        if (picker->item(row) == selected)
            selected = nullptr;
        delete picker->takeItem(row);
    }
    if (selected) {
        picker->setCurrentItem(selected);
    } else {
        picker->setCurrentRow(-1);
        picker->clearSelection();
    }
}

void OperationsController::pickerSelectionChanged()
{
    const QListWidgetItem *item = m_ctx.form.zanSubList->currentItem();
    if (item)
        showStopMsg(m_ctx.state.stopsAt(item->text()));
}

void OperationsController::showStopMsg(bool show)
{
    MainWindow &form = m_ctx.form;
    // Hiding always works, so a message left over from an emptied picker can go too.
    if (!show || form.zanSubList->count() == 0) {
        if (!show)
            m_ctx.state.setStopShown(false);
        return;
    }
    const QListWidgetItem *item = form.zanSubList->currentItem();
    QString shown = stopMessage(item ? item->text() : QString());
    form.stopMsgTxt->setPlainText(shown.replace(AppInfo::crlf, QStringLiteral("\n")));
    form.stopMsgTxt->setFixedSize(twipsToPixels(3012), twipsToPixels(1000));
    m_ctx.state.setStopShown(true);
}

void OperationsController::hideSubLists()
{
    m_ctx.hideSubLists();
}

const ElementLocation &OperationsController::location() const
{
    return m_ctx.state.location();
}

void OperationsController::addOperation()
{
    MainWindow &form = m_ctx.form;
    const QListWidgetItem *picked = form.zanSubList->currentItem();
    // Without a picked operation there is nothing to add (an empty name would make a "__" type).
    if (form.mainList->count() == 0 || m_ctx.state.stopShown() || location().vobTag.isEmpty() ||
        !picked)
        return;
    try {
        form.zanSubList->hide();
        const QString operation = picked->text();
        AccessEditor editor(m_ctx.ccase.clearCase());
        if (RoutineErrorReport::run(m_ctx.prompter, RoutineErrorReport::makeAttype, [&] { editor.ensureAttributeType(location(), Format::typeName(operation)); })) {
            bool added = false;
            RoutineErrorReport::run(m_ctx.prompter, RoutineErrorReport::addAttribute,
                    [&] { added = editor.addOperation(location(), operation, m_ctx.state.privilegedList()); });
            if (added)
                m_ctx.state.addOperation(operation);
        }
        m_applier.doApplyAllChecked();
    } catch (...) {
        m_ctx.errors.reportWithSupportLine(ZanError::current(component));
    }
}

bool OperationsController::saveUserListToElem(const QStringList &before)
{
    try {
        const QStringList entries = m_ctx.state.users();
        if (!entries.isEmpty())
            m_ctx.busy.setBusy(true);
        const QString operation = m_ctx.state.operation();
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
                                      m_ctx.state.privilegedList());
        });
        // Another administrator may have changed the list meanwhile.
        if (written)
            m_ctx.state.setUsers(stored);
        m_ctx.busy.setBusy(false);
        return written;
    } catch (const std::exception &) {
        m_ctx.errors.reportWithSupportLine(ZanError::current(component));
        return false;
    }
}

void OperationsController::deleteOperation()
{
    const QString operation = m_ctx.state.operation();
    if (operation.isEmpty())
        return;
    try {
        AccessEditor(m_ctx.ccase.clearCase()).deleteOperation(location(), operation);
        m_ctx.state.removeOperation(operation);
    } catch (const std::exception &) {
        m_ctx.errors.reportBoxed(ZanError::current(component), QStringLiteral("deleteOperation()"));
    }
}

// A privileged operation shows the VOB root's value, the one that is enforced, also when the
// element carries a copy of its own; an edit then starts from that value.
void OperationsController::showOperation(const QString &operation)
{
    MainWindow &form = m_ctx.form;
    if (form.mainList->count() == 0 || operation.isEmpty())
        return;
    try {
        hideSubLists();
        form.userGroupLbl->setText(QStringLiteral("User(s) with \"") + operation + QStringLiteral("\" privilege"));
        if (location().path.isEmpty()) {
            m_ctx.state.setGroups({});
            return;
        }
        ElementSettings settings;
        RoutineErrorReport::run(m_ctx.prompter, RoutineErrorReport::readAttribute, [&] {
            settings = AccessSettingsReader(m_ctx.ccase.clearCase()).read(location(), m_ctx.state.privilegedList());
        });
        const OperationSetting *setting = settings.find(operation);
        const QStringList users = setting ? setting->users : QStringList();
        m_ctx.state.setUsers(users);
        ItemList chooser(form.selectUserCombo);
        for (const QString &user : users) {
            if (!is_dup_list(user, chooser))
                chooser.add(user);
        }
        m_ctx.state.setGroups(settings.groups);
    } catch (const std::exception &) {
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
