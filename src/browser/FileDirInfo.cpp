#include "browser/FileDirInfo.h"

#include "util/ZanError.h"

namespace {

ZanError badEntry(const QString &entry)
{
    return ZanError(ZanError::General, QStringLiteral("fileDirInfo"),
                    QStringLiteral("Invalid directory list entry: ") + entry);
}

QString bracketedName(const QString &entry)
{
    const int open = entry.indexOf(QLatin1Char('['));
    if (open < 0)
        throw badEntry(entry);
    const int close = entry.indexOf(QLatin1Char(']'), open + 1);
    if (close < 0)
        throw badEntry(entry);
    return entry.mid(open + 1, close - open - 1);
}

} // namespace

QString FileDirInfo::parseDirListEntry(const QString &entry)
{
    if (entry.indexOf(QLatin1Char('-')) == 1) {
        const int second = entry.indexOf(QLatin1Char('-'), 2);
        if (second < 0)
            throw badEntry(entry);
        return entry.mid(2, second - 2);
    }
    return bracketedName(entry);
}

bool FileDirInfo::isDirectoryEntry(const QString &entry)
{
    return entry.size() >= 2 && entry.startsWith(QLatin1Char('[')) && entry.endsWith(QLatin1Char(']'));
}

QStringList FileDirInfo::removeFilteredDrives(const QStringList &driveEntries, const QString &filter)
{
    if (filter.isEmpty())
        return driveEntries;
    QStringList kept;
    for (const QString &entry : driveEntries) {
        if (!filter.contains(parseDirListEntry(entry), Qt::CaseSensitive))
            kept << entry;
    }
    return kept;
}

QList<FileDirInfo::Child> FileDirInfo::childEntries(const QStringList &entries)
{
    QList<Child> children;
    children.reserve(entries.size());
    for (const QString &entry : entries) {
        if (entry.contains(QLatin1String("..")))
            continue;
        // A directory entry is parsed by its brackets alone: a directory named "-x-" must
        // not be taken for a drive.
        const bool directory = isDirectoryEntry(entry);
        const QString name = directory ? entry.mid(1, entry.size() - 2) : entry;
        if (name.isEmpty() || name == QLatin1String("lost+found") || name.contains(QLatin1String("@@")))
            continue;
        children.append({name, directory ? QStringLiteral("folderClosed") : QStringLiteral("file")});
    }
    return children;
}
