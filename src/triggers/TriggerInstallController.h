#pragma once

#include "triggers/TriggerCommandLines.h"
#include "triggers/VobTriggerSettings.h"

#include <QObject>
#include <QString>

struct MainContext;

// "Apply Trigger": checks the inputs, copies the security script to the trigger
// location(s) and (re)creates the trigger types that run it before guarded operations.
class TriggerInstallController : public QObject
{
    Q_OBJECT

public:
    explicit TriggerInstallController(MainContext &context);

    void applyTriggerBut_Click();

    // Creates or replaces the trigger types of the VOB. A VOB that cannot be reached throws;
    // any failure after that is reported here and ends only this step.
    void doApplyTrigger(const QString &vobTag);

    // Where the script is taken from: the program's own folder.
    QString scriptSource() const;

private:
    bool inputsAreValid();
    void copyScript(const QString &source);
    TriggerCommandLines commandLines();
    void replaceAndCreate(const QString &vobTag, const TriggerTypeDefinition &definition);
    void removeIfPresent(const QString &vobTag, const QString &name);

    MainContext &m_ctx;
    VobTriggerSettings m_settings;
};
