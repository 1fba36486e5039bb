#pragma once

#include "triggers/ConfigFile.h"

#include <QObject>
#include <QString>

struct MainContext;

// File › "Save Config to File" and "Load Config File": the settings section exported to a
// configuration file, and a configuration file merged into the store. Both start in the
// program's own folder, or in the user's documents for a program installed in the system.
class ConfigFileController : public QObject
{
    Q_OBJECT

public:
    explicit ConfigFileController(MainContext &context);

    void saveConfigToFile();
    void loadConfigFile();

    void doSaveToConfigFile(const QString &path);
    void doReadConfigFile(const QString &path);

private:
    QString filesFolder() const;
    ConfigFile::Parsed readAndParse(const QString &path) const;
    void writeWholeFile(const QString &path, const QByteArray &content) const;
    void showInvalidFile(const QString &path, const QString &reason);
    void showLeftOut(const QString &heading, const QStringList &lines, const QString &title);

    MainContext &m_ctx;
};
