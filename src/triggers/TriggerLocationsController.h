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

    // The caption of trigLocationTxt where it is the one location, on a UNIX site without
    // interop: the UNIX clients run the script from there.
    static inline const QString unixClientsCaption = QStringLiteral("Unix clients:");
    static inline const QString unixClientsCaptionTip = QStringLiteral("E.g., /net/server/share/trigger");
    static inline const QString unixClientsFieldTip =
        QStringLiteral("Location to store / copy trigger.  This location should be accessible by all users of the VOB from Unix clients.");

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
    void showLocationCaption();

    MainContext &m_ctx;
    VobTriggerSettings m_settings;
    // The window's own caption and tips of the location, which name the Windows clients.
    const QString m_windowsCaption;
    const QString m_windowsCaptionTip;
    const QString m_windowsFieldTip;
};
