#include "triggers/ConfigFileController.h"

#include "platform/InstallLayout.h"
#include "platform/Platform.h"
#include "shell/ErrorReporter.h"
#include "shell/MainContext.h"
#include "shell/MainWindow.h"
#include "shell/Registry.h"
#include "triggers/ConfigFile.h"
#include "util/AppInfo.h"
#include "util/Prompter.h"
#include "util/ZanError.h"

#include <QAction>
#include <QDir>
#include <QSaveFile>

namespace {

const QString source = QStringLiteral("ConfigFile");

QString notValidText(const QString &path)
{
    return QStringLiteral("File --> ") + path + AppInfo::crlf + QStringLiteral("is not a valid Configuration file.  Must be a file") +
           AppInfo::crlf + QStringLiteral("saved by ") + AppInfo::title + AppInfo::crlf;
}

// "*.*" would hide every name without a dot, which is most names outside Windows.
QString allFilesFilter()
{
#ifdef Q_OS_WIN
    return QStringLiteral("All Files (*.*)|*.*");
#else
    return QStringLiteral("All Files (*)|*");
#endif
}

} // namespace

ConfigFileController::ConfigFileController(MainContext &context) : m_ctx(context)
{
    connect(m_ctx.form.saveConfigToFile, &QAction::triggered, this, &ConfigFileController::saveConfigToFile);
    connect(m_ctx.form.loadConfigFile, &QAction::triggered, this, &ConfigFileController::loadConfigFile);
}

void ConfigFileController::saveConfigToFile()
{
    try {
        const std::optional<QString> answer = m_ctx.prompter.inputText(
            QStringLiteral("Enter Filename: "), QStringLiteral("Save Config file..."), QStringLiteral("zan_config.txt"));
        if (!answer || answer->isEmpty())
            return;
        doSaveToConfigFile(filesFolder() + QDir::separator() + *answer);
    } catch (...) {
        m_ctx.errors.reportBoxed(ZanError::current(source), QStringLiteral("Error:saveConfigToFile()"));
    }
}

void ConfigFileController::doSaveToConfigFile(const QString &path)
{
    try {
        const QList<QPair<QString, QString>> settings = m_ctx.registry.allSettings();
        const ConfigFile::Composed composed = ConfigFile::compose(settings);
        writeWholeFile(path, composed.content);
        if (settings.isEmpty())
            throw ZanError(ZanError::General, source, QStringLiteral("There are no settings to save; ") + path +
                                                          QStringLiteral(" holds only the marker line."));
        if (!composed.leftOut.isEmpty()) {
            QStringList shown;
            for (qsizetype i = 0; i < composed.leftOut.size(); ++i)
                shown << QString(composed.leftOut[i]).replace(QLatin1Char('\r'), QLatin1String("\\r")).replace(QLatin1Char('\n'), QLatin1String("\\n")) +
                             QStringLiteral(" (") + composed.reasons[i] + QLatin1Char(')');
            showLeftOut(QStringLiteral("These settings were left out of ") + path + QLatin1Char(':'), shown,
                        QStringLiteral("Save Config file..."));
        }
    } catch (const std::exception &) {
        m_ctx.errors.reportBoxed(ZanError::current(source), QStringLiteral("Error::Couldn't save config file::doSaveToConfigFile()"));
    }
}

void ConfigFileController::writeWholeFile(const QString &path, const QByteArray &content) const
{
    // An existing file is replaced only once the new one is complete.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit())
        throw ZanError(ZanError::PathNotFound, source, QStringLiteral("Cannot write ") + path + QStringLiteral(": ") + file.errorString());
}

void ConfigFileController::loadConfigFile()
{
    try {
        const QString preset = QStringLiteral("*.txt");
        const QString chosen =
            m_ctx.prompter.openFileName(QStringLiteral("Select Configuration File "), filesFolder(), preset, allFilesFilter());
        if (chosen.isEmpty() || chosen == preset)
            return;
        doReadConfigFile(chosen);
    } catch (...) {
        m_ctx.errors.reportBoxed(ZanError::current(source), QStringLiteral("Error encountered::dbLoadBut()"));
    }
}

void ConfigFileController::doReadConfigFile(const QString &path)
{
    try {
        // The whole file is checked before anything is stored.
        const ConfigFile::Parsed parsed = readAndParse(path);
        switch (parsed.status) {
        case ConfigFile::Status::Empty:
            m_ctx.prompter.message(QStringLiteral("Empty File:: ") + notValidText(path), QStringLiteral("Empty Config File"),
                                   Prompter::Icon::Critical);
            return;
        case ConfigFile::Status::BadMarker:
            m_ctx.prompter.message(notValidText(path), QStringLiteral("Invalid Config File"), Prompter::Icon::Critical);
            return;
        case ConfigFile::Status::TooLarge:
            showInvalidFile(path, QStringLiteral("The file is larger than %1 MB.").arg(ConfigFile::maxFileSize >> 20));
            return;
        case ConfigFile::Status::NotText:
            showInvalidFile(path, QStringLiteral("Line %1 holds characters that are not text.").arg(parsed.lineNumber));
            return;
        case ConfigFile::Status::LineTooLong:
            showInvalidFile(path, QStringLiteral("Line %1 is longer than %2 characters.").arg(parsed.lineNumber).arg(ConfigFile::maxLineLength));
            return;
        case ConfigFile::Status::Ok:
            break;
        }
        const ConfigFile::Storable storable = ConfigFile::storable(parsed.records);
        m_ctx.registry.saveAllToReg(storable.records);
        if (!storable.leftOut.isEmpty())
            showLeftOut(QStringLiteral("These settings were not imported from ") + path + QLatin1Char(':'), storable.leftOut,
                        QStringLiteral("Load Config File"));
        m_ctx.prompter.message(QStringLiteral("You must restart the application for this change to take effect"),
                               QStringLiteral("Restart application..."), Prompter::Icon::Exclamation);
    } catch (const std::exception &) {
        m_ctx.errors.reportBoxed(ZanError::current(source), QStringLiteral("Error::doReadConfigFile()"));
    }
}

QString ConfigFileController::filesFolder() const
{
    return InstallLayout(m_ctx.platform.programFolder()).userFilesFolder();
}

ConfigFile::Parsed ConfigFileController::readAndParse(const QString &path) const
{
    QString reason;
    std::optional<ConfigFile::Parsed> parsed = ConfigFile::load(path, reason);
    if (!parsed)
        throw ZanError(ZanError::FileNotFound, source, QStringLiteral("Cannot read ") + path + QStringLiteral(": ") + reason);
    return std::move(*parsed);
}

void ConfigFileController::showLeftOut(const QString &heading, const QStringList &lines, const QString &title)
{
    QString text = heading;
    for (const QString &line : lines)
        text += AppInfo::crlf + QStringLiteral("  ") + line;
    m_ctx.prompter.message(text, title, Prompter::Icon::Exclamation);
}

void ConfigFileController::showInvalidFile(const QString &path, const QString &reason)
{
    m_ctx.prompter.message(notValidText(path) + reason + QStringLiteral(" Nothing was imported."), QStringLiteral("Invalid Config File"),
                           Prompter::Icon::Critical);
}
