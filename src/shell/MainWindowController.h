#pragma once

#include <QObject>
#include <QString>

struct MainContext;
class SettingsController;
class ZanError;

// The main window's own life: load, activate and unload steps, the close-all routine that
// runs at most once, and the File › Exit, Options › Settings and Help menu commands.
class MainWindowController : public QObject
{
    Q_OBJECT

public:
    MainWindowController(MainContext &context, SettingsController &settings, QString version);

    // "Zan Utility - <web address> (Beta Release) - <major.minor.revision>"
    QString caption() const;

    void load();
    void activate();
    void unload();
    void unloadAllForms();

    bool isClosing() const { return m_closing; }

private:
    void showSettings();
    void showHelpContent();
    // What Help > Content says when the desktop cannot open the document.
    static QString helpNotOpened(const QString &document);
    void showGettingHelp();
    void showAbout();
    void reportStoreFailureOnce(const ZanError &error);

    MainContext &m_ctx;
    SettingsController &m_settings;
    QString m_version;
    bool m_closing = false;
    QString m_reportedStoreFailure;
};
