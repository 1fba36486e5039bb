#include "clearcase/ClearCaseFactory.h"
#include "clearcase/sandbox/CommandLine.h"
#include "clearcase/sandbox/SandboxClearCase.h"
#include "clearcase/sandbox/SandboxSeed.h"
#include "clearcase/sandbox/SandboxStore.h"
#include "support/ErrorText.h"
#include "support/FakePlatform.h"
#include "support/TempSandbox.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The line the trigger installation issues for the type trigger, blanks as it writes them.
const QString kTypeTriggerLine = QStringLiteral(
    "mktrtype -type -preop MODIFY_TYPE -nusers \"user1\" -attype -all -brtype -all -eltype -all -hltype -all "
    "-lbtype -all -trtype -all -exec \"ccperl \\\\myhost\\triggers\\_qx_security_trigger.pl m user1,user2\"  "
    "-c \"Created by Zan Utility on 12/5/2006 * * DO NOT MODIFY OR DELETE * *\" _KORVANE_SECURITY2@\\proj");

class SandboxClearCaseTest : public ::testing::Test
{
protected:
    TempSandbox sandbox;
    FakePlatform platform;
    std::unique_ptr<ClearCase> cc = sandbox.open(platform);

    static QString version(const QString &path) { return path + QStringLiteral("@@/main/0"); }
    void makeType(const QString &vob, const QString &name) { cc->createAttributeType(vob, name, 8, QString()); }
};

} // namespace

TEST_F(SandboxClearCaseTest, SeedDescribesASmallSite)
{
    // Views, VOBs and types as every backend sees them are in the contract suite.
    EXPECT_EQ(cc->description(), QStringLiteral("sandbox at ") + QDir::toNativeSeparators(sandbox.folder()));
    for (const ViewInfo &view : cc->allViews())
        EXPECT_EQ(view.host, platform.computer);
    EXPECT_EQ(errorOf([&] { cc->viewByTag(QStringLiteral("nobody")); }),
              QStringLiteral("No matching entries found for view tag \"nobody\"."));

    for (const QString &vob : SandboxSeed::vobTags)
        EXPECT_EQ(cc->attributeTypeNames(vob), SandboxSeed::builtinAttributeTypes);
    EXPECT_GE(sandbox.store().elements(SandboxSeed::projVob).size(), 300);
}

TEST_F(SandboxClearCaseTest, DrivesAndStartedViewsAreFolders)
{
    const QMap<QChar, QString> drives = platform.driveMap();
    for (const QChar letter : {QLatin1Char('a'), QLatin1Char('c'), QLatin1Char('d'), QLatin1Char('m')}) {
        ASSERT_TRUE(drives.contains(letter));
        EXPECT_TRUE(QFileInfo(drives.value(letter)).isDir());
    }
    EXPECT_TRUE(QFileInfo(platform.hostPath(QStringLiteral("m:\\bob_dev\\proj\\src\\main.c"))).isFile());
    EXPECT_TRUE(QFileInfo(platform.hostPath(QStringLiteral("m:\\bob_dev\\proj_pvob\\projects"))).isDir());
    EXPECT_FALSE(QFileInfo::exists(platform.hostPath(QStringLiteral("m:\\Team_BOB_int"))));
    EXPECT_FALSE(QFileInfo::exists(platform.hostPath(QStringLiteral("m:\\alice_snap"))));
}

TEST_F(SandboxClearCaseTest, VobRootInEverySpelling)
{
    makeType(SandboxSeed::projVob, QStringLiteral("__mktype"));
    cc->attachAttribute(SandboxSeed::projVob, QStringLiteral("__mktype"), version(QStringLiteral("m:\\bob_dev\\proj\\.")),
                        QStringLiteral("NONE"), QString(), false);
    for (const QString &root : {QStringLiteral("m:\\bob_dev\\proj"), QStringLiteral("m:\\bob_dev\\proj\\"),
                                QStringLiteral("M:\\robert_dev\\proj\\.")}) {
        const QList<AttributeInfo> found = cc->attributes(version(root));
        ASSERT_EQ(found.size(), 1) << root.toStdString();
        EXPECT_EQ(found.first().value, QStringLiteral("NONE"));
        EXPECT_NO_THROW(cc->requireVersion(root));
    }
}

