#include "clearcase/SiteStyle.h"
#include "support/QtPrinters.h"
#include "util/ZanError.h"

#include <gtest/gtest.h>

namespace {

const SiteStyle windowsSite(SiteStyle::Kind::Windows);
// Tags of several depths; /vobs/a is a prefix of /vobs/ab by text but not by component.
const SiteStyle unixSite(SiteStyle::Kind::Unix, {QStringLiteral("/vobs/proj"), QStringLiteral("/vobs/a"),
                                             QStringLiteral("/vobs/a/b"), QStringLiteral("/vobs/ab")});

struct PathCase {
    const SiteStyle &style;
    QString path;
    QString vobTag;
    QString vobRoot;
    bool isVobRoot;
};

} // namespace

TEST(SiteStyle, VobTagRootAndRootTestOfAPath)
{
    const PathCase cases[] = {
        {windowsSite, QStringLiteral("m:\\bob_dev\\proj\\src\\a.c"), QStringLiteral("\\proj"), QStringLiteral("m:\\bob_dev\\proj"), false},
        {windowsSite, QStringLiteral("m:\\bob_dev\\proj"), QStringLiteral("\\proj"), QStringLiteral("m:\\bob_dev\\proj"), true},
        // A folder inside the VOB carrying the VOB's own name is no root.
        {windowsSite, QStringLiteral("m:\\bob_dev\\proj\\proj"), QStringLiteral("\\proj"), QStringLiteral("m:\\bob_dev\\proj"), false},
        {windowsSite, QStringLiteral("\\\\server\\share\\vob\\a.c"), QStringLiteral("\\server"), QString(), false},
        {unixSite, QStringLiteral("/view/bob_dev/vobs/proj/src/a.c"), QStringLiteral("/vobs/proj"), QStringLiteral("/view/bob_dev/vobs/proj"), false},
        {unixSite, QStringLiteral("/view/bob_dev/vobs/proj"), QStringLiteral("/vobs/proj"), QStringLiteral("/view/bob_dev/vobs/proj"), true},
        {unixSite, QStringLiteral("/view/v/vobs/a/b/c"), QStringLiteral("/vobs/a/b"), QStringLiteral("/view/v/vobs/a/b"), false},
        {unixSite, QStringLiteral("/view/v/vobs/a/b"), QStringLiteral("/vobs/a/b"), QStringLiteral("/view/v/vobs/a/b"), true},
        {unixSite, QStringLiteral("/view/v/vobs/a/bc"), QStringLiteral("/vobs/a"), QStringLiteral("/view/v/vobs/a"), false},
        {unixSite, QStringLiteral("/view/v/vobs/abc/x"), QString(), QString(), false},
        {unixSite, QStringLiteral("/view/v/vobs"), QString(), QString(), false},
        {unixSite, QStringLiteral("/view/v/vobs/Proj"), QString(), QString(), false},
        {unixSite, QStringLiteral("/tmp/vobs/proj"), QString(), QString(), false},
    };
    for (const PathCase &c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        EXPECT_EQ(c.style.vobTagOf(c.path), c.vobTag);
        EXPECT_EQ(c.style.vobRootOf(c.path), c.vobRoot);
        EXPECT_EQ(c.style.isVobRoot(c.path), c.isVobRoot);
    }
    EXPECT_EQ(windowsSite.vobTagOf(QStringLiteral("m:")), QStringLiteral("\\"));
    EXPECT_THROW(windowsSite.vobTagOf(QStringLiteral("m:\\bob_dev")), ZanError);
    // Without the site's tag list a UNIX site is taken to use /vobs/<name>.
    const SiteStyle untold(SiteStyle::Kind::Unix);
    EXPECT_EQ(untold.vobTagOf(QStringLiteral("/view/v/vobs/x/src")), QStringLiteral("/vobs/x"));
    EXPECT_TRUE(untold.isVobRoot(QStringLiteral("/view/v/vobs/x")));
    EXPECT_FALSE(untold.isVobRoot(QStringLiteral("/view/v/vobs")));
}

// Windows tree roots, view tags and last components are proven where the browser, trigger and
// emulator suites use them; the UNIX tree root only here.
TEST(SiteStyle, RootVersionsAndTheUnixTreeRoot)
{
    EXPECT_EQ(windowsSite.rootVersionOf(QStringLiteral("m:\\v\\proj")), QStringLiteral("m:\\v\\proj\\.@@/main/0"));
    EXPECT_EQ(unixSite.rootVersionOf(QStringLiteral("/view/v/vobs/proj")), QStringLiteral("/view/v/vobs/proj/.@@/main/0"));
    EXPECT_EQ(unixSite.treeRoot(QStringLiteral("m")), QStringLiteral("/view"));
}

TEST(SiteStyle, StyleFromSettingAndFromTags)
{
    EXPECT_EQ(SiteStyle::fromSetting(QStringLiteral(" UNIX ")), SiteStyle::Kind::Unix);
    EXPECT_EQ(SiteStyle::fromSetting(QStringLiteral("windows")), SiteStyle::Kind::Windows);
    EXPECT_EQ(SiteStyle::fromSetting(QString()), std::nullopt);
    EXPECT_THROW(SiteStyle::fromSetting(QStringLiteral("mac")), ZanError);
    EXPECT_EQ(SiteStyle::fromVobTags({QStringLiteral("/vobs/proj")}), SiteStyle::Kind::Unix);
    EXPECT_EQ(SiteStyle::fromVobTags({QStringLiteral("\\proj")}), SiteStyle::Kind::Windows);
    EXPECT_EQ(SiteStyle::fromVobTags({}), std::nullopt);
}
