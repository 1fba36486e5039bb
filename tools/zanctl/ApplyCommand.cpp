#include "ApplyCommand.h"

#include "CliContext.h"
#include "access/AccessAttributeFormat.h"
#include "access/AccessEditor.h"
#include "access/AccessPlan.h"
#include "access/AccessPlanner.h"
#include "access/AccessSettingsReader.h"
#include "TargetTally.h"

QList<ZanctlCommand::Positional> ApplyCommand::positionals() const
{
    return {{QStringLiteral("TARGET..."), QStringLiteral("The elements that receive the settings.")}};
}

QList<QCommandLineOption> ApplyCommand::options() const
{
    QList<QCommandLineOption> all = PlanCommand::options();
    all.prepend(QCommandLineOption(QStringLiteral("from"), QStringLiteral("The base element whose settings are copied."),
                                   QStringLiteral("BASE")));
    return all;
}

int ApplyCommand::execute(const QStringList &arguments)
{
    QCommandLineParser parser;
    if (const auto stop = parse(arguments, parser, 0, -1))
        return *stop;
    if (!parser.isSet(QStringLiteral("from")))
        return fail(QStringLiteral("--from BASE is required (see zanctl apply --help)"));
    const QStringList paths = targets(parser);
    if (paths.isEmpty())
        return fail(QStringLiteral("no target given (TARGET..., --targets-from FILE or --under DIR)"));
    const ElementLocation base = locate(parser.value(QStringLiteral("from")));
    AccessSettingsReader reader(m_ctx.clearCase());
    const QStringList operations = AccessSettingsReader::operationsOn(reader.attributesOf(base.element()));
    if (dryRun(parser))
        return printPlan(parser, planner().planApply(base, operations, paths));
    // Every target gets QX_GROUPS. The window makes its type when the VOB root is first
    // selected; a script may come to a VOB where nobody ever did.
    AccessEditor(m_ctx.clearCase()).ensureAttributeType(base, AccessAttributeFormat::groupsTypeName);
    const AccessApplier::Outcome outcome = AccessApplier(m_ctx.clearCase()).apply(base, operations, paths, observer());
    m_ctx.endProgress();
    return finishRun(parser, TargetTally::ofApply(outcome),
                     QStringLiteral("settings of %1 applied to %2 target(s)").arg(base.element()).arg(outcome.written));
}
