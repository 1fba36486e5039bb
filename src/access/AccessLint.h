#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

class VobAudit;

// Findings on a VOB's access settings that an administrator would want to know about:
// settings that are never enforced, lists that lock everybody out, groups that drifted from
// their definitions, and triggers that cannot run.
class AccessLint
{
public:
    enum class Severity { Error, Warning };

    struct Finding {
        Severity severity = Severity::Warning;
        QString where;   // an element path, or the VOB tag
        QString message;

        QString line() const;  // "warning: <where>: <message>"
    };

    // Group name -> its members, as the group definitions hold them now.
    using GroupDefinitions = QHash<QString, QStringList>;

    static QList<Finding> check(const VobAudit &audit, const GroupDefinitions &groups);

private:
    static void checkTriggers(const VobAudit &audit, QList<Finding> &findings);
    static void checkSettings(const VobAudit &audit, QList<Finding> &findings);
    static void checkGroups(const VobAudit &audit, const GroupDefinitions &groups, QList<Finding> &findings);
};
