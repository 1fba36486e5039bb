#pragma once

#include "ZanctlCommand.h"

// zanctl export FILE: the settings store as a configuration file, as the window saves it.
class ExportCommand : public ZanctlCommand
{
public:
    using ZanctlCommand::ZanctlCommand;

    QString name() const override { return QStringLiteral("export"); }
    QString description() const override { return QStringLiteral("Save the settings to a configuration file."); }
    QList<Positional> positionals() const override { return {{QStringLiteral("FILE"), QStringLiteral("The file to write.")}}; }
    int execute(const QStringList &arguments) override;
};
