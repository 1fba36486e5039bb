#pragma once

#include "access/AccessSettings.h"
#include "triggers/StoredTriggerSettings.h"
#include "triggers/TriggerInstaller.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>

class ClearCase;
class Platform;
class SettingsStore;

// The inputs of a trigger installation from the command line: --location, --unix-location,
// --interop / --no-interop and --admins over what the VOB was last installed with, and the
// rest as the window takes it: the administrator's exemption ("NUSERS"), the privileged
// list of Settings, the view drive of the path and today's date.
class TriggerOptions
{
public:
    static QList<QCommandLineOption> options();
    explicit TriggerOptions(const QCommandLineParser &parser);

    // A contradiction among the options themselves; "" when there is none.
    QString problem() const;
    // The VOB's stored setup with the options laid over it.
    StoredTriggerSettings settingsFor(const SettingsStore &store, const ElementLocation &vob) const;
    // The installation of those settings in the VOB; a UCM project VOB gets the UCM trigger.
    static TriggerInstaller::Request requestFor(const ElementLocation &vob, const StoredTriggerSettings &settings,
                                                const SettingsStore &store, const Platform &platform, ClearCase &clearCase);

private:
    std::optional<QString> m_location;
    std::optional<QString> m_unixLocation;
    std::optional<QString> m_administrators;
    std::optional<bool> m_interop;
    bool m_bothInteropFlags = false;
};
