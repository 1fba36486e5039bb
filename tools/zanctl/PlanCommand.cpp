#include "PlanCommand.h"

#include "CliContext.h"
#include "access/AccessPlan.h"
#include "TargetPattern.h"
#include "TargetTally.h"
#include "platform/FileGuard.h"
#include "util/ZanError.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonObject>

namespace {

QJsonValue optionalJson(const std::optional<QString> &value)
{
    return value ? QJsonValue(*value) : QJsonValue();
}

QJsonObject planJson(const AccessPlan &plan, const TargetTally &tally)
{
    QJsonArray targets;
    for (const TargetPlan &target : plan.targets) {
        QJsonArray changes;
        for (const SettingChange &change : target.changes) {
            if (change.changes())
                changes.append(QJsonObject{{QStringLiteral("setting"), change.label()},
                                           {QStringLiteral("before"), optionalJson(change.before)},
                                           {QStringLiteral("after"), optionalJson(change.after)},
                                           {QStringLiteral("gained"), QJsonArray::fromStringList(change.gained)},
                                           {QStringLiteral("lost"), QJsonArray::fromStringList(change.lost)}});
        }
        QJsonObject object{{QStringLiteral("target"), target.target}, {QStringLiteral("changes"), changes}};
        if (!target.error.isEmpty())
            object.insert(QStringLiteral("error"), target.error);
        targets.append(object);
    }
    return QJsonObject{{QStringLiteral("kind"), plan.kind == AccessPlan::Kind::Apply ? QStringLiteral("apply") : QStringLiteral("purge")},
                       {QStringLiteral("base"), plan.base},
                       {QStringLiteral("targets"), targets},
                       {QStringLiteral("skipped"), QJsonArray::fromStringList(plan.skipped)},
                       {QStringLiteral("missing"), QJsonArray::fromStringList(tally.missing)}};
}

} // namespace

QList<QCommandLineOption> PlanCommand::options() const
{
    return QList<QCommandLineOption>{
               QCommandLineOption(QStringLiteral("dry-run"), QStringLiteral("Print what would change, per target and setting; change nothing.")),
               QCommandLineOption(QStringLiteral("targets-from"), QStringLiteral("Read more targets from FILE, one path a line."),
                                  QStringLiteral("FILE"))}
           + TargetPattern::options();
}

QStringList PlanCommand::targets(const QCommandLineParser &parser)
{
    const TargetPattern pattern(parser);
    QStringList paths = operands(parser);
    if (parser.isSet(QStringLiteral("targets-from"))) {
        const QString list = parser.value(QStringLiteral("targets-from"));
        const FileGuard::Outcome read = FileGuard::read(list);
        if (!read.ok())
            throw ZanError(ZanError::FileNotFound, QStringLiteral("zanctl"), QStringLiteral("cannot read %1: %2").arg(list, read.reason));
        for (const QString &line : QString::fromUtf8(read.content).split(QLatin1Char('\n'))) {
            if (!line.trimmed().isEmpty())
                paths << QString(line).remove(QLatin1Char('\r'));
        }
    }
    for (QString &path : paths)
        path = sitePath(path);
    return paths + patternTargets(pattern);
}

int PlanCommand::printPlan(const QCommandLineParser &parser, const AccessPlan &plan)
{
    m_ctx.endProgress();
    const TargetTally tally = TargetTally::ofPlan(plan);
    const int status = tally.clean() ? 0 : 1;
    if (json(parser)) {
        printJson(planJson(plan, tally));
        return status;
    }
    const QString text = plan.describe();
    if (!text.isEmpty())
        m_ctx.out() << text << Qt::endl;
    if (plan.skipped.contains(plan.base))
        m_ctx.out() << plan.base << QStringLiteral(": skipped (the base)") << Qt::endl;
    m_ctx.out() << QStringLiteral("%1 of %2 target(s) would change").arg(plan.changedTargetCount()).arg(plan.targets.size()) << Qt::endl;
    tally.printProblems(m_ctx.err(), name(), m_ctx.siteStyle());
    if (!tally.clean())
        m_ctx.err() << QStringLiteral("zanctl %1: %2; a dry run writes nothing").arg(name(), tally.problemCounts()) << Qt::endl;
    return status;
}

int PlanCommand::finishRun(const QCommandLineParser &parser, const TargetTally &tally, const QString &doneText)
{
    if (!json(parser))
        return tally.finish(m_ctx.out(), m_ctx.err(), name(), doneText, m_ctx.siteStyle());
    tally.printProblems(m_ctx.err(), name(), m_ctx.siteStyle());
    printJson(tally.toJson());
    return tally.clean() ? 0 : 1;
}

AccessRunObserver PlanCommand::observer()
{
    AccessRunObserver observer;
    observer.status = [this](const QString &message) { m_ctx.progress(name() + QStringLiteral(": ") + message); };
    return observer;
}

AccessPlanner PlanCommand::planner()
{
    AccessPlanner planner(m_ctx.clearCase());
    planner.setProgress([this](qsizetype read, qsizetype total) {
        m_ctx.progress(QStringLiteral("%1: %2 of %3 target(s) read").arg(name()).arg(read).arg(total));
    });
    return planner;
}
