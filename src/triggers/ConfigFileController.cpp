#include "triggers/ConfigFileController.h"

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
#include <QFile>
#include <QFileInfo>
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
        // The answer is always taken relative to the program's folder.
        doSaveToConfigFile(m_ctx.platform.programFolder() + QDir::separator() + *answer);
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
            for (const QString &key : composed.leftOut)
                shown << QStringLiteral("  ") + QString(key).replace(QLatin1Char('\r'), QLatin1String("\\r")).replace(QLatin1Char('\n'), QLatin1String("\\n"));
            m_ctx.prompter.message(QStringLiteral("These settings were left out of ") + path + AppInfo::crlf +
                                       QStringLiteral("because a key with \":\" or a line break in a key or value "
                                                      "would not read back the same:") +
                                       AppInfo::crlf + shown.join(AppInfo::crlf),
                                   QStringLiteral("Save Config file..."), Prompter::Icon::Exclamation);
        }
    } catch (...) {
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
        const QString chosen = m_ctx.prompter.openFileName(QStringLiteral("Select Configuration File "), m_ctx.platform.programFolder(),
                                                           preset, allFilesFilter());
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
        const ConfigFile::Parsed parsed = ConfigFile::parse(readWholeFile(path));
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
        m_ctx.registry.saveAllToReg(parsed.records);
        m_ctx.prompter.message(QStringLiteral("You must restart the application for this change to take effect"),
                               QStringLiteral("Restart application..."), Prompter::Icon::Exclamation);
    } catch (...) {
        m_ctx.errors.reportBoxed(ZanError::current(source), QStringLiteral("Error::doReadConfigFile()"));
    }
}

QByteArray ConfigFileController::readWholeFile(const QString &path) const
{
    const QFileInfo info(path);
    if (info.isDir())
        throw ZanError(ZanError::FileNotFound, source, path + QStringLiteral(" is a folder, not a configuration file."));
    // Never opened: reading a pipe or a device could block the program for good.
    if (info.exists() && !info.isFile())
        throw ZanError(ZanError::FileNotFound, source,
                       path + QStringLiteral(" is a pipe, socket or device, not a configuration file."));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ZanError(ZanError::FileNotFound, source, QStringLiteral("Cannot open ") + path + QStringLiteral(": ") + file.errorString());
    // One byte over the limit is enough to tell the file is too large.
    const QByteArray content = file.read(ConfigFile::maxFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        throw ZanError(ZanError::FileNotFound, source, QStringLiteral("Cannot read ") + path + QStringLiteral(": ") + file.errorString());
    return content;
}

void ConfigFileController::showInvalidFile(const QString &path, const QString &reason)
{
    m_ctx.prompter.message(notValidText(path) + reason + QStringLiteral(" Nothing was imported."), QStringLiteral("Invalid Config File"),
                           Prompter::Icon::Critical);
}
