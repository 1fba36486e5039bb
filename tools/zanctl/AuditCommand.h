#pragma once

#include "ZanctlCommand.h"

// zanctl audit VOB: every setting of a VOB, as text, CSV, JSON or one HTML page; with --under,
// those of the elements a pattern names.
class AuditCommand : public ZanctlCommand
{
public:
    using ZanctlCommand::ZanctlCommand;

    QString name() const override { return QStringLiteral("audit"); }
    QString description() const override { return QStringLiteral("List every access setting of a VOB and its trigger status."); }
    QList<Positional> positionals() const override;
    QList<QCommandLineOption> options() const override;
    bool printsRecords() const override { return true; }
    int execute(const QStringList &arguments) override;
};
