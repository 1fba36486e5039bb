// Directory-listing entries: drive and directory names, and which entries become children.
#include "browser/FileDirInfo.h"
#include "support/QtPrinters.h"
#include "util/ZanError.h"

#include <gtest/gtest.h>

namespace {

QStringList children(const QStringList &listing)
{
    QStringList result;
    for (const FileDirInfo::Child &child : FileDirInfo::childEntries(listing))
        result << child.name + QLatin1Char('/') + child.kind;
    return result;
}

} // namespace

TEST(FileDirInfoTest, ParsesDriveAndDirectoryEntries)
{
    EXPECT_EQ(FileDirInfo::parseDirListEntry(QStringLiteral("[-m-]")), QStringLiteral("m"));
    EXPECT_EQ(FileDirInfo::parseDirListEntry(QStringLiteral("[src]")), QStringLiteral("src"));
    EXPECT_EQ(FileDirInfo::parseDirListEntry(QStringLiteral("[my-dir]")), QStringLiteral("my-dir"));
    for (const char *bad : {"plain.txt", "[-x", "[open"})
        EXPECT_THROW(FileDirInfo::parseDirListEntry(QString::fromLatin1(bad)), ZanError) << bad;
}

TEST(FileDirInfoTest, ChildEntriesSkipParentLostFoundAndVersionNames)
{
    EXPECT_EQ(children({QStringLiteral("[..]"), QStringLiteral("[src]"), QStringLiteral("[lost+found]"), QStringLiteral("x@@y"),
                        QStringLiteral("a..b"), QStringLiteral("[Lost+Found]"), QStringLiteral("main.c"), QStringLiteral("[d@@x]")}),
              (QStringList{QStringLiteral("src/folderClosed"), QStringLiteral("Lost+Found/folderClosed"), QStringLiteral("main.c/file")}));
    // Only a fully bracketed entry is a directory, also one that looks like a drive entry.
    EXPECT_EQ(children({QStringLiteral("notes[old].txt"), QStringLiteral("[-x-]")}),
              (QStringList{QStringLiteral("notes[old].txt/file"), QStringLiteral("-x-/folderClosed")}));
}
