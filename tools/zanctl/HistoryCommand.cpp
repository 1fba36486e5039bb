#include "HistoryCommand.h"

#include "CliContext.h"
#include "NearestName.h"
#include "access/AccessEditor.h"
#include "access/AccessSettingsReader.h"
#include "access/OperationsCatalogue.h"
#include "access/SettingHistory.h"
#include "access/SettingHistoryReport.h"
#include "shell/SettingsStore.h"

namespace {

const QString operationOption = QStringLiteral("op");
const QString formatOption = QStringLiteral("format");

} // namespace

QList<ZanctlCommand::Positional> HistoryCommand::positionals() const
{
    return {{QStringLiteral("PATH"), QStringLiteral("The element, e.g. m:\\view\\vob\\dir\\file, or the VOB root path.")}};
}

QList<QCommandLineOption> HistoryCommand::options() const
{
    return {QCommandLineOption(operationOption, QStringLiteral("Only the changes of this operation's setting."), QStringLiteral("OP")),
            sinceOptionFor(QStringLiteral("changes")),
            QCommandLineOption(formatOption, QStringLiteral("text (default), csv or json."), QStringLiteral("FORMAT"),
                               QStringLiteral("text"))};
}

// A privileged operation's setting is the VOB root's, as zanctl set places it.
ElementLocation HistoryCommand::settingHomeOf(const ElementLocation &location, const QString &operation)
{
    if (location.isVobRoot())
        return location;
    const QString stored = m_ctx.store().value(QStringLiteral("PrivOper"));
    const QString privilegedList = AccessSettingsReader(m_ctx.clearCase())
                                       .privilegedListInForce(location, stored.isEmpty() ? OperationsCatalogue::defaultPrivilegedList() : stored);
    const QString home = AccessEditor::settingHome(location, operation, privilegedList);
    if (home == location.element())
        return location;
    m_ctx.err() << QStringLiteral("zanctl history: %1 is privileged: its setting is the VOB root's").arg(operation) << Qt::endl;
    return location.at(home);
}

int HistoryCommand::execute(const QStringList &arguments)
{
    QCommandLineParser parser;
    if (const auto stop = parse(arguments, parser, 1, 1))
        return *stop;
    SettingHistoryReport::Format format = SettingHistoryReport::Format::Json;
    if (!json(parser) && !ReportFormats::parse(parser.value(formatOption), format))
        return fail(QStringLiteral("unknown format \"%1\" (text, csv or json)").arg(parser.value(formatOption)));
    const QString operation = parser.value(operationOption);
    if (const QStringList known = OperationsCatalogue::offeredOperations(true); !operation.isEmpty() && !known.contains(operation))
        return fail(QStringLiteral("\"%1\" is not an operation of the catalogue%2 (see zanctl history --help)")
                        .arg(operation, NearestName::didYouMean(operation, known)));
    QDateTime since;
    if (const auto stop = readSince(parser, since))
        return *stop;

    ElementLocation location = locate(operands(parser).first());
    if (!operation.isEmpty())
        location = settingHomeOf(location, operation);
    m_ctx.clearCase().requireVersion(SiteStyle::versionOf(location.element()));
    const QList<SettingHistory::Change> changes =
        SettingHistory::filtered(SettingHistory(m_ctx.clearCase()).of(location), operation, since);
    m_ctx.out() << SettingHistoryReport::render(location.element(), changes, format) << Qt::flush;
    return 0;
}
