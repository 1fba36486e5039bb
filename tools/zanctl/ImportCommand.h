#pragma once

#include "ZanctlCommand.h"
#include "triggers/ConfigFile.h"

// zanctl import FILE: a configuration file into the settings store, checked whole first;
// FILE "-" is standard input.
class ImportCommand : public ZanctlCommand
{
public:
    using ZanctlCommand::ZanctlCommand;

    QString name() const override { return QStringLiteral("import"); }
    QString description() const override { return QStringLiteral("Load the settings from a configuration file."); }
    QList<Positional> positionals() const override { return {{QStringLiteral("FILE"), QStringLiteral("A file saved by Zan Utility; - reads standard input.")}}; }
    int execute(const QStringList &arguments) override;

private:
    // The file through the file guard, or standard input under the same size limit.
    std::optional<ConfigFile::Parsed> load(const QString &path, QString &reason);
};
