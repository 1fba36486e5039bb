#include "PurgeCommand.h"

#include "CliContext.h"
#include "access/AccessPlan.h"
#include "access/AccessPlanner.h"

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
    AccessApplier(m_ctx.clearCase()).purge(vob, paths, observer());
    m_ctx.endProgress();
    m_ctx.out() << QStringLiteral("%1 target(s) purged").arg(paths.size()) << Qt::endl;
    return 0;
}
