#include "support/QtPrinters.h"
#include "util/TextRoutines.h"

#include <gtest/gtest.h>

using namespace TextRoutines;

TEST(TextRoutines, SplitTokensAndLineEnds)
{
    QString text = "key:value:more";
    EXPECT_EQ(splitAtDelim(text, ":"), "value:more");
    EXPECT_EQ(text, "key");
    QString plain = "novalue";
    EXPECT_EQ(splitAtDelim(plain, ":"), QString());
    EXPECT_EQ(plain, "novalue");

    EXPECT_EQ(getLastToken("a__b__c", "__"), "c");
    EXPECT_EQ(getLastToken("Old__checkout ", "__"), "checkout");
    EXPECT_EQ(getLastToken("abc", "__"), "abc");
    for (const auto &[path, name] : {std::pair{"\\vob", "vob"}, {"vob", "vob"}, {"\\vobs\\proj ", "proj"}, {"m:\\view\\", ""}})
        EXPECT_EQ(getFileNameFromPath(path), name) << path;

    EXPECT_EQ(stripNonAnsi(QString::fromUtf8("ab\0c\u20ACd", 8)), "abcd");
    EXPECT_EQ(stripNonAnsi(QString::fromUtf8("Jürgen")), QString::fromUtf8("Jürgen"));
    EXPECT_EQ(lfToCrLf("a\nb\r\n"), "a\r\nb\r\r\n");
    EXPECT_TRUE(commaSplit(QString()).isEmpty());
    EXPECT_EQ(commaSplit("eve ,,bob"), (QStringList{"eve ", "", "bob"}));
}
