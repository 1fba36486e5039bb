#include "PurgeCommand.h"

#include "CliContext.h"
#include "access/AccessPlan.h"
#include "access/AccessPlanner.h"
#include "TargetTally.h"
#include "clearcase/CCase.h"

#include <QSet>

namespace {

QList<QStringList> chunksOf(const QStringList &items)
{
    QList<QStringList> chunks;
    for (qsizetype i = 0; i < items.size(); i += AccessApplier::defaultChunkSize)
        chunks << items.mid(i, AccessApplier::defaultChunkSize);
    return chunks;
}

} // namespace

QList<ZanctlCommand::Positional> PurgeCommand::positionals() const
{
    return {{QStringLiteral("TARGET..."), QStringLiteral("The elements to purge.")}};
}

QStringList PurgeCommand::existing(const QStringList &elements)
{
    QStringList found;
    qsizetype looked = 0;
    for (const QStringList &chunk : chunksOf(elements)) {
        found << m_ctx.clearCase().existingVersions(chunk);
        looked += chunk.size();
        m_ctx.progress(QStringLiteral("purge: %1 of %2 target(s) looked up").arg(looked).arg(elements.size()));
    }
    m_ctx.endProgress();
    return found;
}

int PurgeCommand::execute(const QStringList &arguments)
{
    QCommandLineParser parser;
    if (const auto stop = parse(arguments, parser, 0, -1))
        return *stop;
    const QStringList paths = targets(parser);
    if (paths.isEmpty())
        return fail(QStringLiteral("no target given (TARGET..., --targets-from FILE or --under DIR)"));
    const ElementLocation vob = locate(paths.first());
    QStringList elements;
    for (const QString &path : paths)
        elements << vob.at(path).element();
    const QStringList found = existing(elements);
    const QSet<QString> foundSet(found.cbegin(), found.cend());
    QStringList missing;
    for (const QString &element : elements) {
        if (!foundSet.contains(element))
            missing << element;
    }
    if (dryRun(parser)) {
        AccessPlan plan = planner().planPurge(vob, found);
        plan.skipped = missing;
        return printPlan(parser, plan);
    }
    AccessRunOutcome outcome = AccessApplier(m_ctx.clearCase()).purgeEach(vob, found, observer());
    m_ctx.endProgress();
    outcome.missing = missing + outcome.missing;
    const TargetTally tally = TargetTally::ofPurge(outcome, int(elements.size()));
    QString done = QStringLiteral("%1 target(s) purged").arg(tally.done);
    if (tally.passedOver > 0)
        done += QStringLiteral(", %1 had no settings").arg(tally.passedOver);
    return finishRun(parser, tally, done);
}
