#pragma once

#include "ZanctlCommand.h"

// zanctl lint VOB: findings on a VOB's settings, one a line. Exit 0 clean, 1 findings.
class LintCommand : public ZanctlCommand
{
public:
    using ZanctlCommand::ZanctlCommand;

    QString name() const override { return QStringLiteral("lint"); }
    QString description() const override { return QStringLiteral("Find settings that are not enforced, lock everybody out or drifted."); }
    QList<Positional> positionals() const override;
    bool printsRecords() const override { return true; }
    int execute(const QStringList &arguments) override;
};
