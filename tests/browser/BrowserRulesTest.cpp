// Directory-listing entries, drive filtering and node-path arithmetic.
#include "browser/ElementPath.h"
#include "browser/FileDirInfo.h"
#include "support/QtPrinters.h"
#include "util/ZanError.h"

#include <gtest/gtest.h>

namespace {

QStringList names(const QList<FileDirInfo::Child> &children)
{
    QStringList result;
    for (const FileDirInfo::Child &child : children)
        result << child.name + QLatin1Char('/') + child.kind;
    return result;
}

} // namespace

TEST(FileDirInfoTest, ParsesDriveAndDirectoryEntries)
{
    EXPECT_EQ(FileDirInfo::parseDirListEntry(QStringLiteral("[-m-]")), QStringLiteral("m"));
    EXPECT_EQ(FileDirInfo::parseDirListEntry(QStringLiteral("[src]")), QStringLiteral("src"));
    EXPECT_EQ(FileDirInfo::parseDirListEntry(QStringLiteral("[my-dir]")), QStringLiteral("my-dir"));
    EXPECT_EQ(FileDirInfo::parseDirListEntry(QStringLiteral("[..]")), QStringLiteral(".."));
    EXPECT_THROW(FileDirInfo::parseDirListEntry(QStringLiteral("plain.txt")), ZanError);
    EXPECT_THROW(FileDirInfo::parseDirListEntry(QStringLiteral("[-x")), ZanError);
    EXPECT_THROW(FileDirInfo::parseDirListEntry(QStringLiteral("[open")), ZanError);
}

TEST(FileDirInfoTest, DriveFilterIsAnExactCharacterMatch)
{
    const QStringList drives{QStringLiteral("[-a-]"), QStringLiteral("[-c-]"), QStringLiteral("[-d-]"), QStringLiteral("[-m-]")};
    const QString initial = QStringLiteral("a:,c:,d;e;f;g;h;i;j;k;l;n;o;p;q;r;s;t;u;v;w;x;y;z");
    EXPECT_EQ(FileDirInfo::removeFilteredDrives(drives, initial), QStringList{QStringLiteral("[-m-]")});
    EXPECT_EQ(FileDirInfo::removeFilteredDrives(drives, QString()), drives);
    EXPECT_EQ(FileDirInfo::removeFilteredDrives(drives, QStringLiteral("M")), drives);
    // Adjacent matches are all removed, however the entries shift.
    EXPECT_EQ(FileDirInfo::removeFilteredDrives(drives, QStringLiteral("acd")), QStringList{QStringLiteral("[-m-]")});
    EXPECT_TRUE(FileDirInfo::removeFilteredDrives(drives, QStringLiteral("mdca")).isEmpty());
}

TEST(FileDirInfoTest, ChildEntriesSkipParentLostFoundAndVersionNames)
{
    const QStringList listing{QStringLiteral("[..]"),      QStringLiteral("[src]"),   QStringLiteral("[lost+found]"),
                              QStringLiteral("x@@y"),      QStringLiteral("a..b"),    QStringLiteral("[Lost+Found]"),
                              QStringLiteral("main.c"),    QStringLiteral("[d@@x]"),  QStringLiteral("lost+found")};
    EXPECT_EQ(names(FileDirInfo::childEntries(listing)),
              (QStringList{QStringLiteral("src/folderClosed"), QStringLiteral("Lost+Found/folderClosed"),
                           QStringLiteral("main.c/file")}));
}

TEST(FileDirInfoTest, OnlyAFullyBracketedEntryIsADirectory)
{
    // A file with brackets in its name, and a directory that looks like a drive entry.
    const QStringList listing{QStringLiteral("notes[old].txt"), QStringLiteral("[-x-]"), QStringLiteral("[-lead]")};
    EXPECT_EQ(names(FileDirInfo::childEntries(listing)),
              (QStringList{QStringLiteral("notes[old].txt/file"), QStringLiteral("-x-/folderClosed"),
                           QStringLiteral("-lead/folderClosed")}));
}

TEST(ElementPathTest, VobTagIsTheThirdPart)
{
    EXPECT_EQ(ElementPath::vobTagOf(QStringLiteral("m:\\bob_dev\\proj\\src\\main.c")), QStringLiteral("\\proj"));
    EXPECT_EQ(ElementPath::vobTagOf(QStringLiteral("m:\\bob_dev\\proj")), QStringLiteral("\\proj"));
    EXPECT_EQ(ElementPath::vobTagOf(QStringLiteral("m:")), QStringLiteral("\\"));
    EXPECT_THROW(ElementPath::vobTagOf(QStringLiteral("m:\\bob_dev")), ZanError);
}

TEST(ElementPathTest, VobRootIsDriveViewAndVobOnly)
{
    EXPECT_TRUE(ElementPath::isVobRoot(QStringLiteral("m:\\bob_dev\\proj")));
    EXPECT_FALSE(ElementPath::isVobRoot(QStringLiteral("m:\\bob_dev")));
    EXPECT_FALSE(ElementPath::isVobRoot(QStringLiteral("m:\\bob_dev\\proj\\src")));
    // A folder named like its VOB is an ordinary element.
    EXPECT_FALSE(ElementPath::isVobRoot(QStringLiteral("m:\\bob_dev\\proj\\lib\\proj")));
}
