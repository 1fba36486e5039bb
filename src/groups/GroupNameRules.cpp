#include "groups/GroupNameRules.h"

#include <QStringList>

namespace {

const QStringList generalKeys{QStringLiteral("PrivOper"), QStringLiteral("CLEARCASE_OVERRIDE"), QStringLiteral("NUSERS"),
                              QStringLiteral("QXGROUPS")};
const QStringList perVobPrefixes{QStringLiteral("WinUnixLoc"), QStringLiteral("Interop"), QStringLiteral("NTLoc"),
                                 QStringLiteral("UnixLoc"), QStringLiteral("AdminList")};

QString commaProblem(const QString &name)
{
    return QStringLiteral("\"") + name +
           QStringLiteral("\" contains a comma. Group and member names are stored as comma-separated lists, "
                          "so it would come back as several names.");
}

QString settingKeyProblem(const QString &what, const QString &name)
{
    return QStringLiteral("\"") + name + QStringLiteral("\" ") + what +
           QStringLiteral(": the program keeps one of its own settings under that name. Please choose another name.");
}

} // namespace

bool GroupNameRules::isSettingKey(const QString &name)
{
    if (generalKeys.contains(name, Qt::CaseInsensitive))
        return true;
    for (const QString &prefix : perVobPrefixes) {
        if (name.startsWith(prefix, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

QString GroupNameRules::groupNameProblem(const QString &name)
{
    if (name.contains(QLatin1Char(',')))
        return commaProblem(name);
    if (isSettingKey(name))
        return settingKeyProblem(QStringLiteral("cannot be used as a group name"), name);
    return QString();
}

QString GroupNameRules::memberNameProblem(const QString &name)
{
    return name.contains(QLatin1Char(',')) ? commaProblem(name) : QString();
}

QString GroupNameRules::memberKeyProblem(const QString &group)
{
    if (group.isEmpty())
        return QStringLiteral("A group without a name cannot hold members.");
    if (isSettingKey(group))
        return settingKeyProblem(QStringLiteral("cannot hold members"), group);
    return QString();
}
