#pragma once

#include "triggers/TriggerInstaller.h"
#include "triggers/VobTriggerSettings.h"

#include <QObject>
#include <QString>

struct MainContext;
class SettingsController;
class TriggerStatusController;

// "Apply Trigger": hands the tab's inputs to the installer, shows its refusals and asks its
// question about a location this machine cannot reach, then reports each failing step and
// has the trigger status shown again.
class TriggerInstallController : public QObject
{
    Q_OBJECT

public:
    TriggerInstallController(MainContext &context, SettingsController &settings, TriggerStatusController &status);

    void applyTriggerBut_Click();

    // Creates or replaces the trigger types of the VOB. A VOB that cannot be reached throws;
    // any failure after that is reported here and ends only this step.
    void doApplyTrigger(const QString &vobTag);

    // Where the script is taken from: the program's own folder.
    QString scriptSource() const;

    static inline const QString copyFailureTitle = QStringLiteral("Trigger file not copied");
    static inline const QString unreachableTitle = QStringLiteral("Trigger location not reachable");
    static QString copyFailure(const QStringList &locations);
    static QString unreachableQuestion(const QList<ScriptDeployment::Unreachable> &locations);

private:
    bool inputsAreValid(const TriggerInstaller &installer);
    bool deployScript(const TriggerInstaller &installer, const QString &source);
    // The installation the tab's fields and the Settings dialog ask for.
    TriggerInstaller installer();

    MainContext &m_ctx;
    SettingsController &m_generalSettings;
    TriggerStatusController &m_status;
    VobTriggerSettings m_settings;
};
