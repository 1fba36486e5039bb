#pragma once

#include "triggers/ScriptDeployment.h"
#include "triggers/TriggerCommandLines.h"
#include "triggers/VobTriggerSettings.h"

#include <QObject>
#include <QString>

struct MainContext;

// "Apply Trigger": checks the inputs, copies the security script to the trigger
// location(s) and checks it arrived, records the privileged-operations list in the VOB and
// (re)creates the trigger types that run the script before guarded operations.
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

    static inline const QString copyFailureTitle = QStringLiteral("Trigger file not copied");
    static inline const QString unreachableTitle = QStringLiteral("Trigger location not reachable");
    static QString copyFailure(const QStringList &locations);
    static QString unreachableQuestion(const QList<ScriptDeployment::Unreachable> &locations);

private:
    bool inputsAreValid();
    bool deployScript(const QString &source);
    TriggerCommandLines commandLines();
    void recordPrivilegedList(const QString &vobTag);
    void removeIfPresent(const QString &vobTag, const QString &name);

    MainContext &m_ctx;
    VobTriggerSettings m_settings;
};
