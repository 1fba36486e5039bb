#include "SetCommand.h"

#include "CliContext.h"
#include "NearestName.h"
#include "access/AccessAttributeFormat.h"
#include "access/AccessEditor.h"
#include "access/AccessSettingsReader.h"
#include "access/OperationsCatalogue.h"
#include "groups/GroupNameRules.h"
#include "shell/SettingsStore.h"
#include "util/TextRoutines.h"

#include <QJsonArray>
#include <QJsonObject>

namespace Format = AccessAttributeFormat;

namespace {

const QString usersOption = QStringLiteral("users");
const QString addUserOption = QStringLiteral("add-user");
const QString removeUserOption = QStringLiteral("remove-user");
const QString addGroupOption = QStringLiteral("add-group");
const QString removeGroupOption = QStringLiteral("remove-group");
const QString noneOption = QStringLiteral("none");
const QString removeOption = QStringLiteral("remove");
const QString dryRunOption = QStringLiteral("dry-run");

// Why a name cannot be one of an operation's users; "" when it can.
QString userProblem(const QString &user)
{
    if (user.trimmed().isEmpty())
        return QStringLiteral("a user name is empty");
    if (user.contains(QLatin1Char('<')))
        return QStringLiteral("\"%1\" is not a user name").arg(user);
    if (user == Format::emptyListMarker)
        return Format::emptyListMarker + QStringLiteral(" marks a list that allows nobody; it is not a user name (see --none)");
    if (user.contains(QLatin1Char(',')))
        return QStringLiteral("a user name cannot contain a comma: %1").arg(user);
    return QString();
}

QString usersText(const QStringList &users)
{
    return users.isEmpty() ? QStringLiteral("nobody (NONE)") : users.join(QStringLiteral(", "));
}

} // namespace

QList<ZanctlCommand::Positional> SetCommand::positionals() const
{
    return {{QStringLiteral("PATH"), QStringLiteral("The element, e.g. m:\\view\\vob\\dir\\file, or the VOB root path.")},
            {QStringLiteral("OPERATION"), QStringLiteral("The operation, as the catalogue names it (checkout, rmelem, mklbtype, ...).")}};
}

QList<QCommandLineOption> SetCommand::options() const
{
    return {QCommandLineOption(usersOption, QStringLiteral("The users, comma-separated, in place of those listed; \"\" for nobody."),
                               QStringLiteral("U,...")),
            QCommandLineOption(addUserOption, QStringLiteral("Add a user (repeatable)."), QStringLiteral("U")),
            QCommandLineOption(removeUserOption, QStringLiteral("Remove a user (repeatable)."), QStringLiteral("U")),
            QCommandLineOption(addGroupOption, QStringLiteral("Add a group's members and record the group on the element."),
                               QStringLiteral("G")),
            QCommandLineOption(removeGroupOption, QStringLiteral("Remove a group's members and the group from the element."),
                               QStringLiteral("G")),
            QCommandLineOption(noneOption, QStringLiteral("Allow nobody but the administrators (NONE).")),
            QCommandLineOption(removeOption, QStringLiteral("Remove the operation's setting.")),
            QCommandLineOption(dryRunOption, QStringLiteral("Print what would be stored; change nothing."))};
}

QString SetCommand::groupProblem(const QString &group) const
{
    if (!TextRoutines::commaSplit(m_ctx.store().value(QStringLiteral("QXGROUPS"))).contains(group))
        return QStringLiteral("there is no group \"%1\" in %2").arg(group, m_ctx.store().filePath());
    return GroupNameRules::memberKeyProblem(group);
}

QStringList SetCommand::membersOf(const QString &group) const
{
    QStringList members;
    for (const QString &member : TextRoutines::commaSplit(m_ctx.store().value(group))) {
        if (!member.isEmpty())
            members << member;
    }
    return members;
}