TEST_F(SandboxClearCaseTest, PathsThatAreNotElements)
{
    const QString privateFile = QStringLiteral("m:\\bob_dev\\proj\\src\\private.tmp");
    EXPECT_EQ(errorOf([&] { cc->requireVersion(version(privateFile)); }),
              QStringLiteral("Not a vob object: \"m:\\bob_dev\\proj\\src\\private.tmp@@/main/0\"."));
    for (const QString &path : {QStringLiteral("m:\\bob_dev\\proj\\src\\gone.c"), QStringLiteral("m:\\bob_dev"),
                                QStringLiteral("m:\\Team_BOB_int\\proj\\src\\main.c"), QStringLiteral("m:\\alice_snap\\proj"),
                                QStringLiteral("c:\\bob_dev\\proj\\src\\main.c"), QStringLiteral("\\\\srv\\share\\main.c"),
                                QStringLiteral("m:\\bob_dev\\proj\\src\\main.c@@/main/7"),
                                QStringLiteral("m:\\bob_dev\\proj\\..\\tools\\bin")}) {
        EXPECT_EQ(errorOf([&] { cc->requireVersion(path); }),
                  QStringLiteral("Unable to access \"%1\": No such file or directory.").arg(path));
    }
    EXPECT_NO_THROW(cc->requireVersion(QStringLiteral("m:\\bob_dev\\proj\\src\\include\\..\\main.c@@\\main\\0")));
}

TEST_F(SandboxClearCaseTest, AttributesBelongToTheElementNotTheView)
{
    const QString type = QStringLiteral("__checkout");
    EXPECT_EQ(errorOf([&] {
                  cc->attachAttribute(SandboxSeed::projVob, type, version(QStringLiteral("m:\\bob_dev\\proj\\src\\util.c")),
                                      QStringLiteral("bob"), QString(), false);
              }),
              QStringLiteral("Attribute type not found: \"__checkout\"."));
    makeType(SandboxSeed::projVob, type);
    EXPECT_EQ(errorOf([&] { makeType(SandboxSeed::projVob, type); }), QStringLiteral("Name \"__checkout\" already exists."));

    cc->attachAttribute(SandboxSeed::projVob, type, version(QStringLiteral("m:\\bob_dev\\proj\\src\\util.c")),
                        QStringLiteral("bob"), QString(), false);
    EXPECT_THROW(cc->attachAttribute(SandboxSeed::projVob, type, version(QStringLiteral("m:\\rel_view\\proj\\src\\util.c")),
                                     QStringLiteral("eve"), QString(), false),
                 ZanError);
    cc->attachAttribute(SandboxSeed::projVob, type, version(QStringLiteral("m:\\rel_view\\proj\\src\\util.c")),
                        QStringLiteral("bob,alice"), QString(), true);
    const QList<AttributeInfo> seen = cc->attributes(version(QStringLiteral("m:\\robert_dev\\proj\\src\\util.c")));
    ASSERT_EQ(seen.size(), 1);
    EXPECT_EQ(seen.first().typeName, type);
    EXPECT_EQ(seen.first().value, QStringLiteral("bob,alice"));
    EXPECT_TRUE(cc->attributes(version(QStringLiteral("m:\\bob_dev\\proj\\src\\main.c"))).isEmpty());

    // A type of one VOB is not attached to an element of another.
    makeType(SandboxSeed::toolsVob, type);
    EXPECT_THROW(cc->attachAttribute(SandboxSeed::toolsVob, type, version(QStringLiteral("m:\\bob_dev\\proj\\src\\main.c")),
                                     QStringLiteral("x"), QString(), false),
                 ZanError);

    cc->removeAttribute(version(QStringLiteral("m:\\bob_dev\\proj\\src\\util.c")), type, QString());
    EXPECT_TRUE(cc->attributes(version(QStringLiteral("m:\\bob_dev\\proj\\src\\util.c"))).isEmpty());
    EXPECT_EQ(errorOf([&] { cc->removeAttribute(version(QStringLiteral("m:\\bob_dev\\proj\\src\\util.c")), type, QString()); }),
              QStringLiteral("Attribute not found: \"__checkout\"."));
}

TEST(SandboxFactory, ChoosesTheBackendFromTheEnvironment)
{
    QTemporaryDir dir;
    FakePlatform platform;
    platform.environment.insert(QStringLiteral("ZAN_CLEARCASE"), QStringLiteral("Sandbox"));
    platform.environment.insert(QStringLiteral("ZAN_SANDBOX"), dir.path());
    platform.environment.insert(QStringLiteral("ZAN_DRIVES"), QStringLiteral("c=/elsewhere"));
    const std::unique_ptr<ClearCase> cc = ClearCaseFactory::create(platform);
    EXPECT_EQ(cc->description(), QStringLiteral("sandbox at ") + QDir::toNativeSeparators(dir.path()));
    EXPECT_EQ(platform.driveMap().value(QLatin1Char('c')), QStringLiteral("/elsewhere"));
    EXPECT_EQ(platform.driveMap().value(QLatin1Char('m')), dir.path() + QStringLiteral("/drives/m"));
    // The emulator next to the program is the sandbox's own cleartool for trigger scripts.
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("bin/cleartool"))).isExecutable());

    platform.environment.insert(QStringLiteral("ZAN_CLEARCASE"), QStringLiteral("clearcase-by-mail"));
    EXPECT_THROW(ClearCaseFactory::create(platform), ZanError);
}

