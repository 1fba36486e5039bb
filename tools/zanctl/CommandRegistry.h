#pragma once

#include "ZanctlCommand.h"

#include <QStringList>
#include <memory>
#include <vector>

class CliContext;

// The zanctl subcommands, in the order --help lists them, and the dispatch of a command
// line to one of them. Failures a command throws end as one line on stderr and status 2.
class CommandRegistry
{
public:
    explicit CommandRegistry(CliContext &context);

    // arguments: the command line without the program's name.
    int run(const QStringList &arguments);
    QString overview() const;
    const std::vector<std::unique_ptr<ZanctlCommand>> &commands() const { return m_commands; }

private:
    ZanctlCommand *find(const QString &name) const;

    CliContext &m_ctx;
    std::vector<std::unique_ptr<ZanctlCommand>> m_commands;
};