SetCommand::Edit SetCommand::editOf(const QCommandLineParser &parser)
{
    Edit edit;
    const bool listEdits = parser.isSet(addUserOption) || parser.isSet(removeUserOption) || parser.isSet(addGroupOption) ||
                           parser.isSet(removeGroupOption);
    const int wholeEdits = int(parser.isSet(usersOption)) + int(parser.isSet(noneOption)) + int(parser.isSet(removeOption));
    if (wholeEdits + (listEdits ? 1 : 0) != 1) {
        edit.problem = wholeEdits + (listEdits ? 1 : 0) == 0
                           ? QStringLiteral("nothing to change: give --users, --none, --remove or --add-user, --remove-user, "
                                            "--add-group, --remove-group (see zanctl set --help)")
                           : QStringLiteral("--users, --none and --remove each stand alone (see zanctl set --help)");
        return edit;
    }
    edit.remove = parser.isSet(removeOption);
    edit.replace = parser.isSet(usersOption) || parser.isSet(noneOption);
    QStringList checked;
    if (parser.isSet(usersOption)) {
        for (const QString &user : parser.value(usersOption).split(QLatin1Char(','))) {
            if (!user.trimmed().isEmpty() && !edit.users.contains(user.trimmed(), Qt::CaseInsensitive))
                edit.users << user.trimmed();
        }
        checked = edit.users;
    }
    QStringList added = parser.values(addUserOption), removed = parser.values(removeUserOption);
    checked << added << removed;
    for (const QString &user : checked) {
        if (edit.problem = userProblem(user); !edit.problem.isEmpty())
            return edit;
    }
    QStringList groupsAdded = parser.values(addGroupOption), groupsRemoved = parser.values(removeGroupOption);
    for (const QString &group : groupsAdded + groupsRemoved) {
        if (edit.problem = groupProblem(group); !edit.problem.isEmpty())
            return edit;
    }
    for (const QString &group : groupsAdded)
        added << membersOf(group);
    for (const QString &group : groupsRemoved)
        removed << membersOf(group);
    edit.userChange = AccessListChange(added, removed);
    edit.groupChange = AccessListChange(groupsAdded, groupsRemoved);
    return edit;
}

// The list the security trigger goes by: the one recorded in the VOB, else the window's.
QString SetCommand::privilegedList(const ElementLocation &location)
{
    const QString stored = m_ctx.store().value(QStringLiteral("PrivOper"));
    return AccessSettingsReader(m_ctx.clearCase())
        .privilegedListInForce(location, stored.isEmpty() ? OperationsCatalogue::defaultPrivilegedList() : stored);
}

SetCommand::Setting SetCommand::settingOf(const ElementLocation &location, const QString &operation)
{
    Setting setting;
    setting.operation = operation;
    setting.privilegedList = privilegedList(location);
    setting.home = AccessEditor::settingHome(location, operation, setting.privilegedList);
    setting.at = location.at(setting.home);
    const QList<AttributeInfo> attributes = AccessSettingsReader(m_ctx.clearCase()).attributesOf(setting.home);
    const QString typeName = Format::typeName(operation);
    setting.isSet = Format::valueIfSet(attributes, typeName).has_value();
    setting.users = Format::splitUsers(Format::valueOf(attributes, typeName));
    setting.groups = Format::splitGroups(Format::valueOf(attributes, Format::groupsTypeName));
    return setting;
}

