#pragma once

#include "ZanctlCommand.h"
#include "triggers/ConfigFile.h"

// zanctl export FILE: the settings store as a configuration file, as the window saves it;
// FILE "-" is standard output.
class ExportCommand : public ZanctlCommand
{
public:
    using ZanctlCommand::ZanctlCommand;

    QString name() const override { return QStringLiteral("export"); }
    QString description() const override { return QStringLiteral("Save the settings to a configuration file."); }
    QList<Positional> positionals() const override { return {{QStringLiteral("FILE"), QStringLiteral("The file to write; - writes to standard output.")}}; }
    int execute(const QStringList &arguments) override;

private:
    void reportLeftOut(const ConfigFile::Composed &composed);
};
