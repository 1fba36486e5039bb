#include "platform/SystemRoutines.h"

#include "util/AppInfo.h"
#include "util/ZanError.h"

SystemRoutines::SystemRoutines(Platform &platform, Prompter &prompter)
    : m_platform(platform), m_prompter(prompter)
{
}

void SystemRoutines::setEnvVar(const QString &name, const QString &value)
{
    m_platform.setEnvVar(name, value);
}

QString SystemRoutines::getLoginName()
{
    try {
        // Every letter counts: the name decides trigger exemptions and whose views are listed.
        return m_platform.loginName().left(255).remove(QChar(0));
    } catch (const std::exception &) {
        m_prompter.message(QStringLiteral("Error getting login name!"), AppInfo::title, Prompter::Icon::Critical);
        return QString();
    }
}

QString SystemRoutines::getComputerName()
{
    return m_platform.computerName();
}

bool SystemRoutines::isFileExist(const QString &path, bool directories)
{
    try {
        return m_platform.fileExists(path, directories);
    } catch (const std::exception &) {
        const ZanError error = ZanError::current(QStringLiteral("utils"));
        m_prompter.message(QStringLiteral("Error determining file exist --> ") + path + QStringLiteral("::") + error.description(),
                           AppInfo::title, Prompter::Icon::Critical);
        return false;
    }
}

qint64 SystemRoutines::runCommand(const QString &commandLine, int /*windowStyle*/)
{
    try {
        return m_platform.startDetached(commandLine);
    } catch (const std::exception &) {
        const ZanError error = ZanError::current(QStringLiteral("utils"));
        m_prompter.message(QStringLiteral("ERROR: ") + error.description() + AppInfo::crlf + QStringLiteral("Could not execute --> ") + commandLine,
                           AppInfo::title, Prompter::Icon::None);
        return 0;
    }
}
