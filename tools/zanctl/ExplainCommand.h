#pragma once

#include "ZanctlCommand.h"

// zanctl explain USER OPERATION PATH: allow or deny, then the reasons. Exit 0 allow, 1 deny;
// an operation outside the catalogue is a usage error.
class ExplainCommand : public ZanctlCommand
{
public:
    using ZanctlCommand::ZanctlCommand;

    QString name() const override { return QStringLiteral("explain"); }
    QString description() const override { return QStringLiteral("Say whether a user may do an operation on an element, and why."); }
    QList<Positional> positionals() const override;
    QList<QCommandLineOption> options() const override;
    bool printsRecords() const override { return true; }
    int execute(const QStringList &arguments) override;

private:
    // Why the operation cannot be explained, naming the nearest known one; "" when it can.
    QString unknownOperation(const QString &operation) const;
};
