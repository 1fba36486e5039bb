#include "access/OperationsController.h"

#include "access/AccessAttributeFormat.h"
#include "access/OperationsCatalogue.h"
#include "clearcase/CCase.h"
#include "shell/BusyState.h"
#include "shell/ErrorReporter.h"
#include "shell/MainContext.h"
#include "shell/MainWindow.h"
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
    hooks.saveUserListToElem = [this] { return saveUserListToElem(); };
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
    const QListWidgetItem *item = m_ctx.form.zanList[0]->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

QString OperationsController::attributeTargetFor(const QString &operation)
{
    return Format::attributeTarget(isPrivilegedOperation(operation), m_ctx.form.selectedElemTxt->text(),
                                   m_ctx.form.vobRootTxt->text());
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
        const QString typeName = Format::typeName(operation);
        const QString vobTag = form.vobTagTxt->text();
        if (m_ctx.ccase.makeAttype(vobTag, typeName, Format::typeComment(QDate::currentDate()))) {
            const QString target = attributeTargetFor(operation);
            ItemList operations(form.zanList[0]);
            if (!m_ctx.ccase.isAttrOnElem(typeName, target) &&
                m_ctx.ccase.addCCAttrToElem(typeName, Format::emptyListMarker, target, vobTag, false) &&
                !is_dup_list(operation, operations)) {
                operations.add(operation);
                selectListItem(operation, operations);
            }
        }
        m_ctx.hooks.doApplyAllChecked();
    } catch (...) {
        m_ctx.errors.reportWithSupportLine(ZanError::current(component));
    }
}

bool OperationsController::saveUserListToElem()
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
        const bool written = m_ctx.ccase.addCCAttrToElem(Format::typeName(operation), Format::joinUsers(entries),
                                                         attributeTargetFor(operation), form.vobTagTxt->text(), true);
        m_ctx.busy.setBusy(false);
        return written;
    } catch (...) {
        m_ctx.errors.reportWithSupportLine(ZanError::current(component));
        return false;
    }
}

void OperationsController::deleteOperation()
{
    MainWindow &form = m_ctx.form;
    const QString operation = selectedOperation();
    if (operation.isEmpty())
        return;
    try {
        const QString typeName = Format::typeName(operation);
        const QString version = CCase::versionOf(form.selectedElemTxt->text());
        ClearCase &clearCase = m_ctx.ccase.clearCase();
        bool present = false;
        for (const AttributeInfo &attribute : clearCase.attributes(version))
            present = present || attribute.typeName == typeName;
        if (!present)
            throw ZanError(ZanError::ClearCaseFailure, QStringLiteral("ClearCase.Version"),
                           QStringLiteral("No attribute of type \"%1\" on version \"%2\"").arg(typeName, version));
        clearCase.removeAttribute(version, typeName, QString());
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

void OperationsController::selectOperation()
{
    MainWindow &form = m_ctx.form;
    if (form.mainList->count() == 0)
        return;
    try {
        hideSubLists();
        const QString operation = selectedOperation();
        const QString path = form.selectedElemTxt->text();
        form.userGroupLbl->setText(QStringLiteral("User(s) with \"") + operation + QStringLiteral("\" privilege"));
        ItemList users(form.zanList[1]);
        ItemList groups(form.zanList[2]);
        if (path.isEmpty()) {
            groups.clear();
            return;
        }
        users.clear();
        ItemList chooser(form.selectUserCombo);
        for (const QString &user : Format::splitUsers(m_ctx.ccase.getAttrValueOnElem(Format::typeName(operation), path))) {
            if (!is_dup_list(user, users))
                users.add(user);
            if (!is_dup_list(user, chooser))
                chooser.add(user);
        }
        const QString groupsValue = m_ctx.ccase.getAttrValueOnElem(Format::groupsTypeName, path);
        groups.clear();
        setListBoxFromString(groupsValue, groups);
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
