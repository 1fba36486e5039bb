#include "TriggersCommand.h"

#include "CliContext.h"
#include "NearestName.h"
#include "clearcase/SiteText.h"
#include "TriggerOptions.h"
#include "platform/InstallLayout.h"
#include "platform/Platform.h"
#include "shell/SettingsStore.h"
#include "triggers/StoredTriggerSettings.h"
#include "util/ZanError.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonObject>

namespace {

const QString allOption = QStringLiteral("all");
const QString yesOption = QStringLiteral("yes");
const QString dryRunOption = QStringLiteral("dry-run");

QString oneLine(const QString &text)
{
    return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral(" ")).simplified();
}

QString unreachableText(const QList<ScriptDeployment::Unreachable> &locations)
{
    QStringList named;
    for (const ScriptDeployment::Unreachable &location : locations)
        named << location.location + QStringLiteral(" (") + oneLine(location.reason) + QLatin1Char(')');
    return QStringLiteral("this machine cannot reach the trigger location %1; give --yes to install the triggers anyway")
        .arg(named.join(QStringLiteral(", ")));
}

} // namespace

QList<ZanctlCommand::Positional> TriggersCommand::positionals() const
{
    return {{QStringLiteral("ACTION"), QStringLiteral("status, install, update or remove.")},
            {QStringLiteral("VOBROOT..."), QStringLiteral("The VOB root paths in a view, e.g. m:\\view\\vob; with --all, at most one "
                                                          "path that names the view (the current folder by default).")}};
}

QList<QCommandLineOption> TriggersCommand::options() const
{
    return QList<QCommandLineOption>{QCommandLineOption(allOption, QStringLiteral("Every VOB the site lists, in the view.")),
                                     QCommandLineOption(yesOption, QStringLiteral("Answer yes to the questions: install without a "
                                                                                  "reachable location, remove.")),
                                     QCommandLineOption(dryRunOption, QStringLiteral("Print the cleartool command lines, in order; "
                                                                                     "change nothing."))}
           + TriggerOptions::options();
}

int TriggersCommand::execute(const QStringList &arguments)
{
    QCommandLineParser parser;
    if (const auto stop = parse(arguments, parser, 1, -1))
        return *stop;
    const QString action = operands(parser).first();
    if (!actions.contains(action))
        return fail(QStringLiteral("\"%1\" is no action: status, install, update or remove%2")
                        .arg(action, NearestName::didYouMean(action, actions)));
    const TriggerOptions options(parser);
    if (const QString problem = options.problem(); !problem.isEmpty())
        return fail(problem);
    const bool all = parser.isSet(allOption);
    const QStringList paths = operands(parser).mid(1);
    if (all ? paths.size() > 1 : paths.isEmpty())
        return fail(all ? QStringLiteral("--all takes at most one path, in the view (see zanctl triggers --help)")
                        : QStringLiteral("no VOB given: VOBROOT... or --all (see zanctl triggers --help)"));
    m_yes = parser.isSet(yesOption);
    m_dryRun = parser.isSet(dryRunOption);
    m_json = json(parser);
    const QStringList roots = all ? siteVobRoots(paths.value(0)) : paths;
    bool allWell = true;
    for (qsizetype i = 0; i < roots.size(); ++i) {
        if (roots.size() > 1)
            m_ctx.progress(QStringLiteral("triggers %1: VOB %2 of %3").arg(action).arg(i + 1).arg(roots.size()));
        try {
            allWell = runOn(action, roots.at(i), options) && allWell;
        } catch (...) {
            problem(roots.at(i), ZanError::current(QStringLiteral("zanctl")).description());
            allWell = false;
        }
    }
    m_ctx.endProgress();
    if (m_json)
        printJson(m_records);
    return allWell ? 0 : 1;
}

bool TriggersCommand::runOn(const QString &action, const QString &path, const TriggerOptions &options)
{
    const ElementLocation vob = locateVob(path, QStringLiteral("the triggers are"));
    m_ctx.clearCase().requireVob(vob.vobTag);
    if (action == QLatin1String("remove"))
        return remove(vob);
    const StoredTriggerSettings settings = options.settingsFor(m_ctx.store(), vob);
    const TriggerInstaller installer(options.requestFor(vob, settings, m_ctx.store(), m_ctx.platform(), m_ctx.clearCase()));
    if (action == QLatin1String("status")) {
        showStatus(installer);
        return true;
    }
    if (!install(installer, action == QLatin1String("update")))
        return false;
    if (!m_dryRun)
        settings.save(m_ctx.store(), vob.vobTag, vob.site);
    return true;
}

