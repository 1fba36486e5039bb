#include "access/AccessListController.h"

#include "access/AccessAttributeFormat.h"
#include "access/AccessEditor.h"
#include "access/AccessListRules.h"
#include "access/OperationsController.h"
#include "access/RoutineErrorReport.h"
#include "clearcase/CCase.h"
#include "groups/GroupNameRules.h"
#include "shell/BusyState.h"
#include "shell/ErrorReporter.h"
#include "shell/MainContext.h"
#include "shell/MainWindow.h"
#include "shell/Registry.h"
#include "shell/WorkingState.h"
#include "util/ListRoutines.h"
#include "util/TextRoutines.h"
#include "util/Prompter.h"
#include "util/ZanError.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>

using namespace ListRoutines;

namespace {

const QString component = QStringLiteral("AccessListController");

// The entries of the rows that are not selected.
QStringList unselectedEntries(QListWidget *list)
{
    QStringList kept;
    for (int row = 0; row < list->count(); ++row) {
        if (!list->item(row)->isSelected())
            kept << list->item(row)->text();
    }
    return kept;
}

bool hasSelection(const QListWidget *list)
{
    return !list->selectedItems().isEmpty();
}

void showVobUndefined(Prompter &prompter)
{
    prompter.message(QStringLiteral("Must first select the VOB.  Currently, VOB is UNDEFINED"), QStringLiteral("VOB Undefined"),
                     Prompter::Icon::Exclamation);
}

void showNoGroupSelected(Prompter &prompter)
{
    prompter.message(QStringLiteral("Must select a group(s) to delete from the users list."),
                     QStringLiteral("No group selected..."), Prompter::Icon::Exclamation);
}

} // namespace

AccessListController::AccessListController(MainContext &context, OperationsController &operations)
    : m_ctx(context), m_operations(operations)
{
    MainWindow &form = m_ctx.form;
    for (int i : {0, 1, 2, 3, 4, 5, 10})
        connect(form.zanBut[i], &QToolButton::clicked, this, [this, i] { zanButClicked(i); });

    // The selection, not the current row: a mouse press makes the row current before it
    // selects it, and the step reads the selected operation.
    for (int i : {0, 1, 2})
        connect(form.zanList[i], &QListWidget::itemSelectionChanged, this, [this, i] {
            if (hasSelection(m_ctx.form.zanList[i]))
                zanListSelected(i);
        });
    for (int i = 0; i < 3; ++i)
        connect(form.zanList[i], &QListWidget::itemDoubleClicked, this, [this, i] { zanListDoubleClicked(i); });

    // The chooser also reports its text as activated when it loses the focus as it hides
    // after an add; that report is not a pick.
    connect(form.selectUserCombo, qOverload<int>(&QComboBox::activated), this, [this] {
        if (!m_hidingUserChooser)
            addUserToList();
    });
    // Enter is taken before the combo box sees it: the combo's own handling would also
    // report the typed name as activated when it matches an item, running the step twice.
    // The keyboard's keys reach the combo box, which hands them to its field unfiltered.
    form.selectUserCombo->installEventFilter(this);
    form.selectUserCombo->lineEdit()->installEventFilter(this);
    connect(form.selectGroupCombo, qOverload<int>(&QComboBox::activated), this, [this] { addUsersFromGroup(false); });
    form.selectGroupCombo->installEventFilter(this);

    for (QWidget *caption : {static_cast<QWidget *>(form.zanLbl[0]), static_cast<QWidget *>(form.zanLbl[1]),
                             static_cast<QWidget *>(form.zanLbl[2]), static_cast<QWidget *>(form.zanCurSettingLbl),
                             static_cast<QWidget *>(form.userGroupLbl), form.frame[0]})
        caption->installEventFilter(this);
}

