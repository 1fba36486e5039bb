#include "triggers/ScriptDeployment.h"

#include "platform/Platform.h"
#include "triggers/TriggerPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

ScriptDeployment::ScriptDeployment(Platform &platform, const QString &scriptName)
    : m_platform(platform), m_scriptName(scriptName)
{
}

QString ScriptDeployment::reachableForm(const QString &location)
{
#ifdef Q_OS_WIN
    return location.startsWith(QLatin1Char('/')) ? TriggerPaths::toWindowsPath(location) : location;
#else
    const bool unc = location.startsWith(QLatin1String("\\\\")) || location.startsWith(QLatin1String("//"));
    return unc ? TriggerPaths::toUnixPath(QString(location).replace(QLatin1Char('/'), QLatin1Char('\\'))) : location;
#endif
}

// "" when the folder cannot be seen from here (also a drive letter the machine lacks).
QString ScriptDeployment::hostFolder(const QString &location) const
{
    const QFileInfo folder(m_platform.hostPath(reachableForm(location)));
    return !folder.isRelative() && folder.isDir() ? folder.absoluteFilePath() : QString();
}

bool ScriptDeployment::copyAndCheck(const QString &source, const QString &folder)
{
    const QString target = QDir(folder).filePath(m_scriptName);
    QFile original(m_platform.hostPath(source));
    QFile copy(target);
    if (!m_platform.copyFile(source, target) || !original.open(QIODevice::ReadOnly) || !copy.open(QIODevice::ReadOnly))
        return false;
    return original.readAll() == copy.readAll();
}

ScriptDeployment::Outcome ScriptDeployment::deploy(const QString &source, const QStringList &locations)
{
    Outcome outcome;
    QStringList done;
    for (const QString &location : locations) {
        const QString folder = hostFolder(location);
        if (folder.isEmpty())
            outcome.unreachable << location;
        else if (!done.contains(folder) && !copyAndCheck(source, folder))
            outcome.notCopied << location;
        done << folder;
    }
    return outcome;
}