TEST(CommandLineSplit, FollowsCleartoolQuoting)
{
    using Style = CommandLine::Style;
    EXPECT_EQ(CommandLine::split(QStringLiteral("  desc   -l\ttrtype:X@\\proj ")),
              (QStringList{QStringLiteral("desc"), QStringLiteral("-l"), QStringLiteral("trtype:X@\\proj")}));
    EXPECT_EQ(CommandLine::split(QStringLiteral("a 'b c' \"d 'e'\" '' x'y z'w")),
              (QStringList{QStringLiteral("a"), QStringLiteral("b c"), QStringLiteral("d 'e'"), QString(), QStringLiteral("xy zw")}));
    EXPECT_EQ(CommandLine::split(QStringLiteral("'M:\\v\\dir x\\a.c' \\\\srv\\s")),
              (QStringList{QStringLiteral("M:\\v\\dir x\\a.c"), QStringLiteral("\\\\srv\\s")}));
    EXPECT_EQ(CommandLine::split(QStringLiteral("'it^'s'")), QStringList{QStringLiteral("it's")});
    EXPECT_EQ(CommandLine::split(QStringLiteral("a\\ b \"say \\\"hi\\\"\""), Style::Unix),
              (QStringList{QStringLiteral("a b"), QStringLiteral("say \"hi\"")}));
    EXPECT_EQ(errorOf([] { CommandLine::split(QStringLiteral("mkattr -c 'open")); }),
              QStringLiteral("cleartool: Error: Unmatched quote in command line."));
}

TEST(CommandLineSplit, QuoteGivesEveryArgumentBack)
{
    for (const QString &argument : {QStringLiteral("plain"), QString(), QStringLiteral("two words"), QStringLiteral("\"bob,ALL\""),
                                    QStringLiteral("o'neil"), QStringLiteral("M:\\v\\dir x\\a.c"), QStringLiteral("*?[]()")}) {
        const QStringList back = CommandLine::split(QStringLiteral("cmd ") + CommandLine::quote(argument));
        ASSERT_EQ(back.size(), 2) << argument.toStdString();
        EXPECT_EQ(back.at(1), argument);
    }
    // Closing quotes that could be read as escaped ones.
    using Style = CommandLine::Style;
    EXPECT_EQ(CommandLine::split(CommandLine::quote(QStringLiteral("ends in ^"))), QStringList{QStringLiteral("ends in ^")});
    EXPECT_EQ(CommandLine::split(CommandLine::quote(QStringLiteral("a\\ b"), Style::Unix), Style::Unix),
              QStringList{QStringLiteral("a\\ b")});
    EXPECT_THROW(CommandLine::quote(QStringLiteral("it's a\\"), CommandLine::Style::Unix), ZanError);
    EXPECT_THROW(CommandLine::quote(QStringLiteral("both ' and \"")), ZanError);
    EXPECT_THROW(CommandLine::quote(QStringLiteral("two\nlines")), ZanError);
}