void AccessListController::zanButClicked(int index)
{
    MainWindow &form = m_ctx.form;
    if (form.mainList->count() == 0)
        return;
    try {
        const QString vobRoot = location().vobRoot;
        if (vobRoot.isEmpty() || vobRoot == QLatin1String("UNDEFINED")) {
            showVobUndefined(m_ctx.prompter);
            return;
        }
        m_operations.showStopMsg(false);
        switch (index) {
        case 0: toggleOperationPicker(); break;
        case 1: m_operations.deleteOperation(); break;
        case 2: toggleUserChooser(); break;
        case 3: deleteUserFromList(); break;
        case 4: deleteGroupFromList(); break;
        case 5: toggleGroupChooser(); break;
        case 10: deleteGroupFromElem(); break;
        default: break;
        }
    } catch (...) {
        m_ctx.errors.reportWithSupportLine(ZanError::current(component));
    }
}

void AccessListController::toggleOperationPicker()
{
    QListWidget *picker = m_ctx.form.zanSubList;
    if (MainWindow::isShown(picker)) {
        picker->hide();
        return;
    }
    if (location().path.isEmpty())
        return;
    picker->show();
    if (picker->count() > 0)
        picker->setCurrentRow(0);
    picker->setFocus();
    m_operations.populateOperationsList(m_ctx.state.ucmVob());
}

void AccessListController::toggleUserChooser()
{
    QComboBox *chooser = m_ctx.form.selectUserCombo;
    if (MainWindow::isShown(chooser)) {
        chooser->hide();
        return;
    }
    if (!m_ctx.state.operations().isEmpty() && chooser->count() > 0) {
        // It opens on its hint, which the click into it selects, so that what is typed next
        // never joins what an earlier entry left there.
        chooser->setEditText(chooser->itemText(0));
        chooser->show();
        chooser->setFocus();
    }
}

void AccessListController::toggleGroupChooser()
{
    QComboBox *chooser = m_ctx.form.selectGroupCombo;
    if (MainWindow::isShown(chooser)) {
        chooser->hide();
        return;
    }
    if (m_ctx.state.operations().isEmpty())
        return;
    ItemList groups(chooser);
    groups.clear();
    groups.add(QStringLiteral("<select_group>"));
    setListBoxFromString(m_ctx.registry.readFromReg(QStringLiteral("QXGROUPS")), groups);
    if (groups.count() > 0)
        groups.setCurrentIndex(0);
    chooser->show();
    chooser->setFocus();
}

void AccessListController::zanListSelected(int index)
{
    MainWindow &form = m_ctx.form;
    if (form.mainList->count() == 0)
        return;
    try {
        m_ctx.hideSubLists();
        const QList<QListWidgetItem *> picked = form.zanList[index]->selectedItems();
        if (index == 0 && !picked.isEmpty())
            m_ctx.state.selectOperation(picked.first()->text());
        const QListWidgetItem *group = form.zanList[2]->currentItem();
        if (index == 2 && group && group->isSelected())
            form.zanBut[4]->setToolTip(QStringLiteral("Delete all users in group: ") + group->text() +
                                       QStringLiteral(" from User list"));
    } catch (...) {
        m_ctx.errors.reportWithSupportLine(ZanError::current(component));
    }
}

void AccessListController::zanListDoubleClicked(int index)
{
    if (m_ctx.form.mainList->count() == 0)
        return;
    m_ctx.hideSubLists();
    if (index == 2)
        addUsersFromGroup(true);
}

