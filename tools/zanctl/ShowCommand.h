#pragma once

#include "ZanctlCommand.h"

// zanctl show PATH: the element's settings, each read where it is enforced.
class ShowCommand : public ZanctlCommand
{
public:
    using ZanctlCommand::ZanctlCommand;

    QString name() const override { return QStringLiteral("show"); }
    QString description() const override { return QStringLiteral("Show an element's access settings."); }
    QList<Positional> positionals() const override;
    bool printsRecords() const override { return true; }
    int execute(const QStringList &arguments) override;
};
