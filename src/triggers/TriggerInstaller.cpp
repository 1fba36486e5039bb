#include "triggers/TriggerInstaller.h"

#include "access/VobEnforcement.h"
#include "clearcase/ClearCase.h"
#include "clearcase/cleartool/CleartoolQuoting.h"
#include "clearcase/cleartool/CleartoolTriggerOptions.h"
#include "triggers/RecordedPrivilegedList.h"
#include "triggers/TriggerPaths.h"
#include "util/AppInfo.h"

namespace {

// Without interop a UNIX site's clients run the script from the one location, in its Unix form.
TriggerInstaller::Request withEffectiveInputs(TriggerInstaller::Request request)
{
    TriggerCommandLines::Inputs &inputs = request.inputs;
    if (inputs.unixSite && !inputs.interop)
        inputs.unixLocation = TriggerPaths::toUnixPath(inputs.windowsLocation);
    return request;
}

QString removalLine(const QString &vobTag, const QString &name, SiteStyle::Kind style)
{
    return CleartoolQuoting::join({QStringLiteral("rmtype"), QStringLiteral("-ignore"), QStringLiteral("-rmall"), QStringLiteral("-force"),
                                   QStringLiteral("-nc"), CleartoolQuoting::quote(QStringLiteral("trtype:") + name + QLatin1Char('@') + vobTag, style)});
}

TriggerInstaller::Step removal(const QString &vobTag, const QString &name, const QString &reportAs, SiteStyle::Kind style)
{
    return {removalLine(vobTag, name, style), [vobTag, name](ClearCase &cc) { cc.removeTriggerType(vobTag, name); }, reportAs};
}

QStringList commandsOf(const QList<TriggerTypeDefinition::Action> &actions)
{
    QStringList commands;
    for (const TriggerTypeDefinition::Action &action : actions)
        commands << CleartoolTriggerOptions::actionOption(action.target) + QLatin1Char(' ') + action.command;
    return commands;
}

QStringList commandsOf(const QList<VobEnforcement::Action> &actions)
{
    QStringList commands;
    for (const VobEnforcement::Action &action : actions)
        commands << action.option + QLatin1Char(' ') + action.command;
    return commands;
}

} // namespace

TriggerInstaller::TriggerInstaller(Request request)
    : m_request(withEffectiveInputs(std::move(request))), m_lines(m_request.inputs)
{
}

std::optional<TriggerInstaller::Refusal> TriggerInstaller::refusal() const
{
    const TriggerCommandLines::Inputs &in = m_request.inputs;
    const QString &vobRoot = m_request.vobRoot;
    if (vobRoot.isEmpty() || vobRoot == QLatin1String("UNDEFINED"))
        return Refusal{QStringLiteral("Must first load and start a view, then select a VOB to apply the triggers."),
                       QStringLiteral("VOB not selected")};
    if (!TriggerPaths::isFilledIn(in.windowsLocation))
        return Refusal{QStringLiteral("Must define a valid absolute Windows path (\\\\myhost\\triggers) to copy the triggers."),
                       QStringLiteral("Invalid Windows path")};
    if (in.interop && !TriggerPaths::isFilledIn(in.unixLocation.trimmed()))
        return Refusal{QStringLiteral("Must define a valid absolute Unix (e.g., //net/myhost/triggers) path to copy the triggers."),
                       QStringLiteral("Invalid Unix path")};
    if (const QString problem = m_lines.quotingProblem(); !problem.isEmpty())
        return Refusal{problem, QStringLiteral("Invalid trigger setting")};
    return std::nullopt;
}

QString TriggerInstaller::unixPathWarning() const
{
    const QString &location = m_request.inputs.unixLocation;
    if (!m_request.separateUnixLocation || location.contains(QLatin1String("/net")))
        return QString();
    return QStringLiteral("Unix Path: ") + location + AppInfo::crlf + QStringLiteral("for copying trigger on Unix does not appear to be an") +
           AppInfo::crlf + QStringLiteral("absolute path.");
}

QStringList TriggerInstaller::scriptLocations() const
{
    QStringList locations{m_request.inputs.windowsLocation};
    if (m_request.inputs.interop)
        locations << m_request.inputs.unixLocation;
    return locations;
}

ScriptDeployment::Outcome TriggerInstaller::deployScript(Platform &platform, const QString &source) const
{
    return ScriptDeployment(platform, TriggerCommandLines::scriptName).deploy(source, scriptLocations());
}

TriggerTypeDefinition TriggerInstaller::definition() const
{
    return m_request.ucm ? m_lines.ucmTrigger() : m_lines.elementTrigger();
}

void TriggerInstaller::addRecording(ClearCase &clearCase, QList<Step> &steps) const
{
    const QString &vobTag = m_request.vobTag;
    const QString &list = m_request.privilegedList;
    const SiteStyle &site = clearCase.siteStyle();
    const QString version = site.rootVersionOf(m_request.vobRoot);
    const auto quote = [&site](const QString &argument) { return CleartoolQuoting::quote(argument, site.kind()); };
    QStringList lines;
    if (!clearCase.attributeTypeNames(vobTag).contains(RecordedPrivilegedList::attributeName))
        lines << CleartoolQuoting::join({QStringLiteral("mkattype"), QStringLiteral("-vtype"), QStringLiteral("string"), QStringLiteral("-c"),
                                         quote(RecordedPrivilegedList::comment),
                                         quote(RecordedPrivilegedList::attributeName + QLatin1Char('@') + vobTag)});
    lines << CleartoolQuoting::join({QStringLiteral("mkattr"), QStringLiteral("-replace"), QStringLiteral("-c"),
                                     quote(RecordedPrivilegedList::comment), RecordedPrivilegedList::attributeName,
                                     CleartoolQuoting::stringValue(list, site.kind()), quote(version)});
    const QString vobRoot = m_request.vobRoot;
    steps.append({lines.join(QLatin1Char('\n')),
                  [vobTag, vobRoot, list](ClearCase &cc) { RecordedPrivilegedList::record(cc, vobTag, vobRoot, list); },
                  RecordedPrivilegedList::attributeName});
}

