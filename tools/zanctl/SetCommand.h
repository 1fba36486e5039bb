#pragma once

#include "ZanctlCommand.h"
#include "access/AccessListChange.h"

#include <optional>

class QJsonObject;

// zanctl set PATH OPERATION: one edit of an operation's users, as the window's access tab
// makes it. A privileged operation's setting lives on the VOB root; an empty list is stored
// as NONE; a group added copies its members into the users and is recorded in QX_GROUPS,
// a group removed takes its members out and leaves QX_GROUPS. Each list is changed through
// the access editor, holding the element's edit mark, so an edit another administrator
// makes meanwhile stays.
class SetCommand : public ZanctlCommand
{
public:
    using ZanctlCommand::ZanctlCommand;

    QString name() const override { return QStringLiteral("set"); }
    QString description() const override { return QStringLiteral("Change who may do an operation on an element."); }
    QList<Positional> positionals() const override;
    QList<QCommandLineOption> options() const override;
    bool printsRecords() const override { return true; }
    int execute(const QStringList &arguments) override;

private:
    // The edits the options ask for, checked; the problem when they cannot be made.
    struct Edit {
        bool replace = false;                 // --users or --none: the list becomes `users`
        QStringList users;
        AccessListChange userChange;          // --add-user, --remove-user and the groups' members
        AccessListChange groupChange;         // --add-group, --remove-group
        bool remove = false;                  // --remove
        QString problem;
    };
    // The operation's setting where it lives, as stored now.
    struct Setting {
        QString operation;
        QString privilegedList;
        QString home;            // the element that carries it: the VOB root for a privileged one
        ElementLocation at;      // the location of `home`; its groups are recorded there too
        bool isSet = false;
        QStringList users;
        QStringList groups;
    };
    Edit editOf(const QCommandLineParser &parser);
    Setting settingOf(const ElementLocation &location, const QString &operation);
    int removeSetting(const Setting &setting, bool dryRun);
    int write(const Setting &setting, const AccessListChange &userChange, const AccessListChange &groupChange);
    QString groupProblem(const QString &group) const;
    QStringList membersOf(const QString &group) const;
    QString privilegedList(const ElementLocation &location);
    // What is stored (or would be): the users, and the groups when they change; as JSON with --json.
    int report(const Setting &setting, const QStringList &users, const AccessListChange &groupChange, const QStringList &groups,
               bool dryRun);
    // The head of both JSON records: the element, the operation and whether it was a dry run.
    static QJsonObject jsonOf(const Setting &setting, bool dryRun);
    bool m_json = false;
};
