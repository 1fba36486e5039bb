// Temporary in-memory store; replaced by the durable file store.
#include "shell/SettingsStore.h"

#include <QDir>
#include <QStandardPaths>

struct SettingsStore::Impl {
    QString folder;
    QList<QPair<QString, QString>> entries;
};

SettingsStore::SettingsStore(const QString &folder) : d(new Impl{folder, {}}) {}
SettingsStore::~SettingsStore() { delete d; }

QString SettingsStore::defaultFolder()
{
    const QString configured = qEnvironmentVariable("ZAN_SETTINGS");
    return configured.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) : configured;
}

QString SettingsStore::filePath() const { return QDir(d->folder).filePath(QStringLiteral("QXSECURITY.ini")); }

QString SettingsStore::value(const QString &key) const
{
    for (const auto &e : d->entries)
        if (e.first.compare(key, Qt::CaseInsensitive) == 0)
            return e.second;
    return QString();
}

void SettingsStore::setValue(const QString &key, const QString &value)
{
    for (auto &e : d->entries)
        if (e.first.compare(key, Qt::CaseInsensitive) == 0) {
            e.second = value;
            return;
        }
    d->entries.append({key, value});
}

void SettingsStore::remove(const QString &key)
{
    for (int i = 0; i < d->entries.size(); ++i)
        if (d->entries[i].first.compare(key, Qt::CaseInsensitive) == 0) {
            d->entries.removeAt(i);
            return;
        }
}

QList<QPair<QString, QString>> SettingsStore::entries() const { return d->entries; }
