#include "clearcase/cleartool/CleartoolOutput.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace CleartoolOutput;

// What the cleartool backend reads of real cleartool's listings beyond what the emulator
// prints (the contract suite): tag comments, CRLF lines, a host named only by "View on host".
TEST(CleartoolOutput, ViewRecordsAreReadByFieldName)
{
    const QString text = QStringLiteral(
        "Tag: joe_snap \"optional tag comment\"\n"
        "  Global path: \\\\srv\\ccstg\\views\\joe_snap.vws\n"
        "  Active: NO\n"
        "View on host: srv\n"
        "View attributes: snapshot\n"
        "\n"
        "Tag: joe_dyn\r\n"
        "  Server host: Srv2\n"
        "  Active: YES\n"
        "View on host: other\n"
        "View attributes: ucmview, webview\n");
    QStringList views;
    for (const ViewInfo &view : parseViewRecords(text))
        views << QStringLiteral("%1@%2 %3 %4").arg(view.tag, view.host).arg(view.snapshot).arg(view.active);
    EXPECT_EQ(views, (QStringList{QStringLiteral("joe_snap@srv 1 0"), QStringLiteral("joe_dyn@Srv2 0 1")}));

    // Only the registry attributes mark a UCM project VOB.
    EXPECT_TRUE(isUcmProjectVobRecord(QStringLiteral("Tag: \\p\nVob registry attributes: replicated, ucmvob")));
    EXPECT_FALSE(isUcmProjectVobRecord(QStringLiteral("Tag: \\p\nVob registry attributes: \n")));
    EXPECT_FALSE(isUcmProjectVobRecord(QStringLiteral("Tag: \\ucmvob \"ucmvob\"\n  Active: YES\n")));
}

TEST(CleartoolOutput, AttributesKeepTheirTextAndLoseOnlyTheOuterQuotes)
{
    const QString text = QStringLiteral(
        "version \"a.c@@/main/0\"\n"
        "  Attributes:\n"
        "    __rmelem = \"Anne Marie,Jörg \"\n"
        "    Level = 3\n"
        "    __mkattr = \"\"\n"
        "  Labels:\n"
        "    REL = x\n");
    QStringList attributes;
    for (const AttributeInfo &attribute : parseAttributes(text))
        attributes << attribute.typeName + QLatin1Char('=') + attribute.value;
    EXPECT_EQ(attributes, (QStringList{QStringLiteral("__rmelem=Anne Marie,Jörg "), QStringLiteral("Level=3"), QStringLiteral("__mkattr=")}));
    EXPECT_TRUE(parseAttributes(QStringLiteral("a.c@@/main/0\n")).isEmpty());
}
