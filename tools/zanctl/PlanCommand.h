#pragma once

#include "ZanctlCommand.h"

class AccessPlan;

// What apply and purge share: the targets (operands and --targets-from FILE), the dry run
// that prints the plan, and carrying a plan out through the ClearCase backend.
class PlanCommand : public ZanctlCommand
{
public:
    using ZanctlCommand::ZanctlCommand;

    QList<QCommandLineOption> options() const override;
    bool printsRecords() const override { return true; }

protected:
    // The targets named on the command line and in --targets-from; throws ZanError when the
    // file cannot be read.
    QStringList targets(const QCommandLineParser &parser) const;
    // Prints the plan (text or JSON) for a dry run, or carries it out; returns the status.
    int finish(const QCommandLineParser &parser, const AccessPlan &plan, const QString &vobTag);

private:
    void carryOut(const AccessPlan &plan, const QString &vobTag);
    void printPlan(const QCommandLineParser &parser, const AccessPlan &plan);
};
