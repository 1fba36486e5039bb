#pragma once

#include "ZanctlCommand.h"
#include "triggers/TriggerInstaller.h"

#include <QJsonArray>

class TriggerOptions;

// zanctl triggers status|install|update|remove VOBROOT... [--all]: the security triggers of
// each VOB, as the Trigger(Admin) tab shows, applies and removes them, with its checks, its
// texts and its cleartool steps. The inputs default to what each VOB was last installed
// with. A question the window asks (a location this machine cannot reach, the removal) is
// answered by --yes, or at a terminal. Exit 0 when every VOB went well, 1 when one did not.
class TriggersCommand : public ZanctlCommand
{
public:
    using ZanctlCommand::ZanctlCommand;

    QString name() const override { return QStringLiteral("triggers"); }
    QString description() const override { return QStringLiteral("Show, install, update or remove the security triggers of VOBs."); }
    QList<Positional> positionals() const override;
    QList<QCommandLineOption> options() const override;
    bool printsRecords() const override { return true; }
    int execute(const QStringList &arguments) override;

    static inline const QStringList actions = {QStringLiteral("status"), QStringLiteral("install"), QStringLiteral("update"),
                                               QStringLiteral("remove")};

private:
    // One VOB; false when it failed (said on stderr).
    bool runOn(const QString &action, const QString &path, const TriggerOptions &options);
    void showStatus(const TriggerInstaller &installer);
    bool install(const TriggerInstaller &installer, bool update);
    bool remove(const ElementLocation &vob);
    // The checks and the copy of the script before anything changes in the VOB.
    bool readyToInstall(const TriggerInstaller &installer);
    bool deployScript(const TriggerInstaller &installer);
    // The script beside the program, which every installation copies.
    QString scriptSource() const;
    // The window's question; --yes answers it, else the person at the terminal. `refusal`
    // says why nothing happens when nobody can answer.
    bool confirmed(const QString &vobTag, const QString &question, const QString &refusal);
    bool runSteps(const QString &vobTag, const QList<TriggerInstaller::Step> &steps);
    void printSteps(const QList<TriggerInstaller::Step> &steps);
    // "zanctl triggers: <VOB>: <text>" on stderr; false.
    bool problem(const QString &vobTag, const QString &text);

    bool m_yes = false;
    bool m_dryRun = false;
    bool m_json = false;
    QJsonArray m_records;
};
