#include "clearcase/cleartool/CleartoolOutput.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace CleartoolOutput;

TEST(CleartoolOutput, ViewRecordsAreReadByFieldName)
{
    const QString text = QStringLiteral(
        "Tag: joe_snap \"optional tag comment\"\n"
        "  Global path: \\\\srv\\ccstg\\views\\joe_snap.vws\n"
        "  Server host: srv\n"
        "  Region: winreg\n"
        "  Active: NO\n"
        "  View tag uuid:d0f2f25d.eeba4c53.82fb.b5:d9:f5:54:88:8d\n"
        "View on host: srv\n"
        "View attributes: snapshot\n"
        "View owner: DOMAIN\\joe\n"
        "\n"
        "Tag: joe_dyn\r\n"
        "  Global path: \\\\srv2\\views\\joe_dyn.vws\n"
        "  Server host: Srv2\n"
        "  Active: YES\n"
        "View on host: other\n"
        "View attributes: ucmview, webview\n");
    const QList<ViewInfo> views = parseViewRecords(text);
    ASSERT_EQ(views.size(), 2);
    EXPECT_EQ(views[0].tag, QStringLiteral("joe_snap"));
    EXPECT_EQ(views[0].host, QStringLiteral("srv"));
    EXPECT_TRUE(views[0].snapshot);
    EXPECT_FALSE(views[0].active);
    EXPECT_EQ(views[1].tag, QStringLiteral("joe_dyn"));
    EXPECT_EQ(views[1].host, QStringLiteral("Srv2"));
    EXPECT_FALSE(views[1].snapshot);
    EXPECT_TRUE(views[1].active);
}

TEST(CleartoolOutput, UcmProjectVobIsRecognisedByItsRegistryAttribute)
{
    EXPECT_TRUE(isUcmProjectVobRecord(QStringLiteral("Tag: \\p\n  Active: YES\nVob registry attributes: ucmvob\n")));
    EXPECT_TRUE(isUcmProjectVobRecord(QStringLiteral("Tag: \\p\nVob registry attributes: replicated, ucmvob")));
    EXPECT_FALSE(isUcmProjectVobRecord(QStringLiteral("Tag: \\p\nVob registry attributes: \n")));
    EXPECT_FALSE(isUcmProjectVobRecord(QStringLiteral("Tag: \\ucmvob \"ucmvob\"\n  Active: YES\n")));
}

TEST(CleartoolOutput, AttributesKeepTheirTextAndLoseOnlyTheOuterQuotes)
{
    const QString text = QStringLiteral(
        "version \"a.c@@/main/0\"\n"
        "  created 2024-05-02T10:11:12+02:00 by bob\n"
        "  Attributes:\n"
        "    __checkout = \"bob,ALL\"\n"
        "    __rmelem = \"Anne Marie,Jörg \"\n"
        "    Level = 3\n"
        "    __mkattr = \"\"\n"
        "  Labels:\n"
        "    REL = x\n");
    const QList<AttributeInfo> attributes = parseAttributes(text);
    ASSERT_EQ(attributes.size(), 4);
    EXPECT_EQ(attributes[0].typeName, QStringLiteral("__checkout"));
    EXPECT_EQ(attributes[0].value, QStringLiteral("bob,ALL"));
    EXPECT_EQ(attributes[1].value, QStringLiteral("Anne Marie,Jörg "));
    EXPECT_EQ(attributes[2].value, QStringLiteral("3"));
    EXPECT_EQ(attributes[3].value, QString());

    EXPECT_TRUE(parseAttributes(QStringLiteral("a.c@@/main/0\n")).isEmpty());
}