int SetCommand::execute(const QStringList &arguments)
{
    QCommandLineParser parser;
    if (const auto stop = parse(arguments, parser, 2, 2))
        return *stop;
    m_json = json(parser);
    const QString operation = operands(parser).at(1);
    if (const QStringList known = OperationsCatalogue::offeredOperations(true); !known.contains(operation))
        return fail(QStringLiteral("\"%1\" is not an operation of the catalogue%2 (see zanctl set --help)")
                        .arg(operation, NearestName::didYouMean(operation, known)));
    const Edit edit = editOf(parser);
    if (!edit.problem.isEmpty())
        return fail(edit.problem);

    const ElementLocation location = locate(operands(parser).first());
    const Setting setting = settingOf(location, operation);
    if (setting.home != location.element())
        m_ctx.err() << QStringLiteral("zanctl set: %1 is privileged: its setting is the VOB root's").arg(operation) << Qt::endl;
    const bool dryRun = parser.isSet(dryRunOption);
    if (edit.remove)
        return removeSetting(setting, dryRun);
    const AccessListChange userChange = edit.replace ? AccessListChange::between(setting.users, edit.users) : edit.userChange;
    if (dryRun)
        return report(setting, userChange.appliedTo(setting.users), edit.groupChange, edit.groupChange.appliedTo(setting.groups), true);
    return write(setting, userChange, edit.groupChange);
}

int SetCommand::removeSetting(const Setting &setting, bool dryRun)
{
    if (!setting.isSet)
        return fail(QStringLiteral("%1 is not set on %2").arg(setting.operation, setting.home));
    if (!dryRun)
        AccessEditor(m_ctx.clearCase()).deleteOperation(setting.at, setting.operation);
    if (m_json) {
        QJsonObject record = jsonOf(setting, dryRun);
        record.insert(QStringLiteral("removed"), true);
        printJson(record);
        return 0;
    }
    m_ctx.out() << setting.home << Qt::endl
                << QStringLiteral("  %1: %2").arg(setting.operation, dryRun ? QStringLiteral("would be removed") : QStringLiteral("removed"))
                << Qt::endl;
    return 0;
}

// As the window does: the operation is added (NONE) before its first user; added groups are
// recorded before their members are copied in, removed ones after their members are out.
int SetCommand::write(const Setting &setting, const AccessListChange &userChange, const AccessListChange &groupChange)
{
    AccessEditor editor(m_ctx.clearCase());
    editor.ensureAttributeType(setting.at, Format::typeName(setting.operation));
    if (!setting.isSet)
        editor.addOperation(setting.at, setting.operation, setting.privilegedList);
    QStringList groups = setting.groups;
    if (!groupChange.isEmpty())
        editor.ensureAttributeType(setting.at, Format::groupsTypeName);
    if (!groupChange.added().isEmpty())
        groups = editor.changeGroups(setting.at, AccessListChange(groupChange.added(), {}));
    QStringList users = setting.users;
    if (!userChange.isEmpty())
        users = editor.changeUsers(setting.at, setting.operation, userChange, setting.privilegedList);
    if (!groupChange.removed().isEmpty())
        groups = editor.changeGroups(setting.at, AccessListChange({}, groupChange.removed()));
    return report(setting, users, groupChange, groups, false);
}

QJsonObject SetCommand::jsonOf(const Setting &setting, bool dryRun)
{
    return QJsonObject{{QStringLiteral("element"), setting.home},
                       {QStringLiteral("operation"), setting.operation},
                       {QStringLiteral("dryRun"), dryRun}};
}

int SetCommand::report(const Setting &setting, const QStringList &users, const AccessListChange &groupChange,
                       const QStringList &groups, bool dryRun)
{
    if (m_json) {
        QJsonObject record = jsonOf(setting, dryRun);
        record.insert(QStringLiteral("users"), QJsonArray::fromStringList(users));
        if (!groupChange.isEmpty())
            record.insert(QStringLiteral("groups"), QJsonArray::fromStringList(groups));
        printJson(record);
        return 0;
    }
    const QString verb = dryRun ? QStringLiteral("would be ") : QString();
    m_ctx.out() << setting.home << Qt::endl << QStringLiteral("  %1: %2%3").arg(setting.operation, verb, usersText(users)) << Qt::endl;
    if (!groupChange.isEmpty())
        m_ctx.out() << QStringLiteral("  groups: %1%2").arg(verb, groups.isEmpty() ? QStringLiteral("none") : groups.join(QStringLiteral(", ")))
                    << Qt::endl;
    return 0;
}
