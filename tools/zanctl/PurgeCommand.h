#pragma once

#include "PlanCommand.h"

#include <QSet>

// zanctl purge TARGET...: every access setting removed from the targets.
class PurgeCommand : public PlanCommand
{
public:
    using PlanCommand::PlanCommand;

    QString name() const override { return QStringLiteral("purge"); }
    QString description() const override { return QStringLiteral("Remove every access setting from elements."); }
    QList<Positional> positionals() const override;
    int execute(const QStringList &arguments) override;

private:
    // The elements that exist, in the given order.
    QStringList existing(const QStringList &elements);
};
