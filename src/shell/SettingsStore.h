#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <memory>

// The per-user key/value store of the program: application "QXSECURITY", section "CONFIG".
// Keys compare case-insensitively and keep the spelling of their first write; any text may
// be a key or a value; enumeration follows insertion order; a missing key reads as "".
//
// The store is one JSON file. Every write replaces it as a whole (new file, flushed to disk,
// then renamed over the old one), so a crash leaves either the old or the new store. Writes
// take a lock file beside the store and re-read it first, so that several instances writing
// at once lose nothing. Failures are thrown as ZanError naming the file. A file that cannot
// be parsed is moved aside (never overwritten) and the store goes on empty; a file that
// cannot be read at all (a folder, a pipe, a device, no permission, too large) makes every
// call fail until it can be read again.
class SettingsStore
{
public:
    // The store file lives in `folder` (created on the first write). Until it exists, the
    // store reads the entries of the former store files (the first one named wins a key);
    // the first write puts them into the new file. Never throws.
    explicit SettingsStore(const QString &folder, QStringList formerFiles = {});
    ~SettingsStore();

    SettingsStore(const SettingsStore &) = delete;
    SettingsStore &operator=(const SettingsStore &) = delete;

    // The one store of the window and zanctl: in `folder` when given, else in defaultFolder(),
    // taking over a store that older versions kept in one of formerFiles().
    static std::unique_ptr<SettingsStore> open(const QString &folder = QString());

    // ZAN_SETTINGS when set, else "zan-utility" in the per-user configuration folder.
    static QString defaultFolder();
    // Where older versions kept the store: the window's, then zanctl's.
    static QStringList formerFiles();

    QString filePath() const;

    QString value(const QString &key) const;
    // An empty key is refused.
    void setValue(const QString &key, const QString &value);
    // Many values in one write of the store.
    void setValues(const QList<QPair<QString, QString>> &values);
    // A missing key is no error.
    void remove(const QString &key);
    QList<QPair<QString, QString>> entries() const;

private:
    struct Impl;
    Impl *d;
};
