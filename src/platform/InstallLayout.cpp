#include "platform/InstallLayout.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <utility>

InstallLayout::InstallLayout(QString programFolder) : m_programFolder(std::move(programFolder)) {}

QString InstallLayout::triggerScript(const QString &scriptName) const
{
    return locate(scriptName, QStringLiteral("trigger/") + scriptName);
}

QString InstallLayout::helpDocument() const
{
    return locate(QStringLiteral("help/main.html"), QStringLiteral("help/main.html"));
}

QString InstallLayout::shareFolder() const
{
    return QDir::cleanPath(m_programFolder + QStringLiteral("/../share/zan-utility"));
}

QString InstallLayout::locate(const QString &besideProgram, const QString &underShare) const
{
    const QString beside = m_programFolder + QLatin1Char('/') + besideProgram;
    if (QFileInfo::exists(beside))
        return beside;
    const QString installed = shareFolder() + QLatin1Char('/') + underShare;
    return QFileInfo::exists(installed) ? installed : beside;
}

// Root may write /usr/bin, so being writable alone does not make a folder the program's own.
bool InstallLayout::isSystemInstall() const
{
    const QFileInfo folder(m_programFolder);
    const QString canonical = folder.canonicalFilePath().isEmpty() ? QDir::cleanPath(m_programFolder) : folder.canonicalFilePath();
    const bool systemFolder = canonical == QLatin1String("/bin") || canonical == QLatin1String("/sbin") ||
                              canonical.startsWith(QLatin1String("/usr/"));
    return systemFolder || !folder.isWritable();
}

QString InstallLayout::userFilesFolder() const
{
    if (!isSystemInstall())
        return m_programFolder;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}