void AccessListController::addUserToList()
{
    MainWindow &form = m_ctx.form;
    try {
        QString notAdded;
        if (!m_ctx.state.operations().isEmpty()) {
            m_ctx.busy.setBusy(true);
            const QString user = form.selectUserCombo->currentText();
            const QStringList before = m_ctx.state.users();
            const AccessListRules::UserAddition addition = AccessListRules::addUser(user, before);
            if (addition.outcome == AccessListRules::UserAddition::Outcome::Refused) {
                m_ctx.prompter.message(addition.reason, AccessListRules::refusedUserTitle, Prompter::Icon::Exclamation);
            } else if (addition.outcome == AccessListRules::UserAddition::Outcome::NotAdded) {
                notAdded = addition.reason;
            } else {
                ItemList chooser(form.selectUserCombo);
                if (!is_dup_list(user, chooser))
                    chooser.add(user);
                m_ctx.state.setUsers(addition.users);
                if (m_operations.saveUserListToElem(before))
                    selectListItem(user, ItemList(form.zanList[1]));
                else
                    m_ctx.state.setUsers(before);
            }
        }
        m_ctx.busy.setBusy(false);
        if (!notAdded.isEmpty())
            m_ctx.busy.setStatBarMsg(notAdded);
        const QScopedValueRollback hiding(m_hidingUserChooser, true);
        form.selectUserCombo->hide();
    } catch (...) {
        m_ctx.errors.reportWithSupportLine(ZanError::current(component));
    }
}

void AccessListController::deleteUserFromList()
{
    QListWidget *users = m_ctx.form.zanList[1];
    try {
        if (!hasSelection(users)) {
            m_ctx.prompter.message(QStringLiteral("Must select user(s) to delete."),
                                   QStringLiteral("No user selected to delete...     "), Prompter::Icon::Exclamation);
            return;
        }
        const AccessListRules::Snapshot before = ItemList(users).snapshot();
        m_ctx.state.setUsers(unselectedEntries(users));
        if (!m_operations.saveUserListToElem(before.entries)) {
            undoUsers(before);
        } else if (users->count() > 0) {
            users->setCurrentRow(0);
            users->setFocus();
        }
    } catch (const std::exception &) {
        m_ctx.errors.reportBoxed(ZanError::current(component), QStringLiteral("Error encountered::deleteUserFromList()"));
    }
}

void AccessListController::addUsersFromGroup(bool fromGroupsList)
{
    MainWindow &form = m_ctx.form;
    try {
        QListWidget *groups = form.zanList[2];
        if (fromGroupsList || form.selectGroupCombo->count() > 0) {
            QString group;
            if (!fromGroupsList)
                group = form.selectGroupCombo->currentText();
            else if (groups->currentItem() && groups->currentItem()->isSelected())
                group = groups->currentItem()->text();
            // A group left over under a setting's name has no members of its own: its key
            // holds the setting, which must not become an element's users.
            if (const QString problem = GroupNameRules::memberKeyProblem(group); !group.isEmpty() && !problem.isEmpty()) {
                m_ctx.prompter.message(problem, GroupNameRules::refusalTitle, Prompter::Icon::Exclamation);
                group.clear();
            }
            if (!group.isEmpty() && !group.contains(QLatin1Char('<')))
                addGroup(group);
        }
        m_ctx.hideSubLists();
    } catch (...) {
        m_ctx.errors.reportBoxed(ZanError::current(component), QStringLiteral("addUsersFromGroup()"));
    }
}

void AccessListController::deleteGroupFromList()
{
    MainWindow &form = m_ctx.form;
    QListWidget *groups = form.zanList[2];
    QListWidget *users = form.zanList[1];
    try {
        if (!hasSelection(groups)) {
            showNoGroupSelected(m_ctx.prompter);
            return;
        }
        if (groups->count() == 0)
            return;
        const AccessListRules::Snapshot before = ItemList(users).snapshot();
        for (const QListWidgetItem *group : groups->selectedItems())
            m_ctx.state.removeUsers(TextRoutines::commaSplit(m_ctx.registry.readFromReg(group->text())));
        if (!m_operations.saveUserListToElem(before.entries)) {
            undoUsers(before);
            return;
        }
        if (groups->count() > 0) {
            groups->setCurrentRow(0);
            groups->setFocus();
        }
    } catch (const std::exception &) {
        m_ctx.errors.reportBoxed(ZanError::current(component), QStringLiteral("Error encountered::deleteGroupFromList()"));
    }
}

