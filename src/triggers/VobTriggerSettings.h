#pragma once

#include <QString>

struct MainContext;
class QCheckBox;

// The per-VOB trigger settings of the VOB in vobTagTxt: Windows and Unix locations, the
// interop and separate-location flags and the administrators, kept in the settings store
// under "NTLoc", "UnixLoc", "Interop", "WinUnixLoc" and "AdminList" + the VOB name.
// Setting the fields from here runs their change behaviours like a user's edit.
class VobTriggerSettings
{
public:
    explicit VobTriggerSettings(MainContext &context);

    // save stores, remove deletes, neither loads. Nothing happens for a placeholder tag.
    void processVobTrigSettings(bool save, bool remove);

private:
    void store(const QString &vobName);
    void erase(const QString &vobName);
    void load(const QString &vobName);
    void loadFlag(QCheckBox *box, const QString &key);

    MainContext &m_ctx;
};
