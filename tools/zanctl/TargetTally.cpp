#include "TargetTally.h"

#include "access/AccessApplier.h"
#include "access/AccessPlan.h"

#include "clearcase/SiteText.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QTextStream>

namespace {

const QString notAnElement = QStringLiteral("not an element");

} // namespace

TargetTally TargetTally::ofApply(const AccessRunOutcome &outcome)
{
    TargetTally tally;
    for (const AccessRunFailure &failure : outcome.failures)
        tally.failed << Problem{failure.target, failure.description};
    tally.missing = outcome.missing;
    tally.done = outcome.written;
    tally.passedOver = int(outcome.skipped.size());
    return tally;
}

TargetTally TargetTally::ofPurge(const AccessRunOutcome &outcome, int targetCount)
{
    TargetTally tally = ofApply(outcome);
    tally.done = outcome.written;
    tally.doneWord = QStringLiteral("purged");
    tally.passedOverWords = QStringLiteral("had no settings");
    tally.passedOver = targetCount - tally.done - int(tally.failed.size() + tally.missing.size());
    return tally;
}

TargetTally TargetTally::ofPlan(const AccessPlan &plan)
{
    TargetTally tally;
    for (const QString &skipped : plan.skipped) {
        if (skipped != plan.base || plan.kind == AccessPlan::Kind::Purge)
            tally.missing << skipped;
    }
    for (const TargetPlan &target : plan.targets) {
        if (!target.error.isEmpty())
            tally.failed << Problem{target.target, target.error};
    }
    return tally;
}

void TargetTally::printProblems(QTextStream &err, const QString &command, const SiteStyle &site) const
{
    for (const Problem &problem : failed)
        err << QStringLiteral("zanctl %1: %2: %3").arg(command, problem.target, SiteText::of(problem.reason.simplified(), site)) << Qt::endl;
    for (const QString &target : missing)
        err << QStringLiteral("zanctl %1: %2: %3").arg(command, target, notAnElement) << Qt::endl;
}

QString TargetTally::problemCounts() const
{
    QStringList problems;
    if (!failed.isEmpty())
        problems << QStringLiteral("%1 target(s) failed").arg(failed.size());
    if (!missing.isEmpty())
        problems << (problems.isEmpty() ? QStringLiteral("%1 target(s) missing") : QStringLiteral("%1 missing")).arg(missing.size());
    return problems.join(QStringLiteral(", "));
}

QString TargetTally::problemSummary() const
{
    QString outcome;
    if (done > 0 && passedOver == 0)
        outcome = QStringLiteral("the others were %1 (%2)").arg(doneWord).arg(done);
    else if (done == 0 && passedOver == 0)
        outcome = QStringLiteral("nothing was %1").arg(doneWord);
    else if (done == 0)
        outcome = QStringLiteral("nothing was %1, %2 %3").arg(doneWord).arg(passedOver).arg(passedOverWords);
    else
        outcome = QStringLiteral("%1 %2, %3 %4").arg(done).arg(doneWord).arg(passedOver).arg(passedOverWords);
    return problemCounts() + QStringLiteral("; ") + outcome;
}

int TargetTally::finish(QTextStream &out, QTextStream &err, const QString &command, const QString &doneText,
                        const SiteStyle &site) const
{
    printProblems(err, command, site);
    if (!clean()) {
        err << QStringLiteral("zanctl %1: %2").arg(command, problemSummary()) << Qt::endl;
        return 1;
    }
    out << doneText << Qt::endl;
    return 0;
}

QJsonObject TargetTally::toJson() const
{
    QJsonArray failures;
    for (const Problem &problem : failed)
        failures.append(QJsonObject{{QStringLiteral("target"), problem.target}, {QStringLiteral("reason"), problem.reason.simplified()}});
    return QJsonObject{{doneWord, done},
                       {QStringLiteral("passedOver"), passedOver},
                       {QStringLiteral("failed"), failures},
                       {QStringLiteral("missing"), QJsonArray::fromStringList(missing)}};
}
