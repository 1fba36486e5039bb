#pragma once

#include <QList>
#include <QPair>
#include <QString>

// The per-user key/value store of the program: application "QXSECURITY", section "CONFIG".
// Keys compare case-insensitively and keep the spelling of their first write; any text may
// be a key or a value; enumeration follows insertion order; a missing key reads as "".
// Every write is atomic and durable. Failures are thrown as ZanError naming the file.
class SettingsStore
{
public:
    // The store file lives in `folder` (created when missing).
    explicit SettingsStore(const QString &folder);
    ~SettingsStore();

    SettingsStore(const SettingsStore &) = delete;
    SettingsStore &operator=(const SettingsStore &) = delete;

    // ZAN_SETTINGS when set, else the per-user configuration folder.
    static QString defaultFolder();

    QString filePath() const;

    QString value(const QString &key) const;
    void setValue(const QString &key, const QString &value);
    void remove(const QString &key);
    QList<QPair<QString, QString>> entries() const;

private:
    struct Impl;
    Impl *d;
};
