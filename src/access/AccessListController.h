#pragma once

#include "access/AccessListRules.h"
#include "access/AccessSettings.h"

#include <QObject>
#include <QString>
#include <QStringList>

class OperationsController;
class QListWidget;
struct MainContext;

// The editing side of the access-control panel: the zanBut buttons, the three zanList
// lists, the user chooser and the group chooser. Every edit goes into the working state
// and is written to the VOB at once; a write that fails leaves the lists as they were. The operations themselves, and the
// users list's write, are the operations controller's.
class AccessListController : public QObject
{
    Q_OBJECT

public:
    AccessListController(MainContext &context, OperationsController &operations);

    void zanButClicked(int index);
    void zanListSelected(int index);
    void zanListDoubleClicked(int index);

    void addUserToList();
    void deleteUserFromList();
    void addUsersFromGroup(bool fromGroupsList);
    void deleteGroupFromList();
    void deleteGroupFromElem();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void toggleOperationPicker();
    void toggleUserChooser();
    void toggleGroupChooser();
    const ElementLocation &location() const;
    void addGroup(const QString &group);
    bool ensureGroupsType();
    // Writes the element's groups; a failure shows the attribute routine's message.
    bool writeGroups(const QStringList &before);
    void undoUsers(const AccessListRules::Snapshot &before);

    MainContext &m_ctx;
    OperationsController &m_operations;
    bool m_hidingUserChooser = false;
};
