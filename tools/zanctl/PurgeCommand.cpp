#include "PurgeCommand.h"

#include "CliContext.h"
#include "access/AccessPlan.h"
#include "access/AccessPlanner.h"
#include "TargetTally.h"

QList<ZanctlCommand::Positional> PurgeCommand::positionals() const
{
    return {{QStringLiteral("TARGET..."), QStringLiteral("The elements to purge.")}};
}

int PurgeCommand::execute(const QStringList &arguments)
{
    QCommandLineParser parser;
    if (const auto stop = parse(arguments, parser, 0, -1))
        return *stop;
    const QStringList paths = targets(parser);
    if (paths.isEmpty())
        return fail(QStringLiteral("no target given (TARGET... or --targets-from FILE)"));
    const ElementLocation vob = locate(paths.first());
    if (dryRun(parser))
        return printPlan(parser, AccessPlanner(m_ctx.clearCase()).planPurge(vob, paths));
    const TargetTally tally = TargetTally::ofPurge(AccessApplier(m_ctx.clearCase()).purgeEach(vob, paths, observer()), int(paths.size()));
    m_ctx.endProgress();
    QString done = QStringLiteral("%1 target(s) purged").arg(tally.done);
    if (tally.passedOver > 0)
        done += QStringLiteral(", %1 had no settings").arg(tally.passedOver);
    return tally.finish(m_ctx.out(), m_ctx.err(), name(), done);
}
