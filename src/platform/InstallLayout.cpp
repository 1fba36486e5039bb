#include "platform/InstallLayout.h"

#include <QDir>
#include <QFileInfo>

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
