#pragma once

#include "triggers/VobTriggerSettings.h"

#include <QObject>
#include <QString>

struct MainContext;

// Whether the selected VOB carries the trigger types (marks, caption, tab image, remove
// button) and enforces the privileged list in Settings, the description of one trigger
// type, and the removal of all of them.
class TriggerStatusController : public QObject
{
    Q_OBJECT

public:
    explicit TriggerStatusController(MainContext &context);

    void setTrigStatus();
    void butTriggerDetail_Click();
    void removeAllTriggersBut_Click();

    static QString removalWarning(const QString &vobTag);
    static QString privilegedListWarning(const QString &enforced);

private:
    void checkPrivilegedList();
    void showApplied(bool applied);
    void removeExistingTriggers(const QString &vobTag);

    MainContext &m_ctx;
    VobTriggerSettings m_settings;
};
