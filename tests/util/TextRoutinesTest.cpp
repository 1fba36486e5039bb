#include "support/QtPrinters.h"
#include "util/TextRoutines.h"

#include <gtest/gtest.h>

using namespace TextRoutines;

TEST(TextRoutines, SplitAtDelimKeepsHeadAndReturnsTail)
{
    QString text = QStringLiteral("key:value:more");
    EXPECT_EQ(splitAtDelim(text, QStringLiteral(":")), QStringLiteral("value:more"));
    EXPECT_EQ(text, QStringLiteral("key"));

    QString plain = QStringLiteral("novalue");
    EXPECT_EQ(splitAtDelim(plain, QStringLiteral(":")), QString());
    EXPECT_EQ(plain, QStringLiteral("novalue"));
}

TEST(TextRoutines, LastTokenAndFileName)
{
    EXPECT_EQ(getLastToken(QStringLiteral("a__b__c"), QStringLiteral("__")), QStringLiteral("c"));
    EXPECT_EQ(getLastToken(QStringLiteral("abc"), QStringLiteral("__")), QStringLiteral("abc"));
    EXPECT_EQ(getLastToken(QStringLiteral("Old__checkout "), QStringLiteral("__")), QStringLiteral("checkout"));
    EXPECT_EQ(getFileNameFromPath(QStringLiteral("\\vob")), QStringLiteral("vob"));
    EXPECT_EQ(getFileNameFromPath(QStringLiteral("vob")), QStringLiteral("vob"));
    EXPECT_EQ(getFileNameFromPath(QStringLiteral("\\vobs\\proj ")), QStringLiteral("proj"));
    EXPECT_EQ(getFileNameFromPath(QStringLiteral("m:\\view\\")), QString());
}

TEST(TextRoutines, ReplaceStripAndLineEnds)
{
    EXPECT_EQ(replaceChar(QStringLiteral(" "), QString(), QStringLiteral("user1, user2")), QStringLiteral("user1,user2"));
    EXPECT_EQ(stripNonAnsi(QString::fromUtf8("ab\0c\u20ACd", 8)), QStringLiteral("abcd"));
    EXPECT_EQ(stripNonAnsi(QString::fromUtf8("Jürgen")), QString::fromUtf8("Jürgen"));
    EXPECT_EQ(lfToCrLf(QStringLiteral("a\nb\n")), QStringLiteral("a\r\nb\r\n"));
    EXPECT_EQ(lfToCrLf(QStringLiteral("a\r\nb")), QStringLiteral("a\r\r\nb"));
}

TEST(TextRoutines, CommaListsKeepEmptyPiecesUntrimmed)
{
    EXPECT_TRUE(commaSplit(QString()).isEmpty());
    EXPECT_EQ(commaSplit(QStringLiteral("a,,b")), (QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")}));
    EXPECT_EQ(commaSplit(QStringLiteral("eve ,bob")), (QStringList{QStringLiteral("eve "), QStringLiteral("bob")}));
    EXPECT_EQ(commaJoin({QStringLiteral("bob"), QStringLiteral("ALL")}), QStringLiteral("bob,ALL"));
}
