#include "triggers/StoredTriggerSettings.h"

#include "shell/SettingsStore.h"
#include "triggers/TriggerPaths.h"

#include <QChar>

#include <QList>
#include <QPair>

namespace {

QString flagText(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

StoredTriggerSettings StoredTriggerSettings::load(const SettingsStore &store, const QString &vobTag, const SiteStyle &site)
{
    StoredTriggerSettings settings;
    const QString name = TriggerPaths::vobNameOf(vobTag, site);
    if (name.isEmpty())
        return settings;
    settings.windowsLocation = store.value(ntLocKey + name);
    settings.unixLocation = store.value(unixLocKey + name);
    settings.administrators = store.value(adminListKey + name);
    settings.interop = store.value(interopKey + name).trimmed() == QLatin1String("1");
    settings.separateUnixLocation = store.value(winUnixLocKey + name).trimmed() == QLatin1String("1");
    return settings;
}

void StoredTriggerSettings::save(SettingsStore &store, const QString &vobTag, const SiteStyle &site) const
{
    const QString name = TriggerPaths::vobNameOf(vobTag, site);
    if (name.isEmpty())
        return;
    QList<QPair<QString, QString>> values{{winUnixLocKey + name, flagText(separateUnixLocation)},
                                          {interopKey + name, flagText(interop)}};
    const QList<QPair<QString, QString>> texts{
        {ntLocKey + name, windowsLocation}, {unixLocKey + name, unixLocation}, {adminListKey + name, administrators}};
    for (const auto &text : texts) {
        if (!text.second.contains(QLatin1Char('<')))
            values << text;
    }
    store.setValues(values);
}

void StoredTriggerSettings::erase(SettingsStore &store, const QString &vobTag, const SiteStyle &site)
{
    const QString name = TriggerPaths::vobNameOf(vobTag, site);
    if (name.isEmpty())
        return;
    for (const QString &prefix : {winUnixLocKey, interopKey, ntLocKey, unixLocKey, adminListKey})
        store.remove(prefix + name);
}
