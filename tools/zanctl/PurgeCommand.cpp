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
    for (const QStringList &chunk : chunksOf(elements))
        found << m_ctx.clearCase().existingVersions(chunk);
    return found;
}

// Read before the purge: a chunk that fails part-way is retried one target at a time, and
// by then the targets it did purge have nothing left to count.
QSet<QString> PurgeCommand::withSettings(const QStringList &elements)
{
    QSet<QString> found;
    const auto record = [&found](const QString &element, const QList<AttributeInfo> &attributes) {
        if (!AccessPlanner::purgeChanges(attributes).isEmpty())
            found.insert(element);
    };
    for (const QStringList &chunk : chunksOf(elements)) {
        QStringList versions;
        for (const QString &element : chunk)
            versions << CCase::versionOf(element);
        try {
            const QList<QList<AttributeInfo>> attributes = m_ctx.clearCase().attributesOfVersions(versions);
            for (qsizetype i = 0; i < chunk.size(); ++i)
                record(chunk.at(i), attributes.at(i));
        } catch (...) {
            for (const QString &element : chunk) {
                try {
                    record(element, m_ctx.clearCase().attributes(CCase::versionOf(element)));
                } catch (...) {
                    // the purge names it as failed
                }
            }
        }
    }
    return found;
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
        AccessPlan plan = AccessPlanner(m_ctx.clearCase()).planPurge(vob, found);
        plan.skipped = missing;
        return printPlan(parser, plan);
    }
    const QSet<QString> hadSettings = withSettings(found);
    AccessRunOutcome outcome = AccessApplier(m_ctx.clearCase()).purgeEach(vob, found, observer());
    m_ctx.endProgress();
    outcome.missing = missing + outcome.missing;
    const TargetTally tally = TargetTally::ofPurge(outcome, int(elements.size()), hadSettings);
    QString done = QStringLiteral("%1 target(s) purged").arg(tally.done);
    if (tally.passedOver > 0)
        done += QStringLiteral(", %1 had no settings").arg(tally.passedOver);
    return tally.finish(m_ctx.out(), m_ctx.err(), name(), done);
}
