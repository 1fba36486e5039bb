#pragma once

#include "ZanctlCommand.h"
#include "access/AccessApplier.h"
#include "access/AccessPlanner.h"

class AccessPlan;
class TargetTally;

// What apply and purge share: the targets (operands, --targets-from FILE and --under DIR with
// its patterns), the dry run that prints the plan, and the progress of a real run.
class PlanCommand : public ZanctlCommand
{
public:
    using ZanctlCommand::ZanctlCommand;

    QList<QCommandLineOption> options() const override;
    bool printsRecords() const override { return true; }

protected:
    // The targets named on the command line, in --targets-from and by --under; throws ZanError
    // when the file cannot be read or the pattern names nothing.
    QStringList targets(const QCommandLineParser &parser);
    static bool dryRun(const QCommandLineParser &parser) { return parser.isSet(QStringLiteral("dry-run")); }
    // Prints the plan of a dry run, as text or JSON; returns the status.
    int printPlan(const QCommandLineParser &parser, const AccessPlan &plan);
    // The end of a real run: the tally's last line, or with --json the tally as JSON (its
    // problems still one a line on stderr); returns the status.
    int finishRun(const QCommandLineParser &parser, const TargetTally &tally, const QString &doneText);
    // Progress on stderr (when it is a terminal) while the access core writes.
    AccessRunObserver observer();
    // A planner whose reading of the targets shows the same progress, for dry runs.
    AccessPlanner planner();
};
