#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Rules over the directory-listing entries the platform lister produces:
//   "name"   a file
//   "[name]" a directory ("[..]" is the parent)
//   "[-x-]"  a drive, its letter in lower case
class FileDirInfo
{
public:
    // One child node to be shown under a directory.
    struct Child {
        QString name;
        QString kind; // "folderClosed" or "file"
    };

    // The drive letter of a drive entry, otherwise the name between the first "[" and the
    // next "]". Throws ZanError for an entry with neither form.
    static QString parseDirListEntry(const QString &entry);

    // True for "[name]": the whole entry is bracketed. A file whose name merely contains
    // brackets ("notes[old].txt") stays a file.
    static bool isDirectoryEntry(const QString &entry);

    // The drive entries whose letter does not occur in the filter text. The match is an
    // exact character match: separators carry no meaning and upper case filters nothing.
    static QStringList removeFilteredDrives(const QStringList &driveEntries, const QString &filter);

    // The children a directory listing yields, in listing order, without the parent entry,
    // names containing "..", "lost+found" and names containing "@@".
    static QList<Child> childEntries(const QStringList &entries);
};
