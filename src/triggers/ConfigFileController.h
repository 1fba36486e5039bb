#pragma once

#include <QObject>
#include <QString>

struct MainContext;

// File › "Save Config to File" and "Load Config File": the settings section exported to a
// configuration file next to the program, and a configuration file merged into the store.
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
    QByteArray readWholeFile(const QString &path) const;
    void writeWholeFile(const QString &path, const QByteArray &content) const;
    void showInvalidFile(const QString &path, const QString &reason);

    MainContext &m_ctx;
};
