#include "access/VobEnforcement.h"

#include "access/AccessDecision.h"
#include "clearcase/ClearCase.h"
#include "platform/Platform.h"
#include "triggers/TriggerCommandLines.h"
#include "triggers/TriggerPaths.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace {

const QStringList toolTriggerNames = {TriggerCommandLines::elementTriggerName, TriggerCommandLines::typeTriggerName,
                                      TriggerCommandLines::ucmTriggerName};

QList<VobEnforcement::Action> actionsOf(const QString &description, const Platform &platform)
{
    static const QRegularExpression actionLine(QStringLiteral("^\\s*action:\\s*(-exec\\w*)\\s+\"(.*)\"\\s*$"));
    QList<VobEnforcement::Action> actions;
    for (const QString &line : description.split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch match = actionLine.match(line);
        if (match.hasMatch())
            actions << VobEnforcement::parseAction(match.captured(1), match.captured(2), platform);
    }
    return actions;
}

QStringList excludedUsersOf(const QString &description)
{
    static const QRegularExpression excludedLine(QStringLiteral("^\\s*excluded users:\\s*(.*)$"), QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = excludedLine.match(description);
    return match.hasMatch() ? match.captured(1).trimmed().split(QLatin1Char(','), Qt::SkipEmptyParts) : QStringList();
}

} // namespace

QString VobEnforcement::reachablePath(const QString &path, const Platform &platform)
{
    if (path.startsWith(QLatin1String("\\\\"))) {
#ifdef Q_OS_WIN
        return path;
#else
        return TriggerPaths::toUnixPath(path);
#endif
    }
    if (path.size() > 2 && path.at(1) == QLatin1Char(':'))
        return platform.hostPath(path);
    return path;
}

VobEnforcement::Action VobEnforcement::parseAction(const QString &option, const QString &command, const Platform &platform)
{
    Action action;
    action.option = option;
    action.command = command;
    const QStringList words = command.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    action.script = words.value(1);
    action.administrators = words.value(3);
    if (action.script.endsWith(TriggerCommandLines::scriptName)) {
        action.hostPath = reachablePath(action.script, platform);
        action.scriptFound = QFileInfo(action.hostPath).isFile();
    }
    return action;
}

VobEnforcement VobEnforcement::read(ClearCase &clearCase, const Platform &platform, const QString &vobTag)
{
    VobEnforcement result;
    result.m_vobTag = vobTag;
    const QStringList present = clearCase.triggerTypeNames(vobTag);
    for (const QString &name : toolTriggerNames) {
        Trigger trigger{name, present.contains(name), {}, {}};
        if (trigger.present) {
            const QString description = clearCase.runCommand(QStringLiteral("describe -long trtype:%1@%2").arg(name, vobTag));
            trigger.actions = actionsOf(description, platform);
            trigger.excludedUsers = excludedUsersOf(description);
        }
        result.m_triggers << trigger;
    }
    return result;
}

bool VobEnforcement::installed() const
{
    return m_triggers.value(0).present && m_triggers.value(1).present;
}

bool VobEnforcement::enforced() const
{
    if (!installed())
        return false;
    for (const Trigger &trigger : m_triggers) {
        for (const Action &action : trigger.actions) {
            if (!action.scriptFound)
                return false;
        }
        if (trigger.present && trigger.actions.isEmpty())
            return false;
    }
    return true;
}

QStringList VobEnforcement::administrators() const
{
    for (const Trigger &trigger : m_triggers) {
        if (!trigger.actions.isEmpty())
            return trigger.actions.first().administrators.split(QLatin1Char(','), Qt::SkipEmptyParts);
    }
    return {};
}

bool VobEnforcement::exempts(const QString &user) const
{
    return !m_triggers.isEmpty() && AccessDecision::isListed(user, m_triggers.first().excludedUsers);
}

QStringList VobEnforcement::describe() const
{
    QStringList lines;
    for (const Trigger &trigger : m_triggers) {
        lines << QStringLiteral("trigger type %1: %2").arg(trigger.name, trigger.present ? QStringLiteral("present")
                                                                                       : QStringLiteral("absent"));
        if (!trigger.excludedUsers.isEmpty())
            lines << QStringLiteral("  does not fire for: %1").arg(trigger.excludedUsers.join(QStringLiteral(", ")));
        for (const Action &action : trigger.actions) {
            const QString where = action.hostPath.isEmpty() ? QStringLiteral("not a security script")
                                  : action.scriptFound       ? QStringLiteral("script found at %1").arg(action.hostPath)
                                                             : QStringLiteral("script MISSING at %1").arg(action.hostPath);
            lines << QStringLiteral("  %1 %2: %3").arg(action.option, action.script, where);
        }
    }
    return lines;
}
