#include "clearcase/cleartool/CleartoolTriggerOptions.h"

#include "clearcase/cleartool/CleartoolQuoting.h"
#include "util/ZanError.h"

#include <QHash>

namespace {

const QString source = QStringLiteral("cleartool");

const QHash<int, QString> &operationKinds()
{
    static const QHash<int, QString> table = {
        {1, QStringLiteral("MODIFY_TYPE")},   {2, QStringLiteral("MODIFY_ELEM")},
        {3, QStringLiteral("MODIFY_DATA")},   {4, QStringLiteral("MODIFY_MD")},
        {5, QStringLiteral("mktype")},        {6, QStringLiteral("rmtype")},
        {7, QStringLiteral("rntype")},        {8, QStringLiteral("lock")},
        {9, QStringLiteral("unlock")},        {10, QStringLiteral("checkout")},
        {11, QStringLiteral("mkelem")},       {12, QStringLiteral("mkbranch")},
        {13, QStringLiteral("checkin")},      {14, QStringLiteral("rmelem")},
        {15, QStringLiteral("rmbranch")},     {16, QStringLiteral("rmver")},
        {17, QStringLiteral("rmname")},       {18, QStringLiteral("chtype")},
        {19, QStringLiteral("mklabel")},      {20, QStringLiteral("mkattr")},
        {21, QStringLiteral("mkhlink")},      {22, QStringLiteral("mktrigger")},
        {23, QStringLiteral("rmlabel")},      {24, QStringLiteral("rmattr")},
        {25, QStringLiteral("rmhlink")},      {26, QStringLiteral("rmtrigger")},
        {27, QStringLiteral("uncheckout")},   {30, QStringLiteral("protect")},
        {32, QStringLiteral("lnname")},       {33, QStringLiteral("mkslink")},
        {37, QStringLiteral("reserve")},      {41, QStringLiteral("unreserve")},
        {44, QStringLiteral("chevent")},      {49, QStringLiteral("chmaster")},
        {58, QStringLiteral("mkactivity")},   {88, QStringLiteral("MODIFY_UCM")},
        {89, QStringLiteral("deliver_start")}, {90, QStringLiteral("deliver_complete")},
        {91, QStringLiteral("deliver_cancel")}, {92, QStringLiteral("rebase_start")},
        {93, QStringLiteral("rebase_complete")}, {94, QStringLiteral("rebase_cancel")},
        {95, QStringLiteral("setactivity")},  {96, QStringLiteral("mkstream")},
        {99, QStringLiteral("mkbl")},
    };
    return table;
}

[[noreturn]] void unmapped(const QString &what, int code)
{
    throw ZanError(ZanError::General, source, QStringLiteral("The %1 code %2 has no cleartool equivalent").arg(what).arg(code));
}

QString userList(const QStringList &users)
{
    for (const QString &user : users) {
        if (user.isEmpty() || user.contains(QLatin1Char(',')))
            throw ZanError(ZanError::General, source,
                           QStringLiteral("Cannot pass the user name \"%1\" to cleartool -nusers").arg(user));
    }
    return users.join(QLatin1Char(','));
}

} // namespace

namespace CleartoolTriggerOptions {

QStringList kindOptions(int kind)
{
    switch (kind) {
    case 2:
        return {QStringLiteral("-element"), QStringLiteral("-all")};
    case 4:
        return {QStringLiteral("-ucmobject"), QStringLiteral("-all")};
    default:
        unmapped(QStringLiteral("trigger kind"), kind);
    }
}

QString firingOption(int firing)
{
    if (firing == 1)
        return QStringLiteral("-preop");
    if (firing == 2)
        return QStringLiteral("-postop");
    unmapped(QStringLiteral("trigger firing"), firing);
}

QString operationKindName(int code)
{
    const auto found = operationKinds().constFind(code);
    if (found == operationKinds().constEnd())
        unmapped(QStringLiteral("operation kind"), code);
    return *found;
}

int operationKindCode(const QString &name)
{
    for (auto it = operationKinds().constBegin(); it != operationKinds().constEnd(); ++it) {
        if (it.value() == name)
            return it.key();
    }
    return -1;
}

QString actionOption(TriggerTypeDefinition::ActionTarget target)
{
    switch (target) {
    case TriggerTypeDefinition::WindowsClients:
        return QStringLiteral("-execwin");
    case TriggerTypeDefinition::UnixClients:
        return QStringLiteral("-execunix");
    case TriggerTypeDefinition::AllClients:
        break;
    }
    return QStringLiteral("-exec");
}

QString mktrtypeCommand(const QString &vobTag, const TriggerTypeDefinition &definition, SiteStyle::Kind style)
{
    const auto quote = [style](const QString &argument) { return CleartoolQuoting::quote(argument, style); };
    if (definition.operationKinds.isEmpty())
        throw ZanError(ZanError::General, source, QStringLiteral("Trigger type \"%1\" has no operation kind").arg(definition.name));
    if (definition.actions.isEmpty())
        throw ZanError(ZanError::General, source, QStringLiteral("Trigger type \"%1\" has no action").arg(definition.name));

    QStringList args{QStringLiteral("mktrtype")};
    args += kindOptions(definition.kind);
    args << firingOption(definition.firing);
    QStringList kinds;
    for (const int code : definition.operationKinds)
        kinds << operationKindName(code);
    args << kinds.join(QLatin1Char(','));
    if (!definition.exemptUsers.isEmpty())
        args << QStringLiteral("-nusers") << quote(userList(definition.exemptUsers));
    for (const TriggerTypeDefinition::Action &action : definition.actions)
        args << actionOption(action.target) << quote(action.command);
    if (definition.comment.isEmpty())
        args << QStringLiteral("-nc");
    else
        args << QStringLiteral("-c") << quote(definition.comment);
    args << quote(definition.name + QLatin1Char('@') + vobTag);
    return CleartoolQuoting::join(args);
}

} // namespace CleartoolTriggerOptions
