#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

struct MainContext;
class SettingsDialog;

// Applies the stored general settings to the main window, the Settings dialog and the
// process environment, and owns the Settings dialog (created on first use, kept hidden
// between openings). Provides the hooks processRegistrySettings, getPrivOperations,
// getViewDrive and showSettingsDialog.
class SettingsController : public QObject
{
    Q_OBJECT

public:
    // Taken verbatim, repeats included, when "PrivOper" is empty or missing.
    static const QString defaultPrivOperations;

    explicit SettingsController(MainContext &context);

    void processRegistrySettings(bool load, bool save);
    void showSettingsDialog();

    SettingsDialog &dialog();

private:
    void loadStoredSettings();

    MainContext &m_ctx;
    QPointer<SettingsDialog> m_dialog;
};