TEST_F(SandboxClearCaseTest, TypeTriggerLineIsDescribedLikeCleartoolAndRefusedLikeIt)
{
    // What it stores is checked on both backends by the contract suite; here its description.
    EXPECT_EQ(cc->runCommand(kTypeTriggerLine), QStringLiteral("Created trigger type \"_KORVANE_SECURITY2\".\n"));
    EXPECT_EQ(sandbox.store().findTriggerType(SandboxSeed::projVob, QStringLiteral("_KORVANE_SECURITY2"))->inclusions.size(), 6);

    const QString described = cc->runCommand(QStringLiteral("desc -l trtype:_KORVANE_SECURITY2@\\proj"));
    const QStringList lines = described.split(QLatin1Char('\n'));
    EXPECT_EQ(lines.first(), QStringLiteral("trigger type \"_KORVANE_SECURITY2\""));
    EXPECT_TRUE(lines.at(1).startsWith(QStringLiteral("  created ")));
    EXPECT_TRUE(lines.at(1).endsWith(QStringLiteral(" by ") + platform.login)); // the creator is recorded
    for (const QString &expected : {QStringLiteral("  \"Created by Zan Utility on 12/5/2006 * * DO NOT MODIFY OR DELETE * *\""),
                                    QStringLiteral("  type trigger"), QStringLiteral("  pre-operation MODIFY_TYPE"),
                                    QStringLiteral("  action: -exec \"ccperl \\\\myhost\\triggers\\_qx_security_trigger.pl m user1,user2\""),
                                    QStringLiteral("  excluded users: user1")})
        EXPECT_TRUE(lines.contains(expected)) << expected.toStdString();
    EXPECT_TRUE(described.endsWith(QLatin1Char('\n')));

    // What cleartool refuses.
    EXPECT_EQ(errorOf([&] { cc->runCommand(kTypeTriggerLine); }),
              QStringLiteral("cleartool: Error: Name \"_KORVANE_SECURITY2\" already exists.\n"
                             "cleartool: Error: Unable to create trigger type \"_KORVANE_SECURITY2\"."));
    QString replacing = kTypeTriggerLine;
    replacing.replace(QStringLiteral("-nusers \"user1\""), QStringLiteral("-replace"));
    cc->runCommand(replacing);
    EXPECT_TRUE(sandbox.store().findTriggerType(SandboxSeed::projVob, QStringLiteral("_KORVANE_SECURITY2"))->exemptUsers.isEmpty());

    const QString base = QStringLiteral("mktrtype -type -preop MODIFY_TYPE -attype -all -exec x -nc ");
    const QStringList refused = {
        QStringLiteral("mktrtype -type -preop MODIFY_TYPE -attype -all -nc T@\\proj"),             // no action
        QStringLiteral("mktrtype -type -preop MODIFY_TYPE -exec x -nc T@\\proj"),                  // no inclusion list
        QStringLiteral("mktrtype -type -preop MODIFY_NOTHING -attype -all -exec x -nc T@\\proj"),  // unknown kind
        QStringLiteral("mktrtype -type -attype -all -exec x -nc T@\\proj"),                        // no firing
        QStringLiteral("mktrtype -type -preop MODIFY_TYPE -attype -all -exec"),                    // option without value
        base + QStringLiteral("T"),                                                                // no VOB
        base + QStringLiteral("T@\\novob"),
        base + QStringLiteral("-bogus T@\\proj")};
    for (const QString &line : refused) {
        const QString error = errorOf([&] { cc->runCommand(line); });
        EXPECT_TRUE(error.startsWith(QStringLiteral("cleartool: Error: "))) << line.toStdString() << " -> " << error.toStdString();
    }
    EXPECT_EQ(cc->triggerTypeNames(SandboxSeed::projVob), QStringList{QStringLiteral("_KORVANE_SECURITY2")});
}

TEST_F(SandboxClearCaseTest, InteropLineKeepsBothActionsInOrder)
{
    cc->runCommand(QStringLiteral("mktrtype -type -preop MODIFY_TYPE -attype -all -brtype -all -eltype -all -hltype -all "
                                  "-lbtype -all -trtype -all -execwin \"ccperl \\\\h\\t\\s.pl m \" "
                                  "-execunix \"perl /net/h/t/s.pl m \" -c \"c\" _KORVANE_SECURITY2@\\tools"));
    const QString described = cc->runCommand(QStringLiteral("describe -long trtype:_KORVANE_SECURITY2@\\tools"));
    const int win = described.indexOf(QStringLiteral("  action: -execwin \"ccperl \\\\h\\t\\s.pl m \""));
    const int unix = described.indexOf(QStringLiteral("  action: -execunix \"perl /net/h/t/s.pl m \""));
    EXPECT_GE(win, 0);
    EXPECT_GT(unix, win);
    EXPECT_FALSE(described.contains(QStringLiteral("excluded users")));
}

TEST_F(SandboxClearCaseTest, UnknownCommandsAndObjectsFailLikeCleartool)
{
    EXPECT_EQ(errorOf([&] { cc->runCommand(QStringLiteral("frobnicate -all")); }),
              QStringLiteral("cleartool: Error: Unrecognized command: \"frobnicate\""));
    EXPECT_EQ(errorOf([&] { cc->runCommand(QStringLiteral("desc -l trtype:_KORVANE_SECURITY1@\\proj")); }),
              QStringLiteral("cleartool: Error: Trigger type not found: \"_KORVANE_SECURITY1\"."));
    EXPECT_EQ(errorOf([&] { cc->runCommand(QStringLiteral("des -l trtype:X@\\proj")); }),
              QStringLiteral("cleartool: Error: Unrecognized command: \"des\""));
    EXPECT_EQ(cc->runCommand(QStringLiteral("   ")), QString());
}
