#include "clearcase/ClearCaseFactory.h"
#include "clearcase/sandbox/CommandLine.h"
#include "clearcase/sandbox/SandboxClearCase.h"
#include "clearcase/sandbox/SandboxCleartool.h"
#include "clearcase/sandbox/SandboxSeed.h"
#include "clearcase/sandbox/SandboxStore.h"
#include "support/EmulatorBackend.h"
#include "support/ErrorText.h"
#include "support/FakePlatform.h"
#include "support/TempSandbox.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

namespace Seed = SandboxSeed;

class SandboxClearCaseTest : public ::testing::Test
{
protected:
    TempSandbox sandbox;
    FakePlatform platform;
    std::unique_ptr<ClearCase> cc = sandbox.open(platform);

    static QString version(const QString &path) { return path + "@@/main/0"; }
    void makeType(const QString &vob, const QString &name) { cc->createAttributeType(vob, name, 8, QString()); }
    void attach(const QString &vob, const QString &path, const QString &value, bool replace = false)
    {
        cc->attachAttribute(vob, "__checkout", version(path), value, QString(), replace);
    }
};

} // namespace

TEST_F(SandboxClearCaseTest, SeedDescribesASmallSiteWithDrivesAndStartedViewsAsFolders)
{
    // Views, VOBs and types as every backend sees them are in the contract suite, the views'
    // host in the views list's test (CCaseTest), the description in the factory's.
    EXPECT_GE(sandbox.store().elements(Seed::projVob).size(), 300);

    for (const QChar letter : QStringLiteral("acdm"))
        EXPECT_TRUE(QFileInfo(platform.driveMap().value(letter, "<none>")).isDir()) << letter.toLatin1();
    EXPECT_TRUE(QFileInfo(platform.hostPath("m:\\bob_dev\\proj\\src\\main.c")).isFile());
    EXPECT_TRUE(QFileInfo(platform.hostPath("m:\\bob_dev\\proj_pvob\\projects")).isDir());
    EXPECT_FALSE(QFileInfo::exists(platform.hostPath("m:\\Team_BOB_int")) || QFileInfo::exists(platform.hostPath("m:\\alice_snap")));
}

TEST_F(SandboxClearCaseTest, VobRootInEverySpellingAndAttributesBelongToTheElementNotTheView)
{
    makeType(Seed::projVob, "__mktype");
    cc->attachAttribute(Seed::projVob, "__mktype", version("m:\\bob_dev\\proj\\."), "NONE", QString(), false);
    for (const QString root : {"m:\\bob_dev\\proj\\", "M:\\robert_dev\\proj\\."}) {
        const QList<AttributeInfo> found = cc->attributes(version(root));
        ASSERT_EQ(found.size(), 1) << root.toStdString();
        EXPECT_EQ(found.first().value, "NONE");
        EXPECT_NO_THROW(cc->requireVersion(root));
    }
    // The root is an element under its own name, but its versions are not: proj@@ would be
    // looked up in the view's folder above the VOB.
    EXPECT_NO_THROW(cc->requireVersion("m:\\bob_dev\\proj"));
    EXPECT_THROW(cc->attributes(version("m:\\bob_dev\\proj")), ZanError);
    EXPECT_NO_THROW(cc->requireVersion("m:\\bob_dev\\proj\\src\\include\\..\\main.c@@\\main\\0"));

    makeType(Seed::projVob, "__checkout");
    attach(Seed::projVob, "m:\\bob_dev\\proj\\src\\util.c", "bob");
    EXPECT_THROW(attach(Seed::projVob, "m:\\rel_view\\proj\\src\\util.c", "eve"), ZanError);
    attach(Seed::projVob, "m:\\rel_view\\proj\\src\\util.c", "bob,alice", true);
    const QList<AttributeInfo> seen = cc->attributes(version("m:\\robert_dev\\proj\\src\\util.c"));
    ASSERT_EQ(seen.size(), 1);
    EXPECT_EQ(seen.first().typeName + "=" + seen.first().value, "__checkout=bob,alice");
    EXPECT_TRUE(cc->attributes(version("m:\\bob_dev\\proj\\src\\main.c")).isEmpty());
    // A type of one VOB is not attached to an element of another.
    makeType(Seed::toolsVob, "__checkout");
    EXPECT_THROW(attach(Seed::toolsVob, "m:\\bob_dev\\proj\\src\\main.c", "x"), ZanError);
}

