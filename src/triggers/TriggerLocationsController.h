#pragma once

#include "triggers/VobTriggerSettings.h"

#include <QObject>
#include <QString>

struct MainContext;

// The location fields of the Trigger(Admin) tab: keeps the Unix location in step with the
// Windows one (and the Windows form of a separate Unix location in txtUnixWork), shows the
// Unix controls in interop mode, and holds the per-VOB trigger settings.
class TriggerLocationsController : public QObject
{
    Q_OBJECT

public:
    explicit TriggerLocationsController(MainContext &context);

    void processVobTrigSettings(bool save, bool remove);

    static inline const QString interopNoteTitle = QStringLiteral("Interop Requirements...");
    static QString interopNote();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void trigLocationTxt_Change();
    void trigLocationUnixTxt_Change();
    void trigLocationUnixTxt_KeyUp();
    void checkboxUnixOrWindowsLocation_Click(bool checked);
    void interopSupportCB_Click(bool checked);
    void followWindowsLocation();
    bool vobIsStoredAsInterop();

    MainContext &m_ctx;
    VobTriggerSettings m_settings;
};
