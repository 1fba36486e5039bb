#include "shell/SettingsStore.h"

#include "platform/FileGuard.h"
#include "util/ZanError.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QHash>
#include <QJsonObject>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>

#include <functional>
#include <optional>

namespace {

const QString application = QStringLiteral("QXSECURITY");
const QString section = QStringLiteral("CONFIG");
const QString source = QStringLiteral("SettingsStore");
// How long a write waits for another instance's write to finish.
constexpr int kLockWaitMs = 10000;
constexpr int kLockWaitLimitMs = 120000;
constexpr int kOwnerlessLockMs = 1000;
// Far above any real store; a larger file is not read into memory.
constexpr qint64 kMaxStoreSize = qint64(256) << 20;
const QString storeFileName = QStringLiteral("QXSECURITY.json");

using Entries = QList<QPair<QString, QString>>;

ZanError storeError(const QString &description)
{
    return ZanError(ZanError::StoreFailure, source, description);
}

QByteArray serialize(const Entries &entries)
{
    QJsonArray list;
    for (const auto &[key, value] : entries)
        list.append(QJsonArray{key, value});
    const QJsonObject root{{QStringLiteral("application"), application},
                           {QStringLiteral("section"), section},
                           {QStringLiteral("entries"), list}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

// The store's entries with a case-insensitive index, so lookups and parsing stay linear.
class Table
{
public:
    const Entries &entries() const { return m_entries; }

    int find(const QString &key) const { return m_index.value(key.toCaseFolded(), -1); }

    // False when the value is already there.
    bool set(const QString &key, const QString &value)
    {
        const int index = find(key);
        if (index >= 0 && m_entries[index].second == value)
            return false;
        if (index >= 0) {
            m_entries[index].second = value;
        } else {
            m_index.insert(key.toCaseFolded(), int(m_entries.size()));
            m_entries.append({key, value});
        }
        return true;
    }

    bool remove(const QString &key)
    {
        const int index = find(key);
        if (index < 0)
            return false;
        m_entries.removeAt(index);
        m_index.remove(key.toCaseFolded());
        for (int &later : m_index)
            if (later > index)
                --later;
        return true;
    }

private:
    Entries m_entries;
    QHash<QString, int> m_index;
};

// The entries of a store file, or std::nullopt with the reason it is not one.
std::optional<Table> parse(const QByteArray &data, QString &reason)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(data, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        reason = parseError.errorString() + QStringLiteral(" at byte ") + QString::number(parseError.offset);
        return std::nullopt;
    }
    const QJsonObject root = document.object();
    if (!document.isObject() || root.value(QStringLiteral("application")).toString() != application ||
        root.value(QStringLiteral("section")).toString() != section || !root.value(QStringLiteral("entries")).isArray()) {
        reason = QStringLiteral("not a %1/%2 settings file").arg(application, section);
        return std::nullopt;
    }
    Table table;
    for (const QJsonValue &item : root.value(QStringLiteral("entries")).toArray()) {
        const QJsonArray pair = item.toArray();
        if (pair.size() != 2 || !pair[0].isString() || !pair[1].isString() || pair[0].toString().isEmpty()) {
            reason = QStringLiteral("entry %1 is not a key and a text value").arg(table.entries().size() + 1);
            return std::nullopt;
        }
        if (table.find(pair[0].toString()) >= 0) {
            reason = QStringLiteral("the key \"%1\" appears twice").arg(pair[0].toString());
            return std::nullopt;
        }
        table.set(pair[0].toString(), pair[1].toString());
    }
    return table;
}

// What identifies the file's content we last read or wrote.
struct Stamp {
    bool exists = false;
    qint64 size = 0;
    QDateTime modified;

    static Stamp of(const QString &path)
    {
        const QFileInfo info(path);
        return info.exists() ? Stamp{true, info.size(), info.lastModified()} : Stamp{};
    }
    bool operator==(const Stamp &) const = default;
};

} // namespace

struct SettingsStore::Impl {
    QString folder;
    QStringList formerFiles;
    Table table;
    bool current = false;
    Stamp stamp;

    QString path() const { return QDir(folder).filePath(storeFileName); }

    // Brings `table` in line with the file; throws when the file cannot be read.
    void refresh(bool force = false)
    {
        const Stamp onDisk = Stamp::of(path());
        if (current && onDisk == stamp && !force)
            return;
        current = false;
        if (!onDisk.exists) {
            table = formerEntries();
        } else {
            QString reason;
            std::optional<Table> parsed = parse(readFile(), reason);
            if (!parsed)
                setAside(reason);
            table = std::move(*parsed);
        }
        stamp = onDisk;
        current = true;
    }

    QByteArray readFile() const
    {
        FileGuard::Outcome read = FileGuard::read(path(), kMaxStoreSize);
        if (!read.ok())
            throw unreadable(read.reason);
        return std::move(read.content);
    }

    // A former store that cannot be read or parsed is left where it is and taken as empty.
    Table formerEntries() const
    {
        Table merged;
        for (const QString &former : formerFiles) {
            const FileGuard::Outcome read = FileGuard::read(former, kMaxStoreSize);
            QString reason;
            const std::optional<Table> parsed = read.ok() ? parse(read.content, reason) : std::nullopt;
            for (const auto &[key, value] : parsed ? parsed->entries() : Entries()) {
                if (merged.find(key) < 0)
                    merged.set(key, value);
            }
        }
        return merged;
    }

    ZanError unreadable(const QString &why) const
    {
        return storeError(QStringLiteral("The settings store %1 cannot be read (%2). Nothing is written to it until it can be read.")
                              .arg(QDir::toNativeSeparators(path()), why));
    }

