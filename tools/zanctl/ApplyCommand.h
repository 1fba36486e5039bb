#pragma once

#include "PlanCommand.h"

// zanctl apply --from BASE TARGET...: the base element's settings copied onto the targets.
class ApplyCommand : public PlanCommand
{
public:
    using PlanCommand::PlanCommand;

    QString name() const override { return QStringLiteral("apply"); }
    QString description() const override { return QStringLiteral("Copy an element's settings to other elements."); }
    QList<Positional> positionals() const override;
    QList<QCommandLineOption> options() const override;
    int execute(const QStringList &arguments) override;
};