TEST_F(SandboxClearCaseTest, FailuresReadLikeCleartools)
{
    const std::vector<std::pair<std::function<void()>, QString>> cases{
        {[&] {
             makeType(Seed::projVob, "__checkout");
             makeType(Seed::projVob, "__checkout");
         }, "Name \"__checkout\" already exists."},
        {[&] { cc->runCommand("frobnicate -all"); }, "cleartool: Error: Unrecognized command: \"frobnicate\""},
        {[&] { cc->runCommand("des -l trtype:X@\\proj"); }, "cleartool: Error: Unrecognized command: \"des\""},
        {[&] { cc->runCommand("desc -l trtype:_KORVANE_SECURITY1@\\proj"); },
         "cleartool: Error: Trigger type not found: \"_KORVANE_SECURITY1\"."},
        {[&] {
             for (int twice = 0; twice < 2; ++twice)
                 cc->runCommand("mktrtype -type -preop MODIFY_TYPE -attype -all -exec x -nc _KORVANE_SECURITY2@\\proj");
         },
         "cleartool: Error: Name \"_KORVANE_SECURITY2\" already exists.\ncleartool: Error: Unable to create trigger type "
         "\"_KORVANE_SECURITY2\"."},
    };
    for (const auto &[call, error] : cases)
        EXPECT_EQ(errorOf(call), error);
    for (const QString path : {"m:\\bob_dev\\proj\\src\\gone.c", "m:\\bob_dev", "m:\\Team_BOB_int\\proj\\src\\main.c",
                               "m:\\alice_snap\\proj", "c:\\bob_dev\\proj\\src\\main.c", "\\\\srv\\share\\main.c",
                               "m:\\bob_dev\\proj\\src\\main.c@@/main/7", "m:\\bob_dev\\proj\\..\\tools\\bin"})
        EXPECT_EQ(errorOf([&] { cc->requireVersion(path); }), "Unable to access \"" + path + "\": No such file or directory.");
    EXPECT_EQ(cc->runCommand("   "), QString());
}

// The backend and the drives come from the environment (BackendChoice): a drive ZAN_DRIVES names
// wins over the sandbox's own, which the emulator borrows only where the platform has mapped none.
TEST(ClearCaseFactory, ChoosesTheBackendAndItsDrivesFromTheEnvironment)
{
    TempSandbox sandbox;
    const QString folder = sandbox.folder();
    FakePlatform platform, overridden, mapped;
    platform.environment = {{"ZAN_CLEARCASE", "Sandbox"}, {"ZAN_SANDBOX", folder}, {"ZAN_DRIVES", "c=/elsewhere"}};
    EXPECT_EQ(ClearCaseFactory::create(platform)->description(), "sandbox at " + QDir::toNativeSeparators(folder));
    EXPECT_EQ(platform.driveMap().value(QLatin1Char('c')), "/elsewhere");
    EXPECT_EQ(platform.driveMap().value(QLatin1Char('m')), folder + "/drives/m");
    // The emulator next to the program is the sandbox's own cleartool for trigger scripts;
    // installing it again replaces the wrapper, and a missing emulator is refused.
    EXPECT_TRUE(QFileInfo(folder + "/bin/cleartool").isExecutable());
    EXPECT_EQ(SandboxCleartool::install(folder, emulatorProgram()), folder + "/bin");
    EXPECT_THROW(SandboxCleartool::install(folder, "/no/such/cleartool-sim"), ZanError);

    // The emulator is known by its name.
    overridden.environment = {{"ZAN_CLEARCASE", "cleartool"}, {"ZAN_SANDBOX", folder}, {"ZAN_CLEARTOOL", "/nonexistent/cleartool-sim"}};
    mapped.environment = overridden.environment;
    overridden.environment.insert("ZAN_DRIVES", "m=/views");
    mapped.setDriveMap({{QLatin1Char('m'), "/mine"}});
    ClearCaseFactory::create(overridden);
    ClearCaseFactory::create(mapped);
    EXPECT_EQ(overridden.hostPath("m:\\v"), "/views/v");
    EXPECT_EQ(overridden.hostPath("c:\\t"), sandbox.store().driveFolder("c") + "/t");
    EXPECT_EQ(mapped.driveMap().size(), 1);

    platform.environment.insert("ZAN_CLEARCASE", "clearcase-by-mail");
    EXPECT_THROW(ClearCaseFactory::create(platform), ZanError);
}

TEST(CommandLineSplit, FollowsCleartoolQuoting)
{
    using Style = CommandLine::Style;
    for (const auto &[line, style, words] : std::vector<std::tuple<QString, Style, QStringList>>{
             {"  desc   -l\ttrtype:X@\\proj ", Style::Windows, {"desc", "-l", "trtype:X@\\proj"}},
             {"a 'b c' \"d 'e'\" '' x'y z'w", Style::Windows, {"a", "b c", "d 'e'", "", "xy zw"}},
             {"'M:\\v\\dir x\\a.c' \\\\srv\\s", Style::Windows, {"M:\\v\\dir x\\a.c", "\\\\srv\\s"}},
             {"'it^'s'", Style::Windows, {"it's"}},
             {"a\\ b \"say \\\"hi\\\"\"", Style::Unix, {"a b", "say \"hi\""}}})
        EXPECT_EQ(CommandLine::split(line, style), words) << line.toStdString();
}