    // A damaged store is never overwritten: it is renamed and the store starts empty.
    [[noreturn]] void setAside(const QString &reason)
    {
        const QString aside = path() + QStringLiteral(".corrupt-") +
                              QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss-zzz"));
        const QString file = QDir::toNativeSeparators(path());
        if (!QFile::rename(path(), aside))
            throw storeError(QStringLiteral("The settings store %1 is damaged (%2) and could not be moved aside. "
                                            "It is left as it is and nothing is written to it.")
                                 .arg(file, reason));
        table = Table();
        stamp = Stamp{};
        current = true;
        throw storeError(QStringLiteral("The settings store %1 is damaged (%2). It was kept as %3 and the settings start empty.")
                             .arg(file, reason, QDir::toNativeSeparators(aside)));
    }

    // Changes the store under a lock shared with other processes: the file is read again
    // under the lock, so a write of another instance in the meantime is never lost.
    void update(const std::function<bool(Table &)> &change)
    {
        if (!QDir().mkpath(folder))
            throw unwritable(QStringLiteral("the folder cannot be created"));
        QLockFile lock(path() + QStringLiteral(".lock"));
        if (!takeLock(lock))
            throw unwritable(QStringLiteral("another program keeps it locked"));
        refresh(true);
        Table next = table;
        if (change(next))
            write(std::move(next));
    }

    // Waits while another writer holds the lock. As long as the store keeps changing, the
    // others are making progress and the wait goes on (up to kLockWaitLimitMs); a lock held
    // without any write for kLockWaitMs counts as kept.
    bool takeLock(QLockFile &lock) const
    {
        const QDeadlineTimer limit(kLockWaitLimitMs);
        QDeadlineTimer deadline(kLockWaitMs);
        Stamp seen = Stamp::of(path());
        while (!lock.tryLock(100)) {
            const Stamp now = Stamp::of(path());
            if (!(now == seen)) {
                seen = now;
                deadline.setRemainingTime(kLockWaitMs);
            }
            if (deadline.hasExpired() || limit.hasExpired())
                return false;
            // A writer killed while creating the lock leaves it without an owner's details,
            // and nobody would ever release it; a live writer fills them in at once.
            const QFileInfo lockFile(path() + QStringLiteral(".lock"));
            qint64 pid = 0;
            QString host, application;
            if (!lock.getLockInfo(&pid, &host, &application) && lockFile.exists() &&
                lockFile.lastModified().msecsTo(QDateTime::currentDateTime()) > kOwnerlessLockMs)
                lock.removeStaleLockFile();
        }
        return true;
    }

    // Writes `next` as the whole store; `table` changes only when the new file is in place.
    void write(Table next)
    {
        const bool isNew = !QFileInfo::exists(path());
        QSaveFile file(path());
        if (!file.open(QIODevice::WriteOnly))
            throw unwritable(file.errorString());
        const QByteArray data = serialize(next.entries());
        if (file.write(data) != data.size() || !file.flush())
            throw unwritable(file.errorString());
        // commit() syncs the new file to disk before renaming it over the old one.
        if (!file.commit())
            throw unwritable(file.errorString());
        if (isNew)
            QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        table = std::move(next);
        stamp = Stamp::of(path());
        current = true;
    }

    ZanError unwritable(const QString &why) const
    {
        return storeError(QStringLiteral("The settings store %1 could not be written (%2). The stored settings are unchanged.")
                              .arg(QDir::toNativeSeparators(path()), why));
    }
};

SettingsStore::SettingsStore(const QString &folder, QStringList formerFiles)
    : d(new Impl{folder, std::move(formerFiles), {}, false, {}})
{
}
SettingsStore::~SettingsStore() { delete d; }

std::unique_ptr<SettingsStore> SettingsStore::open(const QString &folder)
{
    if (!folder.isEmpty())
        return std::make_unique<SettingsStore>(folder);
    // A folder named in ZAN_SETTINGS is the user's choice: nothing is taken over into it.
    const bool chosen = !qEnvironmentVariableIsEmpty("ZAN_SETTINGS");
    return std::make_unique<SettingsStore>(defaultFolder(), chosen ? QStringList() : formerFiles());
}

// Not the application's own configuration folder: the window and zanctl have different
// application names and must still meet in one store.
QString SettingsStore::defaultFolder()
{
    const QString configured = qEnvironmentVariable("ZAN_SETTINGS");
    if (!configured.isEmpty())
        return configured;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/zan-utility");
}

QStringList SettingsStore::formerFiles()
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return {config + QStringLiteral("/Korvane/QXSECURITY/") + storeFileName, config + QStringLiteral("/zanctl/") + storeFileName};
}

QString SettingsStore::filePath() const { return d->path(); }

QString SettingsStore::value(const QString &key) const
{
    d->refresh();
    const int index = d->table.find(key);
    return index < 0 ? QString() : d->table.entries()[index].second;
}

void SettingsStore::setValue(const QString &key, const QString &value)
{
    setValues({{key, value}});
}

void SettingsStore::setValues(const QList<QPair<QString, QString>> &values)
{
    for (const auto &entry : values) {
        if (entry.first.isEmpty())
            throw storeError(QStringLiteral("An empty key cannot be stored in the settings store %1.")
                                 .arg(QDir::toNativeSeparators(d->path())));
    }
    d->update([&](Table &table) {
        bool changed = false;
        for (const auto &[key, value] : values)
            changed = table.set(key, value) || changed;
        return changed;
    });
}

void SettingsStore::remove(const QString &key)
{
    d->refresh();
    if (d->table.find(key) < 0)
        return;
    d->update([&](Table &table) { return table.remove(key); });
}

QList<QPair<QString, QString>> SettingsStore::entries() const
{
    d->refresh();
    return d->table.entries();
}