// All old types go first, so that none of them (a broken one included) judges the recording
// of the list or the making of the new ones.
QList<TriggerInstaller::Step> TriggerInstaller::installSteps(ClearCase &clearCase) const
{
    const QString &vobTag = m_request.vobTag;
    const TriggerTypeDefinition made = definition();
    const SiteStyle::Kind style = clearCase.siteStyle().kind();
    const QStringList present = clearCase.triggerTypeNames(vobTag);
    QList<Step> steps;
    if (present.contains(made.name))
        steps << removal(vobTag, made.name, made.name, style);
    if (!m_request.ucm && present.contains(TriggerCommandLines::typeTriggerName))
        steps << removal(vobTag, TriggerCommandLines::typeTriggerName, made.name, style);
    addRecording(clearCase, steps);
    steps.append({CleartoolTriggerOptions::mktrtypeCommand(vobTag, made, style),
                  [vobTag, made](ClearCase &cc) { cc.createTriggerType(vobTag, made); }, made.name});
    if (!m_request.ucm) {
        const QString typeTrigger = m_lines.typeTriggerCommand(vobTag);
        steps.append({typeTrigger, [typeTrigger](ClearCase &cc) { cc.runCommand(typeTrigger); }, made.name});
    }
    return steps;
}

QList<TriggerInstaller::Step> TriggerInstaller::removalSteps(ClearCase &clearCase, const QString &vobTag)
{
    const QStringList present = clearCase.triggerTypeNames(vobTag);
    QList<Step> steps;
    for (const QString &name : triggerNames) {
        if (present.contains(name))
            steps << removal(vobTag, name, name, clearCase.siteStyle().kind());
    }
    return steps;
}

QList<TriggerInstaller::Failure> TriggerInstaller::run(ClearCase &clearCase, const QList<Step> &steps)
{
    QList<Failure> failures;
    QString skipped;
    for (const Step &step : steps) {
        if (step.reportAs == skipped)
            continue;
        try {
            step.run(clearCase);
        } catch (...) {
            failures.append({step.reportAs, ZanError::current(QStringLiteral("TriggerInstaller"))});
            if (step.reportAs != RecordedPrivilegedList::attributeName)
                break;
            skipped = step.reportAs;
        }
    }
    return failures;
}

TriggerInstaller::Status TriggerInstaller::status(ClearCase &clearCase, const Platform &platform) const
{
    Status result;
    const QStringList expected = commandsOf(definition().actions);
    const VobEnforcement enforcement = VobEnforcement::read(clearCase, platform, m_request.vobTag);
    for (const VobEnforcement::Trigger &trigger : enforcement.triggers()) {
        if (!trigger.present)
            continue;
        result.present << trigger.name;
        if (commandsOf(trigger.actions) != expected)
            result.differing << trigger.name;
    }
    return result;
}

QString TriggerInstaller::missingScript()
{
    return QStringLiteral("Missing required security trigger file") + AppInfo::crlf + QStringLiteral("Send bug report to: ") +
           AppInfo::supportAddress + AppInfo::crlf;
}

QString TriggerInstaller::copyFailure(const QStringList &locations)
{
    return QStringLiteral("The security trigger file could not be copied to:") + AppInfo::crlf + locations.join(AppInfo::crlf) +
           AppInfo::crlf + AppInfo::crlf + QStringLiteral("No trigger was installed. Check the location and your permission to write there, ") +
           QStringLiteral("then apply the triggers again.");
}

QString TriggerInstaller::unreachableQuestion(const QList<ScriptDeployment::Unreachable> &locations)
{
    QStringList named;
    for (const ScriptDeployment::Unreachable &location : locations)
        named << location.location + AppInfo::crlf + location.reason;
    return QStringLiteral("This machine cannot reach the trigger location:") + AppInfo::crlf + named.join(AppInfo::crlf) + AppInfo::crlf +
           AppInfo::crlf + QStringLiteral("The security trigger file was not copied there. Unless ") + TriggerCommandLines::scriptName +
           QStringLiteral(" is there, the triggers will refuse every guarded operation.") + AppInfo::crlf + AppInfo::crlf +
           QStringLiteral("Install the triggers anyway?");
}

QString TriggerInstaller::removalWarning(const QString &vobTag)
{
    const QString &crlf = AppInfo::crlf;
    return QStringLiteral("WARNING: ") + crlf + QStringLiteral("You are about to remove the following triggers") + crlf +
           QStringLiteral("from ") + vobTag + QStringLiteral(" VOB:") + crlf + triggerNames.join(QLatin1Char(',')) + crlf + crlf +
           QStringLiteral("    Are you sure you want to continue?") + crlf;
}
