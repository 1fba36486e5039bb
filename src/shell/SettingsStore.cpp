#include "shell/SettingsStore.h"

#include "util/ZanError.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>

#include <optional>

namespace {

const QString application = QStringLiteral("QXSECURITY");
const QString section = QStringLiteral("CONFIG");
const QString source = QStringLiteral("SettingsStore");

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

int indexOfKey(const Entries &entries, const QString &key)
{
    for (int i = 0; i < entries.size(); ++i)
        if (entries[i].first.compare(key, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

// The entries of a store file, or std::nullopt with the reason it is not one.
std::optional<Entries> parse(const QByteArray &data, QString &reason)
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
    Entries entries;
    for (const QJsonValue &item : root.value(QStringLiteral("entries")).toArray()) {
        const QJsonArray pair = item.toArray();
        if (pair.size() != 2 || !pair[0].isString() || !pair[1].isString() || pair[0].toString().isEmpty()) {
            reason = QStringLiteral("entry %1 is not a key and a text value").arg(entries.size() + 1);
            return std::nullopt;
        }
        if (indexOfKey(entries, pair[0].toString()) >= 0) {
            reason = QStringLiteral("the key \"%1\" appears twice").arg(pair[0].toString());
            return std::nullopt;
        }
        entries.append({pair[0].toString(), pair[1].toString()});
    }
    return entries;
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
    Entries entries;
    bool current = false;
    Stamp stamp;

    QString path() const { return QDir(folder).filePath(QStringLiteral("QXSECURITY.json")); }

    // Brings `entries` in line with the file; throws when the file cannot be read.
    void refresh()
    {
        const Stamp onDisk = Stamp::of(path());
        if (current && onDisk == stamp)
            return;
        current = false;
        if (!onDisk.exists) {
            entries.clear();
        } else {
            QString reason;
            std::optional<Entries> parsed = parse(readFile(), reason);
            if (!parsed)
                setAside(reason);
            entries = std::move(*parsed);
        }
        stamp = onDisk;
        current = true;
    }

    QByteArray readFile() const
    {
        QFile file(path());
        if (QFileInfo(file).isDir() || !file.open(QIODevice::ReadOnly))
            throw unreadable(QFileInfo(file).isDir() ? QStringLiteral("it is a folder") : file.errorString());
        QByteArray data = file.readAll();
        if (file.error() != QFileDevice::NoError)
            throw unreadable(file.errorString());
        return data;
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
        entries.clear();
        stamp = Stamp{};
        current = true;
        throw storeError(QStringLiteral("The settings store %1 is damaged (%2). It was kept as %3 and the settings start empty.")
                             .arg(file, reason, QDir::toNativeSeparators(aside)));
    }

    // Writes `next` as the whole store; `entries` changes only when the new file is in place.
    void write(Entries next)
    {
        const bool isNew = !QFileInfo::exists(path());
        if (!QDir().mkpath(folder))
            throw unwritable(QStringLiteral("the folder cannot be created"));
        QSaveFile file(path());
        if (!file.open(QIODevice::WriteOnly))
            throw unwritable(file.errorString());
        const QByteArray data = serialize(next);
        if (file.write(data) != data.size() || !file.flush())
            throw unwritable(file.errorString());
        // commit() syncs the new file to disk before renaming it over the old one.
        if (!file.commit())
            throw unwritable(file.errorString());
        if (isNew)
            QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        entries = std::move(next);
        stamp = Stamp::of(path());
        current = true;
    }

    ZanError unwritable(const QString &why) const
    {
        return storeError(QStringLiteral("The settings store %1 could not be written (%2). The stored settings are unchanged.")
                              .arg(QDir::toNativeSeparators(path()), why));
    }
};

SettingsStore::SettingsStore(const QString &folder) : d(new Impl{folder, {}, false, {}}) {}
SettingsStore::~SettingsStore() { delete d; }

QString SettingsStore::defaultFolder()
{
    const QString configured = qEnvironmentVariable("ZAN_SETTINGS");
    return configured.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) : configured;
}

QString SettingsStore::filePath() const { return d->path(); }

QString SettingsStore::value(const QString &key) const
{
    d->refresh();
    const int index = indexOfKey(d->entries, key);
    return index < 0 ? QString() : d->entries[index].second;
}

void SettingsStore::setValue(const QString &key, const QString &value)
{
    if (key.isEmpty())
        throw storeError(QStringLiteral("An empty key cannot be stored in the settings store %1.")
                             .arg(QDir::toNativeSeparators(d->path())));
    d->refresh();
    Entries next = d->entries;
    const int index = indexOfKey(next, key);
    if (index >= 0) {
        if (next[index].second == value)
            return;
        next[index].second = value;
    } else {
        next.append({key, value});
    }
    d->write(std::move(next));
}

void SettingsStore::remove(const QString &key)
{
    d->refresh();
    const int index = indexOfKey(d->entries, key);
    if (index < 0)
        return;
    Entries next = d->entries;
    next.removeAt(index);
    d->write(std::move(next));
}

QList<QPair<QString, QString>> SettingsStore::entries() const
{
    d->refresh();
    return d->entries;
}