void AccessListController::deleteGroupFromElem()
{
    MainWindow &form = m_ctx.form;
    QListWidget *groups = form.zanList[2];
    if (!hasSelection(groups)) {
        showNoGroupSelected(m_ctx.prompter);
        return;
    }
    const AccessListRules::Snapshot before = ItemList(groups).snapshot();
    const auto undo = [&] {
        m_ctx.state.setGroups(before.entries);
        ItemList(groups).restore(before);
    };
    try {
        const QStringList remaining = unselectedEntries(groups);
        m_ctx.state.setGroups(remaining);
        if (!remaining.isEmpty()) {
            if (!writeGroups(before.entries))
                undo();
            return;
        }
        // The last group goes: the attribute is removed rather than left empty.
        m_ctx.state.setGroups(AccessEditor(m_ctx.ccase.clearCase())
                                  .changeGroups(location(), AccessListChange::between(before.entries, remaining)));
    } catch (const std::exception &) {
        undo();
        m_ctx.errors.reportBoxed(ZanError::current(component), QStringLiteral("Could not remove group from Element"));
    }
}

const ElementLocation &AccessListController::location() const
{
    return m_ctx.state.location();
}

// The group joins the element's groups (written first) and its members the users; a write
// that fails leaves its list as it was.
void AccessListController::addGroup(const QString &group)
{
    const QStringList groupsBefore = m_ctx.state.groups();
    const AccessListRules::Snapshot usersBefore = ItemList(m_ctx.form.zanList[1]).snapshot();
    const AccessListRules::GroupMerge merge = AccessListRules::mergeGroup(
        group, m_ctx.registry.readFromReg(group), groupsBefore, usersBefore.entries);
    m_ctx.state.setGroups(merge.groups);
    if (!ensureGroupsType() || !writeGroups(groupsBefore)) {
        m_ctx.state.setGroups(groupsBefore);
        return;
    }
    m_ctx.state.setUsers(merge.users);
    if (!m_operations.saveUserListToElem(usersBefore.entries))
        undoUsers(usersBefore);
}

// The users as they were, their selection too.
void AccessListController::undoUsers(const AccessListRules::Snapshot &before)
{
    m_ctx.state.setUsers(before.entries);
    ItemList(m_ctx.form.zanList[1]).restore(before);
}

// A group is recorded in an attribute of the groups type, which the VOB may not have yet
// (its root was never selected here).
bool AccessListController::ensureGroupsType()
{
    return RoutineErrorReport::run(m_ctx.prompter, RoutineErrorReport::makeAttype, [this] {
        AccessEditor(m_ctx.ccase.clearCase()).ensureAttributeType(location(), AccessAttributeFormat::groupsTypeName);
    });
}

// Writes the edit from `before` to the state's groups, which then are what is stored:
// another administrator may have changed them meanwhile.
bool AccessListController::writeGroups(const QStringList &before)
{
    QStringList stored;
    const bool written = RoutineErrorReport::run(m_ctx.prompter, RoutineErrorReport::addAttribute, [&] {
        stored = AccessEditor(m_ctx.ccase.clearCase())
                     .changeGroups(location(), AccessListChange::between(before, m_ctx.state.groups()));
    });
    if (written)
        m_ctx.state.setGroups(stored);
    return written;
}

bool AccessListController::eventFilter(QObject *watched, QEvent *event)
{
    MainWindow &form = m_ctx.form;
    const bool chooser = watched == form.selectGroupCombo || watched == form.selectUserCombo ||
                         watched == form.selectUserCombo->lineEdit();
    if (chooser && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == form.selectGroupCombo)
                addUsersFromGroup(false);
            else
                addUserToList();
            return true;
        }
    } else if (event->type() == QEvent::MouseButtonPress && !chooser) {
        m_ctx.hideSubLists();
    }
    return QObject::eventFilter(watched, event);
}
