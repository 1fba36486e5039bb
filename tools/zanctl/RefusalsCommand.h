#pragma once

#include "ZanctlCommand.h"

// zanctl refusals: the operations the security triggers refused, as the script recorded them
// in the log folder beside it — by default the folders of every VOB of the site (or of --vob's),
// found from the installed trigger types or the location stored at the installation; --log
// names a folder instead. --since, --user and --vob narrow the list.
class RefusalsCommand : public ZanctlCommand
{
public:
    using ZanctlCommand::ZanctlCommand;

    QString name() const override { return QStringLiteral("refusals"); }
    QString description() const override { return QStringLiteral("List the operations the security triggers refused."); }
    QList<Positional> positionals() const override { return {}; }
    QList<QCommandLineOption> options() const override;
    bool printsRecords() const override { return true; }
    int execute(const QStringList &arguments) override;

private:
    // The site's own spelling of a typed VOB tag; "" when the site has no such VOB.
    QString siteVobTag(const QString &typed);
    // The folders to read; sets `status` to the failure status when there is none.
    QStringList logFolders(const QCommandLineParser &parser, const QString &vobTag, std::optional<int> &status);
};
