// Directory-listing entries: drive and directory names, and which entries become children.
#include "browser/FileDirInfo.h"
#include "support/QtPrinters.h"
#include "util/ZanError.h"

#include <gtest/gtest.h>

TEST(FileDirInfoTest, ParsesEntriesAndSkipsParentLostFoundAndVersionNames)
{
    for (const auto &[entry, name] : {std::pair{"[-m-]", "m"}, {"[src]", "src"}, {"[my-dir]", "my-dir"}})
        EXPECT_EQ(FileDirInfo::parseDirListEntry(entry), name);
    for (const char *bad : {"plain.txt", "[-x", "[open"})
        EXPECT_THROW(FileDirInfo::parseDirListEntry(bad), ZanError) << bad;

    QStringList children;
    for (const FileDirInfo::Child &child : FileDirInfo::childEntries({"[..]", "[src]", "[lost+found]", "x@@y", "a..b", "[Lost+Found]",
                                                                      "main.c", "[d@@x]", "notes[old].txt", "[-x-]"}))
        children << child.name + "/" + child.kind;
    // Only a fully bracketed entry is a directory, also one that looks like a drive entry.
    EXPECT_EQ(children, (QStringList{"src/folderClosed", "Lost+Found/folderClosed", "main.c/file", "notes[old].txt/file",
                                     "-x-/folderClosed"}));
}
