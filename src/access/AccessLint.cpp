#include "access/AccessLint.h"

#include "access/AccessDecision.h"
#include "access/VobAudit.h"

#include <QSet>

QString AccessLint::Finding::line() const
{
    return QStringLiteral("%1: %2: %3").arg(severity == Severity::Error ? QStringLiteral("error") : QStringLiteral("warning"),
                                            where, message);
}

QList<AccessLint::Finding> AccessLint::check(const VobAudit &audit, const GroupDefinitions &groups)
{
    QList<Finding> findings;
    checkTriggers(audit, findings);
    checkSettings(audit, findings);
    checkGroups(audit, groups, findings);
    return findings;
}

void AccessLint::checkTriggers(const VobAudit &audit, QList<Finding> &findings)
{
    if (!audit.rows.isEmpty() && !audit.enforcement.installed())
        findings << Finding{Severity::Error, audit.vobTag,
                            QStringLiteral("%1 setting(s) but the security triggers are not installed: none is enforced")
                                .arg(audit.rows.size())};
    for (const VobEnforcement::Trigger &trigger : audit.enforcement.triggers()) {
        for (const VobEnforcement::Action &action : trigger.actions) {
            if (!action.scriptFound)
                findings << Finding{Severity::Error, audit.vobTag,
                                    QStringLiteral("trigger type %1 runs %2, which is missing%3: every guarded operation is refused")
                                        .arg(trigger.name, action.script,
                                             action.hostPath.isEmpty() || action.hostPath == action.script
                                                 ? QString()
                                                 : QStringLiteral(" (looked for %1)").arg(action.hostPath))};
        }
    }
}

void AccessLint::checkSettings(const VobAudit &audit, QList<Finding> &findings)
{
    const bool noAdministrators = audit.enforcement.administrators().isEmpty();
    for (const VobAudit::Row &row : audit.rows) {
        if (row.privileged && !row.onVobRoot)
            findings << Finding{Severity::Warning, row.path,
                                QStringLiteral("%1 is privileged, so only the VOB root's setting counts: this one is never enforced")
                                    .arg(row.operation)};
        if (row.refusesEveryone() && noAdministrators && (row.onVobRoot || !row.privileged))
            findings << Finding{Severity::Warning, row.path,
                                QStringLiteral("%1 is refused to everybody (%2) and no administrator is configured")
                                    .arg(row.operation, row.value.isEmpty() ? QStringLiteral("empty list") : row.value)};
    }
}

void AccessLint::checkGroups(const VobAudit &audit, const GroupDefinitions &groups, QList<Finding> &findings)
{
    for (const VobAudit::Element &element : audit.elements) {
        QList<const VobAudit::Row *> rows;
        for (const VobAudit::Row &row : audit.rows) {
            if (row.path == element.path)
                rows << &row;
        }
        if (rows.isEmpty())
            continue;
        for (const QString &group : rows.first()->groups) {
            if (!groups.contains(group)) {
                findings << Finding{Severity::Warning, element.path,
                                    QStringLiteral("group %1 is recorded here but no longer defined").arg(group)};
                continue;
            }
            const QStringList members = groups.value(group);
            for (const VobAudit::Row *row : rows) {
                QStringList missing;
                bool copied = false;
                for (const QString &member : members) {
                    if (AccessDecision::isListed(member, row->users))
                        copied = true;
                    else
                        missing << member;
                }
                if (copied && !missing.isEmpty())
                    findings << Finding{Severity::Warning, element.path,
                                        QStringLiteral("group %1 changed since it was copied into %2: %3 not listed")
                                            .arg(group, row->operation, missing.join(QStringLiteral(", ")))};
            }
        }
    }
}
