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

namespace {

bool namesADrive(const QString &location)
{
    return location.size() >= 2 && location.at(1) == QLatin1Char(':') && location.at(0).isLetter();
}

// The nearest folder above the path (or the path itself) that exists.
QFileInfo nearestExisting(const QString &path)
{
    QFileInfo info(path);
    while (!info.exists() && !info.isRoot() && info.absolutePath() != info.absoluteFilePath())
        info = QFileInfo(info.absolutePath());
    return info;
}

// A /net/host/... path whose host, or a //host/share/... path whose share, this machine
// does not see.
bool shareIsMissing(const QString &hostPath)
{
    if (hostPath.startsWith(QLatin1String("/net/")))
        return !QFileInfo::exists(hostPath.section(QLatin1Char('/'), 0, 2));
    if (hostPath.startsWith(QLatin1String("//")))
        return !QFileInfo::exists(hostPath.section(QLatin1Char('/'), 0, 3));
    return false;
}

QString withSlashes(QString path)
{
    return path.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

} // namespace

QString ScriptDeployment::whyUnreachable(const QString &location) const
{
    const QString reached = reachableForm(location);
    const QString host = withSlashes(m_platform.hostPath(reached));
    if (QFileInfo(host).isRelative())
        return namesADrive(location) ? QStringLiteral("This machine has no drive ") + location.left(2) + QLatin1Char('.')
                                     : QStringLiteral("It is not an absolute path.");
    QString reason;
    if (shareIsMissing(host)) {
        reason = QStringLiteral("The computer or share it names cannot be reached from this machine.");
    } else if (QFileInfo(host).exists()) {
        reason = QStringLiteral("It names a file, not a folder.");
    } else {
        const QFileInfo parent = nearestExisting(host);
        // A folder that can be listed or entered tells that the name is not in it.
        reason = parent.isDir() && (parent.isReadable() || parent.isExecutable())
                     ? QStringLiteral("The folder does not exist.")
                     : QStringLiteral("You have no permission to open ") + QDir::toNativeSeparators(parent.absoluteFilePath()) +
                           QLatin1Char('.');
    }
    // A drive letter mapped to a folder (as the sandbox's are), or a share seen through /net.
    if (QDir::cleanPath(host) != QDir::cleanPath(withSlashes(location)))
        reason += QStringLiteral(" On this machine it is the folder ") + QDir::toNativeSeparators(QDir::cleanPath(host)) +
                  QLatin1Char('.');
    return reason;
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
            outcome.unreachable.append({location, whyUnreachable(location)});
        else if (!done.contains(folder) && !copyAndCheck(source, folder))
            outcome.notCopied << location;
        done << folder;
    }
    return outcome;
}
