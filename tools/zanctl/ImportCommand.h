#pragma once

#include "ZanctlCommand.h"

// zanctl import FILE: a configuration file into the settings store, checked whole first.
class ImportCommand : public ZanctlCommand
{
public:
    using ZanctlCommand::ZanctlCommand;

    QString name() const override { return QStringLiteral("import"); }
    QString description() const override { return QStringLiteral("Load the settings from a configuration file."); }
    QList<Positional> positionals() const override { return {{QStringLiteral("FILE"), QStringLiteral("A file saved by Zan Utility.")}}; }
    int execute(const QStringList &arguments) override;
};
