#include "access/AccessListRules.h"

#include "access/AccessAttributeFormat.h"
#include "util/AppInfo.h"
#include "util/TextRoutines.h"

namespace AccessListRules {

namespace {

QString listedAs(const QString &name, const QStringList &list)
{
    for (const QString &entry : list) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return QString();
}

} // namespace

bool isListed(const QString &name, const QStringList &list)
{
    return list.contains(name, Qt::CaseInsensitive);
}

QString whyUserIsNotAdded(const QString &user, const QStringList &users)
{
    const QString start = QStringLiteral("No user added: ");
    const QString &marker = AccessAttributeFormat::emptyListMarker;
    if (user.startsWith(QLatin1Char('<')))
        return start + QStringLiteral("type the user's name over the hint, or pick a user from the list.");
    if (user.contains(QLatin1Char('<')))
        return start + QLatin1Char('"') + user + QStringLiteral("\" is not a user name.");
    if (user == marker)
        return start + marker + QStringLiteral(" marks a list that allows nobody; it is not a user name.");
    if (user.trimmed().isEmpty())
        return start + QStringLiteral("the name is empty.");
    if (isListed(user, users))
        return start + listedAs(user, users) + QStringLiteral(" is already in the list.");
    return QString();
}

UserAddition addUser(const QString &user, const QStringList &users)
{
    if (user.contains(QLatin1Char(',')))
        return {UserAddition::Outcome::Refused, QStringLiteral("A user name cannot contain a comma:") + AppInfo::crlf + user, users};
    if (QString why = whyUserIsNotAdded(user, users); !why.isEmpty())
        return {UserAddition::Outcome::NotAdded, why, users};
    return {UserAddition::Outcome::Added, QString(), users + QStringList{user}};
}

GroupMerge mergeGroup(const QString &group, const QString &members, const QStringList &groups, const QStringList &users)
{
    GroupMerge merge{groups, !isListed(group, groups), users};
    if (merge.groupAdded)
        merge.groups << group;
    for (const QString &member : TextRoutines::commaSplit(members)) {
        if (!isListed(member, merge.users))
            merge.users << member;
    }
    return merge;
}

} // namespace AccessListRules
