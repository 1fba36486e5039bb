#include "groups/GroupsController.h"

#include "clearcase/CCase.h"
#include "groups/GroupNameRules.h"
#include "shell/BusyState.h"
#include "shell/ErrorReporter.h"
#include "shell/MainContext.h"
#include "shell/MainWindow.h"
#include "shell/Registry.h"
#include "util/ListRoutines.h"
#include "util/Prompter.h"

#include <QDate>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QSignalBlocker>
#include <QStringList>
#include <QToolButton>

namespace {

const QString groupsKey = QStringLiteral("QXGROUPS");

bool isTypedName(const QString &name)
{
    return !name.isEmpty() && !name.contains(QLatin1Char('<'));
}

// Why a typed name adds nothing, for the status bar; "" when it is added.
QString whyNotAdded(const QString &name, const ItemList &target, bool isGroups)
{
    const QString start = isGroups ? QStringLiteral("No group added: ") : QStringLiteral("No member added: ");
    if (name.isEmpty())
        return start + QStringLiteral("type a name into the box first.");
    if (name.contains(QLatin1Char('<')))
        return start + QStringLiteral("type the name over the hint.");
    for (int i = 0; i < target.count(); ++i) {
        if (target.text(i).compare(name, Qt::CaseInsensitive) == 0)
            return start + target.text(i) + QStringLiteral(" is already in the list.");
    }
    return QString();
}

} // namespace

GroupsController::GroupsController(MainContext &context) : m_ctx(context)
{
    MainWindow &form = m_ctx.form;
    // A click on the entry that is already current selects it again (and rereads it).
    connect(form.dgList[0], &QListWidget::currentRowChanged, this, [this] { dgList_Click(0); });
    connect(form.dgList[0], &QListWidget::itemClicked, this, [this] { dgList_Click(0); });
    for (int i = 0; i < int(form.dgBut.size()); ++i)
        connect(form.dgBut[i], &QToolButton::clicked, this, [this, i] { dgBut_Click(i); });
    for (int i = 0; i < int(form.dgTxt.size()); ++i)
        connect(form.dgTxt[i], &QLineEdit::returnPressed, this, [this, i] { dgTxt_Enter(i); });
}

QListWidget *GroupsController::list(bool isGroups) const
{
    return m_ctx.form.dgList[isGroups ? 0 : 1];
}

QLineEdit *GroupsController::entryBox(bool isGroups) const
{
    return m_ctx.form.dgTxt[isGroups ? 0 : 1];
}

QString GroupsController::selectedGroup() const
{
    const QListWidgetItem *item = m_ctx.form.dgList[0]->currentItem();
    return item ? item->text() : QString();
}

void GroupsController::setMemberControlsEnabled(bool enabled)
{
    MainWindow &form = m_ctx.form;
    form.dgList[1]->setEnabled(enabled);
    form.dgTxt[1]->setEnabled(enabled);
    form.dgBut[2]->setEnabled(enabled);
    form.dgBut[3]->setEnabled(enabled);
}

bool GroupsController::refuse(const QString &problem)
{
    if (problem.isEmpty())
        return false;
    m_ctx.prompter.message(problem, GroupNameRules::refusalTitle, Prompter::Icon::Exclamation);
    return true;
}

void GroupsController::dgList_Click(int index)
{
    try {
        if (index == 0 && m_ctx.form.dgList[0]->count() > 0 && m_ctx.form.dgList[0]->currentRow() >= 0)
            selectGroup();
    } catch (...) {
        m_ctx.errors.reportBoxed(ZanError::current(QStringLiteral("dgList")), QStringLiteral("Error encountered::dgList()"));
    }
}

void GroupsController::selectGroup()
{
    MainWindow &form = m_ctx.form;
    setMemberControlsEnabled(true);
    form.dgList[1]->clear();
    const QString group = selectedGroup();
    // A group without a name, or left over under a setting's name, has no key of its own.
    if (GroupNameRules::memberKeyProblem(group).isEmpty())
        ListRoutines::setListBoxFromString(m_ctx.registry.readFromReg(group), ItemList(form.dgList[1]));
    form.dgTxt[1]->setText(QStringLiteral("<enter_users_to_group_") + group + QLatin1Char('>'));
}

