#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

struct MainContext;
class SettingsDialog;

// Applies the stored general settings to the main window, the Settings dialog and the
// process environment, and owns the Settings dialog (created on first use, kept hidden
// between openings). The privileged list typed in the dialog is the one in force in the
// working state, and the state's list is shown in the dialog.
class SettingsController : public QObject
{
    Q_OBJECT

public:
    // Taken verbatim, repeats included, when "PrivOper" is empty or missing.
    static const QString defaultPrivOperations;

    explicit SettingsController(MainContext &context);

    void processRegistrySettings(bool load, bool save);
    void showSettingsDialog();
    // The view drive chosen for trigger installation.
    QString viewDrive();

    SettingsDialog &dialog();

private:
    void loadStoredSettings();

    MainContext &m_ctx;
    QPointer<SettingsDialog> m_dialog;
};
