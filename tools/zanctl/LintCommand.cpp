#include "LintCommand.h"

#include "CliContext.h"
#include "access/AccessLint.h"
#include "access/VobAudit.h"
#include "groups/GroupNameRules.h"
#include "shell/SettingsStore.h"
#include "util/TextRoutines.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

AccessLint::GroupDefinitions groupDefinitions(SettingsStore &store)
{
    AccessLint::GroupDefinitions groups;
    for (const QString &group : TextRoutines::commaSplit(store.value(QStringLiteral("QXGROUPS")))) {
        // A group left over under a setting's name has no members: its key holds the setting.
        if (!group.isEmpty())
            groups.insert(group, GroupNameRules::memberKeyProblem(group).isEmpty() ? TextRoutines::commaSplit(store.value(group))
                                                                                   : QStringList());
    }
    return groups;
}

} // namespace

QList<ZanctlCommand::Positional> LintCommand::positionals() const
{
    return {{QStringLiteral("VOB"), QStringLiteral("The VOB root path in a view, e.g. m:\\view\\vob; a path below it stands for its VOB.")}};
}

int LintCommand::execute(const QStringList &arguments)
{
    QCommandLineParser parser;
    if (const auto stop = parse(arguments, parser, 1, 1))
        return *stop;
    const VobAudit audit = VobAudit::run(m_ctx.clearCase(), m_ctx.platform(), locateVob(operands(parser).first(), QStringLiteral("the findings cover")).vobRoot, [this](int seen) {
        if (seen % 50 == 0)
            m_ctx.progress(QStringLiteral("lint: %1 entries read").arg(seen));
    });
    m_ctx.endProgress();
    const QList<AccessLint::Finding> findings = AccessLint::check(audit, groupDefinitions(m_ctx.store()));
    if (json(parser)) {
        QJsonArray records;
        for (const AccessLint::Finding &finding : findings)
            records.append(QJsonObject{
                {QStringLiteral("severity"), finding.severity == AccessLint::Severity::Error ? QStringLiteral("error") : QStringLiteral("warning")},
                {QStringLiteral("where"), finding.where},
                {QStringLiteral("message"), finding.message}});
        printJson(records);
    } else {
        for (const AccessLint::Finding &finding : findings)
            m_ctx.out() << finding.line() << Qt::endl;
    }
    return findings.isEmpty() ? 0 : 1;
}