void GroupsController::dgBut_Click(int index)
{
    try {
        const bool isGroups = index < 2;
        const bool isDelete = index % 2 == 1;
        if (!isGroups && refuse(GroupNameRules::memberKeyProblem(selectedGroup())))
            return;
        if (isDelete)
            deleteSelected(isGroups);
        else if (!addTyped(isGroups))
            return;
        save(isGroups);
    } catch (...) {
        m_ctx.errors.reportBoxed(ZanError::current(QStringLiteral("dgBut")), QStringLiteral("Error encountered::dbBut()"));
    }
}

void GroupsController::dgTxt_Enter(int index)
{
    try {
        dgBut_Click(index == 0 ? 0 : 2);
    } catch (...) {
        m_ctx.errors.reportBoxed(ZanError::current(QStringLiteral("dgTxt")), QStringLiteral("Error encountered::dgTxt_KP()"));
    }
}

void GroupsController::deleteSelected(bool isGroups)
{
    QListWidget *edited = list(isGroups);
    if (isGroups)
        deleteMemberKeysOfSelectedGroups();
    else
        m_ctx.registry.delFromReg(selectedGroup()); // rewritten with the remaining members by the save
    {
        // The list reselects as rows go; only the first remaining entry is selected, once.
        const QSignalBlocker blocker(edited);
        ListRoutines::deletedSelectedInList(ItemList(edited));
        if (edited->count() > 0)
            edited->setCurrentRow(0);
    }
    if (edited->count() > 0) {
        if (isGroups)
            selectGroup();
        return;
    }
    entryBox(isGroups)->setText(entryBox(isGroups)->property("tag").toString());
    if (isGroups)
        setMemberControlsEnabled(false);
}

void GroupsController::deleteMemberKeysOfSelectedGroups()
{
    // Only groups that are really removed lose their key: the current group may have been
    // deselected (Ctrl+click) and then stays, members and all. A group left over under a
    // setting's name shares that setting's key, so the setting is kept.
    const ItemList groups(list(true));
    QStringList removed;
    for (int i = 0; i < groups.count(); ++i) {
        if (groups.isSelected(i))
            removed << groups.text(i);
    }
    const QString current = selectedGroup();
    if (removed.contains(current)) {
        removed.removeAll(current);
        removed.prepend(current);
    }
    for (const QString &group : std::as_const(removed)) {
        if (!group.isEmpty() && !GroupNameRules::isSettingKey(group))
            m_ctx.registry.delFromReg(group);
    }
}

bool GroupsController::addTyped(bool isGroups)
{
    QLineEdit *box = entryBox(isGroups);
    const QString name = box->text();
    if (isTypedName(name) &&
        refuse(isGroups ? GroupNameRules::groupNameProblem(name) : GroupNameRules::memberNameProblem(name)))
        return false;
    box->clear();
    box->setFocus();
    ItemList target(list(isGroups));
    if (const QString refusal = whyNotAdded(name, target, isGroups); !refusal.isEmpty())
        m_ctx.busy.setStatBarMsg(refusal);
    else
        target.add(name);
    return true;
}

void GroupsController::save(bool isGroups)
{
    const QString key = isGroups ? groupsKey : selectedGroup();
    m_ctx.registry.saveToReg(key, ListRoutines::getStringFromListBox(ItemList(list(isGroups))));
}

void GroupsController::doMakeGroupAttype(const QString &vobTag)
{
    try {
        const QString comment = QStringLiteral("Created by VuVoziruv Evarori on ") +
                                QLocale().toString(QDate::currentDate(), QLocale::ShortFormat) +
                                QStringLiteral(" * * DO NOT DELETE * *");
        m_ctx.ccase.makeAttype(vobTag, QStringLiteral("QX_GROUPS"), comment);
    } catch (...) {
        m_ctx.errors.reportBoxed(ZanError::current(QStringLiteral("doMakeGroupAttype")),
                                 QStringLiteral("Error encountered::doMakeGroupAttype()"));
    }
}
