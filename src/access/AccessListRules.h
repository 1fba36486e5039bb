#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The editing rules of the access-control panel's lists, on plain lists: which typed user
// joins an operation's users, and what adding a group does to the element's groups and the
// users. Names are compared ignoring case, as ClearCase user and group names are.
namespace AccessListRules {

// A list's entries and selected rows, so that an edit whose write failed can be undone exactly.
struct Snapshot {
    QStringList entries;
    QList<int> selectedRows;
};

bool isListed(const QString &name, const QStringList &list);

// What typing a user into the chooser does to the users.
struct UserAddition {
    enum class Outcome { Added, Refused, NotAdded };
    Outcome outcome = Outcome::NotAdded;
    QString reason;    // Refused: the message box's text; NotAdded: the status bar's
    QStringList users; // Added: the users with the new one at the end
};
inline const QString refusedUserTitle = QStringLiteral("Invalid user name...");
// A comma is refused outright (it would split the name into two users when read back);
// hints, the empty-list marker, blank names and names already listed add nothing.
UserAddition addUser(const QString &user, const QStringList &users);
// Why a typed user is not added, for the status bar; "" when it is added.
QString whyUserIsNotAdded(const QString &user, const QStringList &users);

// What adding a group does: the group joins the groups unless listed, and its members
// (a comma list) join the users unless listed.
struct GroupMerge {
    QStringList groups;
    bool groupAdded = false;
    QStringList users;
};
GroupMerge mergeGroup(const QString &group, const QString &members, const QStringList &groups, const QStringList &users);

} // namespace AccessListRules
