#pragma once

#include <QObject>
#include <QString>

struct MainContext;
class QListWidget;
class QLineEdit;

// The "Define Groups" tab: named user groups kept in the settings store ("QXGROUPS" holds
// the names, a key named after each group its members), and the "QX_GROUPS" attribute type
// made in each VOB whose root is selected.
class GroupsController : public QObject
{
    Q_OBJECT

public:
    explicit GroupsController(MainContext &context);

    // Click of dgList element `index`: shows the members of the selected group.
    void dgList_Click(int index);
    // Click of dgBut element `index`: 0 add group, 1 delete groups, 2 add member, 3 delete members.
    void dgBut_Click(int index);
    // Enter in dgTxt element `index` adds like its add button.
    void dgTxt_Enter(int index);

    void doMakeGroupAttype(const QString &vobTag);

private:
    void selectGroup();
    void deleteSelected(bool isGroups);
    void deleteMemberKeysOfSelectedGroups();
    bool addTyped(bool isGroups);
    void save(bool isGroups);
    QString selectedGroup() const;
    void setMemberControlsEnabled(bool enabled);
    bool refuse(const QString &problem);

    QListWidget *list(bool isGroups) const;
    QLineEdit *entryBox(bool isGroups) const;

    MainContext &m_ctx;
};