// Whether the types run what an install would make now is known only when the inputs are.
void TriggersCommand::showStatus(const TriggerInstaller &installer)
{
    const TriggerInstaller::Request &request = installer.request();
    TriggerInstaller::Status status = installer.status(m_ctx.clearCase(), m_ctx.platform());
    if (installer.refusal())
        status.differing.clear();
    QJsonArray types;
    QStringList lines;
    for (const QString &name : TriggerInstaller::triggerNames) {
        const bool present = status.present.contains(name), differing = status.differing.contains(name);
        types.append(QJsonObject{{QStringLiteral("name"), name}, {QStringLiteral("present"), present}, {QStringLiteral("differing"), differing}});
        lines << QStringLiteral("  %1: %2%3").arg(name, present ? QStringLiteral("present") : QStringLiteral("absent"),
                                                  differing ? QStringLiteral(", runs other actions than an install would make") : QString());
    }
    if (m_json) {
        m_records.append(QJsonObject{{QStringLiteral("vob"), request.vobTag}, {QStringLiteral("root"), request.vobRoot},
                                     {QStringLiteral("installed"), status.applied()}, {QStringLiteral("types"), types}});
        return;
    }
    m_ctx.out() << QStringLiteral("%1 (%2): %3").arg(request.vobTag, request.vobRoot,
                                                     status.applied() ? QStringLiteral("installed") : QStringLiteral("not installed"))
                << Qt::endl
                << lines.join(QLatin1Char('\n')) << Qt::endl;
}

bool TriggersCommand::install(const TriggerInstaller &installer, bool update)
{
    const QString &vobTag = installer.request().vobTag;
    if (update && !installer.status(m_ctx.clearCase(), m_ctx.platform()).applied())
        return problem(vobTag, QStringLiteral("the security triggers are not installed: nothing to update (see zanctl triggers install)"));
    if (!readyToInstall(installer))
        return false;
    const QList<TriggerInstaller::Step> steps = installer.installSteps(m_ctx.clearCase());
    if (m_dryRun) {
        printSteps(steps);
        return true;
    }
    if (!deployScript(installer))
        return false;
    if (!runSteps(vobTag, steps))
        return false;
    m_ctx.out() << QStringLiteral("%1: security triggers %2").arg(vobTag, update ? QStringLiteral("updated") : QStringLiteral("installed"))
                    << Qt::endl;
    return true;
}

bool TriggersCommand::readyToInstall(const TriggerInstaller &installer)
{
    const QString &vobTag = installer.request().vobTag;
    if (const std::optional<TriggerInstaller::Refusal> refusal = installer.refusal())
        return problem(vobTag, refusal->text);
    if (const QString warning = installer.unixPathWarning(); !warning.isEmpty())
        m_ctx.err() << QStringLiteral("zanctl triggers: %1: warning: %2").arg(vobTag, oneLine(warning)) << Qt::endl;
    if (!QFileInfo::exists(scriptSource()))
        return problem(vobTag, TriggerInstaller::missingScript());
    return true;
}

QString TriggersCommand::scriptSource() const
{
    return QDir::toNativeSeparators(InstallLayout(m_ctx.platform().programFolder()).triggerScript(TriggerCommandLines::scriptName));
}

bool TriggersCommand::deployScript(const TriggerInstaller &installer)
{
    const QString &vobTag = installer.request().vobTag;
    const ScriptDeployment::Outcome outcome = installer.deployScript(m_ctx.platform(), scriptSource());
    if (!outcome.notCopied.isEmpty())
        return problem(vobTag, TriggerInstaller::copyFailure(outcome.notCopied));
    return outcome.unreachable.isEmpty() ||
           confirmed(vobTag, TriggerInstaller::unreachableQuestion(outcome.unreachable), unreachableText(outcome.unreachable));
}

bool TriggersCommand::confirmed(const QString &vobTag, const QString &question, const QString &refusal)
{
    if (m_yes)
        return true;
    const std::optional<bool> answer = m_ctx.ask(question);
    if (!answer)
        return problem(vobTag, refusal);
    return *answer || problem(vobTag, QStringLiteral("not confirmed: nothing changed"));
}

bool TriggersCommand::remove(const ElementLocation &vob)
{
    const QList<TriggerInstaller::Step> steps = TriggerInstaller::removalSteps(m_ctx.clearCase(), vob.vobTag);
    if (m_dryRun) {
        printSteps(steps);
        return true;
    }
    if (!confirmed(vob.vobTag, TriggerInstaller::removalWarning(vob.vobTag),
                   QStringLiteral("removing the security triggers needs --yes where nobody can answer the question")))
        return false;
    StoredTriggerSettings::erase(m_ctx.store(), vob.vobTag, vob.site);
    if (!runSteps(vob.vobTag, steps))
        return false;
    m_ctx.out() << QStringLiteral("%1: %2").arg(vob.vobTag, steps.isEmpty() ? QStringLiteral("no security trigger to remove")
                                                                           : QStringLiteral("security triggers removed"))
                << Qt::endl;
    return true;
}

bool TriggersCommand::runSteps(const QString &vobTag, const QList<TriggerInstaller::Step> &steps)
{
    const QList<TriggerInstaller::Failure> failures = TriggerInstaller::run(m_ctx.clearCase(), steps);
    for (const TriggerInstaller::Failure &failure : failures)
        problem(vobTag, failure.reportAs + QStringLiteral(": ") + failure.error.description());
    return failures.isEmpty();
}

void TriggersCommand::printSteps(const QList<TriggerInstaller::Step> &steps)
{
    for (const TriggerInstaller::Step &step : steps)
        m_ctx.out() << step.commandLine << Qt::endl;
}

bool TriggersCommand::problem(const QString &vobTag, const QString &text)
{
    m_ctx.endProgress();
    m_ctx.err() << QStringLiteral("zanctl triggers: %1: %2").arg(vobTag, SiteText::of(oneLine(text), m_ctx.siteStyle())) << Qt::endl;
    return false;
}
