#pragma once

#include <QString>
#include <QSet>
#include <QStringList>

class QJsonObject;
class QTextStream;
class SiteStyle;
struct AccessRunOutcome;
class AccessPlan;

// What happened to each target of an apply or a purge, or would happen in its dry run:
// the targets that failed (with the backend's reason) and those that are no element are
// named one a line on stderr, and the counts are exact. The exit status is 1 when any
// target failed or was missing.
class TargetTally
{
public:
    struct Problem {
        QString target;
        QString reason;
    };

    static TargetTally ofApply(const AccessRunOutcome &outcome);
    // The outcome's written targets are those that had settings and were purged.
    static TargetTally ofPurge(const AccessRunOutcome &outcome, int targetCount);
    static TargetTally ofPlan(const AccessPlan &plan);

    // "zanctl <command>: <target>: <reason>" for each problem.
    void printProblems(QTextStream &err, const QString &command, const SiteStyle &site) const;
    // The last line: on stdout when all went well (`done`: what a clean run says), else on stderr.
    int finish(QTextStream &out, QTextStream &err, const QString &command, const QString &done, const SiteStyle &site) const;

    // The tally as --json prints it: the counts, the failed targets with their reasons and
    // the missing ones.
    QJsonObject toJson() const;

    bool clean() const { return failed.isEmpty() && missing.isEmpty(); }
    // "2 target(s) failed, 1 missing; the others were written (3)", and the like.
    QString problemSummary() const;
    // "2 target(s) failed, 1 missing", "1 target(s) missing".
    QString problemCounts() const;

    QList<Problem> failed;
    QStringList missing;
    int done = 0;           // written, or purged (targets that had settings)
    int passedOver = 0;     // skipped (the base), or had no settings
    QString doneWord = QStringLiteral("written");
    QString passedOverWords = QStringLiteral("skipped (the base)");
};
