#pragma once

#include "ZanctlCommand.h"

// zanctl history PATH: who set, changed or removed each setting of the element, when, from
// which host and with which value, from ClearCase's own event records; for the VOB root also
// the recorded privileged list and the trigger types. --op narrows it to one operation,
// --since to the changes from a date on.
class HistoryCommand : public ZanctlCommand
{
public:
    using ZanctlCommand::ZanctlCommand;

    QString name() const override { return QStringLiteral("history"); }
    QString description() const override { return QStringLiteral("Show who changed an element's settings, and when."); }
    QList<Positional> positionals() const override;
    QList<QCommandLineOption> options() const override;
    bool printsRecords() const override { return true; }
    int execute(const QStringList &arguments) override;

private:
    ElementLocation settingHomeOf(const ElementLocation &location, const QString &operation);
};
