#include "CommandRegistry.h"

#include "ApplyCommand.h"
#include "AuditCommand.h"
#include "CliContext.h"
#include "ExplainCommand.h"
#include "ExportCommand.h"
#include "HistoryCommand.h"
#include "ImportCommand.h"
#include "LintCommand.h"
#include "NearestName.h"
#include "PurgeCommand.h"
#include "RefusalsCommand.h"
#include "SetCommand.h"
#include "ShowCommand.h"
#include "clearcase/SiteText.h"
#include "TriggersCommand.h"
#include "util/ZanError.h"

CommandRegistry::CommandRegistry(CliContext &context) : m_ctx(context)
{
    m_commands.push_back(std::make_unique<ShowCommand>(context));
    m_commands.push_back(std::make_unique<ExplainCommand>(context));
    m_commands.push_back(std::make_unique<SetCommand>(context));
    m_commands.push_back(std::make_unique<HistoryCommand>(context));
    m_commands.push_back(std::make_unique<AuditCommand>(context));
    m_commands.push_back(std::make_unique<ApplyCommand>(context));
    m_commands.push_back(std::make_unique<PurgeCommand>(context));
    m_commands.push_back(std::make_unique<LintCommand>(context));
    m_commands.push_back(std::make_unique<TriggersCommand>(context));
    m_commands.push_back(std::make_unique<RefusalsCommand>(context));
    m_commands.push_back(std::make_unique<ExportCommand>(context));
    m_commands.push_back(std::make_unique<ImportCommand>(context));
}

ZanctlCommand *CommandRegistry::find(const QString &name) const
{
    for (const auto &command : m_commands) {
        if (command->name() == name)
            return command.get();
    }
    return nullptr;
}

QString CommandRegistry::overview() const
{
    QString text = QStringLiteral("Usage: zanctl COMMAND [options] [arguments]\n\n"
                                  "Access control on ClearCase elements, from the command line.\n\nCommands:\n");
    for (const auto &command : m_commands)
        text += QStringLiteral("  %1%2\n").arg(command->name().leftJustified(10), command->description());
    text += QStringLiteral("\nzanctl help COMMAND or zanctl COMMAND --help shows a command's options. zanctl --version shows the version.\n"
                           "Environment: ZAN_CLEARCASE, ZAN_CLEARTOOL, ZAN_SANDBOX, ZAN_SETTINGS, ZAN_DRIVES.\n");
    return text;
}

int CommandRegistry::run(const QStringList &arguments)
{
    const QString first = arguments.value(0);
    if (first == QLatin1String("help") && arguments.size() > 1)
        return run({arguments.at(1), QStringLiteral("--help")});
    if (first.isEmpty() || first == QLatin1String("--help") || first == QLatin1String("-h") || first == QLatin1String("help")) {
        (first.isEmpty() ? m_ctx.err() : m_ctx.out()) << overview() << Qt::flush;
        return first.isEmpty() ? ZanctlCommand::failureStatus : 0;
    }
    if (first == QLatin1String("--version")) {
        m_ctx.out() << ZanctlCommand::version() << Qt::endl;
        return 0;
    }
    ZanctlCommand *command = find(first);
    if (!command) {
        QStringList names;
        for (const auto &known : m_commands)
            names << known->name();
        m_ctx.err() << QStringLiteral("zanctl: unknown command \"%1\"%2 (see zanctl --help)").arg(first, NearestName::didYouMean(first, names))
                    << Qt::endl;
        return ZanctlCommand::failureStatus;
    }
    try {
        return command->execute(arguments);
    } catch (...) {
        const ZanError error = ZanError::current(QStringLiteral("zanctl"));
        m_ctx.endProgress();
        m_ctx.err() << QStringLiteral("zanctl %1: %2").arg(first, SiteText::of(error.description().simplified(), m_ctx.siteStyle())) << Qt::endl;
        return ZanctlCommand::failureStatus;
    }
}
