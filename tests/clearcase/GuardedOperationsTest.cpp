// Guarded operations in the emulator: which triggers fire, what their actions see, and how
// a refusal reads. The actions are small shell scripts on the sandbox's drive c.
#include "clearcase/ClearCaseFactory.h"
#include "clearcase/emulator/EmulatorCommands.h"
#include "clearcase/sandbox/SandboxStore.h"
#include "support/FakePlatform.h"
#include "support/TempSandbox.h"
#include "util/ZanError.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

class GuardedOperations : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString folder = QDir(sandbox.folder()).filePath(QStringLiteral("drives/c/t"));
        ASSERT_TRUE(QDir().mkpath(folder));
        log = QDir(folder).filePath(QStringLiteral("seen.log"));
        // Records what it saw; refuses when the user is eve.
        QFile script(QDir(folder).filePath(QStringLiteral("probe.sh")));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("printf '%s\\n' \"$CLEARCASE_OP_KIND|$CLEARCASE_PN|$CLEARCASE_USER|$CLEARCASE_VOB_PN|$CLEARCASE_VIEW_TAG|"
                     "$CLEARCASE_MTYPE|$CLEARCASE_LBTYPE|$CLEARCASE_TRTYPE_KIND\" >> \"$(dirname \"$0\")/seen.log\"\n"
                     "[ \"$CLEARCASE_USER\" != eve ]\n");
        script.close();
        qputenv("CLEARCASE_USER", "bob");
    }
    void TearDown() override { qunsetenv("CLEARCASE_USER"); }

    void makeTrigger(const QString &line) { commands.run(line + QStringLiteral(" -nc ") + QStringLiteral("T@\\proj")); }

    QString seen()
    {
        QFile file(log);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    TempSandbox sandbox;
    EmulatorCommands commands{sandbox.store(), QStringLiteral("bob"), QStringLiteral("host")};
    QString log;
    const QString mainC = QStringLiteral("m:\\bob_dev\\proj\\src\\main.c");
};

} // namespace

TEST_F(GuardedOperations, ElementTriggerSeesTheOperationAndRefusesForEve)
{
    makeTrigger(QStringLiteral("mktrtype -element -all -preop MODIFY_ELEM -execunix \"sh c:/t/probe.sh\""));
    EXPECT_EQ(commands.run(QStringList{QStringLiteral("co"), QStringLiteral("-nc"), mainC}),
              QStringLiteral("Checked out \"%1\" from version \"/main/0\".\n").arg(mainC));
    EXPECT_EQ(seen(), QStringLiteral("checkout|%1|bob|\\proj|bob_dev|element||pre-operation\n").arg(mainC));

    qputenv("CLEARCASE_USER", "eve");
    try {
        commands.run(QStringList{QStringLiteral("rmelem"), QStringLiteral("-nc"), mainC});
        FAIL() << "rmelem was not refused";
    } catch (const ZanError &e) {
        EXPECT_EQ(e.description(), QStringLiteral("cleartool: Warning: Trigger \"T\" has refused to let rmelem proceed.\n"
                                                  "cleartool: Error: Unable to remove element \"%1\".")
                                       .arg(mainC));
    }
    // mkelem makes the element only when allowed.
    EXPECT_THROW(commands.run(QStringList{QStringLiteral("mkelem"), QStringLiteral("-nc"), QStringLiteral("m:\\bob_dev\\proj\\src\\x.c")}),
                 ZanError);
    EXPECT_FALSE(sandbox.store().isElement(QStringLiteral("\\proj"), QStringLiteral("src/x.c")));
    qputenv("CLEARCASE_USER", "bob");
    commands.run(QStringList{QStringLiteral("mkelem"), QStringLiteral("-nc"), QStringLiteral("m:\\bob_dev\\proj\\src\\x.c")});
    EXPECT_TRUE(sandbox.store().isElement(QStringLiteral("\\proj"), QStringLiteral("src/x.c")));
}

TEST_F(GuardedOperations, TriggersThatDoNotApplyStayQuiet)
{
    qputenv("CLEARCASE_USER", "eve");
    // Exempt user, another platform's action, a post-operation trigger, a type trigger.
    makeTrigger(QStringLiteral("mktrtype -element -all -preop checkout -nusers EVE -execunix \"sh c:/t/probe.sh\""));
    commands.run(QStringLiteral("mktrtype -element -all -postop checkout -execunix \"sh c:/t/probe.sh\" -nc P@\\proj"));
    commands.run(QStringLiteral("mktrtype -type -preop MODIFY_TYPE -lbtype -all -execunix \"sh c:/t/probe.sh\" -nc Y@\\proj"));
    commands.run(QStringList{QStringLiteral("checkout"), QStringLiteral("-nc"), mainC});
    EXPECT_EQ(seen(), QString());

    // A trigger with only a Windows action cannot run here and so refuses.
    commands.run(QStringLiteral("mktrtype -element -all -preop checkin -execwin \"ccperl c:\\t\\x.pl\" -nc W@\\proj"));
    EXPECT_THROW(commands.run(QStringList{QStringLiteral("checkin"), QStringLiteral("-nc"), mainC}), ZanError);

    // The type trigger fires for label types and names the type; -ignore skips it.
    EXPECT_THROW(commands.run(QStringLiteral("mklbtype -nc REL@\\proj")), ZanError);
    EXPECT_EQ(seen(), QStringLiteral("mktype||eve|\\proj||label type|REL|pre-operation\n"));
    commands.run(QStringLiteral("rmtype -ignore -nc trtype:W@\\proj"));
    EXPECT_FALSE(sandbox.store().findTriggerType(QStringLiteral("\\proj"), QStringLiteral("W")).has_value());
}

TEST(CleartoolFactory, BorrowsTheSandboxDrivesUnlessTheViewDriveIsMapped)
{
    TempSandbox sandbox;
    FakePlatform platform;
    platform.environment = {{QStringLiteral("ZAN_CLEARCASE"), QStringLiteral("cleartool")},
                            {QStringLiteral("ZAN_SANDBOX"), sandbox.folder()},
                            {QStringLiteral("ZAN_CLEARTOOL"), QStringLiteral("/nonexistent/cleartool")}};
    ClearCaseFactory::create(platform);
    EXPECT_EQ(platform.hostPath(QStringLiteral("m:\\bob_dev")), sandbox.store().driveFolder(QStringLiteral("m")) + QStringLiteral("/bob_dev"));
    EXPECT_EQ(platform.hostPath(QStringLiteral("c:\\t")), sandbox.store().driveFolder(QStringLiteral("c")) + QStringLiteral("/t"));

    FakePlatform overridden;
    overridden.environment = platform.environment;
    overridden.environment.insert(QStringLiteral("ZAN_DRIVES"), QStringLiteral("m=/views"));
    ClearCaseFactory::create(overridden);
    EXPECT_EQ(overridden.hostPath(QStringLiteral("m:\\v")), QStringLiteral("/views/v"));

    FakePlatform mapped;
    mapped.environment = platform.environment;
    mapped.setDriveMap({{QLatin1Char('m'), QStringLiteral("/mine")}});
    ClearCaseFactory::create(mapped);
    EXPECT_EQ(mapped.driveMap().size(), 1);
}
