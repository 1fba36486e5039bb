#pragma once

#include <QString>

class SettingsStore;
class SiteStyle;

// The trigger setup a VOB was last installed with, as the Trigger(Admin) tab keeps it in the
// settings store: "NTLoc", "UnixLoc", "Interop", "WinUnixLoc" and "AdminList", each followed
// by the VOB's name. Read and written without the window, for zanctl.
struct StoredTriggerSettings {
    // Each key is the prefix followed by the VOB's name.
    static inline const QString winUnixLocKey = QStringLiteral("WinUnixLoc");
    static inline const QString interopKey = QStringLiteral("Interop");
    static inline const QString ntLocKey = QStringLiteral("NTLoc");
    static inline const QString unixLocKey = QStringLiteral("UnixLoc");
    static inline const QString adminListKey = QStringLiteral("AdminList");

    QString windowsLocation;
    QString unixLocation;
    QString administrators;
    bool interop = false;
    bool separateUnixLocation = false;

    // Nothing stored reads as empty texts and flags off; a flag that is no "0" or "1" reads off.
    static StoredTriggerSettings load(const SettingsStore &store, const QString &vobTag, const SiteStyle &site);
    // As the tab stores after an installation: a text showing a placeholder ("<...>") keeps the
    // value stored before. Nothing happens for a tag without a name.
    void save(SettingsStore &store, const QString &vobTag, const SiteStyle &site) const;
    static void erase(SettingsStore &store, const QString &vobTag, const SiteStyle &site);
};
