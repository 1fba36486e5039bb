#pragma once

#include "ZanctlCommand.h"
#include "access/AuditReport.h"

class VobAudit;

// zanctl audit VOB: every setting of a VOB, as text, CSV, JSON or one HTML page; with --under,
// those of the elements a pattern names; with --all, those of every VOB the site lists.
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

private:
    int auditAll(const QCommandLineParser &parser, AuditReport::Format format);
    VobAudit run(const QString &vobRoot);
    // The report on stdout or into --output FILE; false when the file cannot be written (said).
    bool write(const QCommandLineParser &parser, const QByteArray &report);
};
