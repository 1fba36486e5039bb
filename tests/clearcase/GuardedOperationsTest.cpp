// Guarded operations in the emulator: which triggers fire, what their actions see, and how
// a refusal reads. The actions are small shell scripts on the sandbox's drive c.
#include "clearcase/emulator/EmulatorCommands.h"
#include "clearcase/sandbox/SandboxStore.h"
#include "support/ErrorText.h"
#include "support/KilledRerun.h"
#include "support/TempSandbox.h"
#include "util/ZanError.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace {

class GuardedOperations : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(folder));
        // Records what it saw; refuses when the user is eve.
        writeScript(QStringLiteral("probe.sh"),
                    "printf '%s\\n' \"$CLEARCASE_OP_KIND|$CLEARCASE_PN|$CLEARCASE_USER|$CLEARCASE_VOB_PN|$CLEARCASE_VIEW_TAG|"
                    "$CLEARCASE_MTYPE|$CLEARCASE_LBTYPE|$CLEARCASE_TRTYPE_KIND\" >> \"$(dirname \"$0\")/seen.log\"\n"
                    "[ \"$CLEARCASE_USER\" != eve ]\n");
    }

    // The emulator acting as the user, as cleartool-sim does for its CLEARCASE_USER; each user's
    // commands share the one sandbox.
    void actAs(const QString &user) { acting = user; }
    QString run(const QString &line)
    {
        auto &own = byUser[acting];
        if (!own)
            own = std::make_unique<EmulatorCommands>(sandbox.store(), acting, QStringLiteral("host"));
        return own->run(line);
    }

    void writeScript(const QString &name, const QByteArray &text)
    {
        QFile script(QDir(folder).filePath(name));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(text);
    }

    void makeTrigger(const QString &line) { run(line + QStringLiteral(" -nc T@\\proj")); }

    QString leftBehind(const QString &name)
    {
        QFile file(QDir(folder).filePath(name));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    QString seen() { return leftBehind(QStringLiteral("seen.log")); }

    // Each command run as its user must fail with exactly its error, or succeed where none is given.
    struct Step {
        QString user;
        QString command;
        QString error;
    };
    void expectSteps(const QList<Step> &steps)
    {
        for (const Step &step : steps) {
            SCOPED_TRACE(step.user.toStdString() + ": " + step.command.toStdString());
            actAs(step.user);
            EXPECT_EQ(errorOf([&] { run(step.command); }), step.error.isEmpty() ? QStringLiteral("<no error>") : step.error);
        }
    }
    // A change only the object's owner, the VOB owner or a privileged user may make.
    static QString denied(const QString &operation, const QString &failure)
    {
        return QStringLiteral("cleartool: Error: No permission to perform operation \"%1\".\ncleartool: Error: Must be one of: object "
                              "owner, VOB owner, privileged user.\ncleartool: Error: %2")
            .arg(operation, failure);
    }

    TempSandbox sandbox;
    QString acting = QStringLiteral("bob");
    std::map<QString, std::unique_ptr<EmulatorCommands>> byUser;
    const QString folder = QDir(sandbox.folder()).filePath(QStringLiteral("drives/c/t"));
    const QString mainC = QStringLiteral("m:\\bob_dev\\proj\\src\\main.c");
    const QString vobOwner = QFileInfo(sandbox.store().vobFolder(QStringLiteral("\\proj"))).owner();
};

} // namespace

TEST_F(GuardedOperations, ElementTriggerSeesTheOperationAndRefusesForEve)
{
    makeTrigger(QStringLiteral("mktrtype -element -all -preop MODIFY_ELEM -execunix \"sh c:/t/probe.sh\""));
    EXPECT_EQ(run(QStringLiteral("co -nc ") + mainC), QStringLiteral("Checked out \"%1\" from version \"\\main\\0\".\n").arg(mainC));
    EXPECT_EQ(seen(), QStringLiteral("checkout|%1|bob|\\proj|bob_dev|element||pre-operation\n").arg(mainC));

    actAs(QStringLiteral("eve"));
    EXPECT_EQ(errorOf([&] { run(QStringLiteral("rmelem -nc ") + mainC); }),
              QStringLiteral("cleartool: Warning: Trigger \"T\" has refused to let rmelem proceed.\n"
                             "cleartool: Error: Unable to remove element \"%1\".").arg(mainC));
    // mkelem makes the element only when allowed.
    EXPECT_THROW(run(QStringLiteral("mkelem -nc m:\\bob_dev\\proj\\src\\x.c")), ZanError);
    EXPECT_FALSE(sandbox.store().isElement(QStringLiteral("\\proj"), QStringLiteral("src/x.c")));
    actAs(QStringLiteral("bob"));
    run(QStringLiteral("mkelem -nc m:\\bob_dev\\proj\\src\\x.c"));
    EXPECT_TRUE(sandbox.store().isElement(QStringLiteral("\\proj"), QStringLiteral("src/x.c")));
}

TEST_F(GuardedOperations, TriggersThatDoNotApplyStayQuiet)
{
    actAs(QStringLiteral("eve"));
    // Exempt user, another platform's action, a post-operation trigger, a type trigger.
    makeTrigger(QStringLiteral("mktrtype -element -all -preop checkout -nusers EVE -execunix \"sh c:/t/probe.sh\""));
    run(QStringLiteral("mktrtype -element -all -postop checkout -execunix \"sh c:/t/probe.sh\" -nc P@\\proj"));
    run(QStringLiteral("mktrtype -type -preop MODIFY_TYPE -lbtype -all -execunix \"sh c:/t/probe.sh\" -nc Y@\\proj"));
    run(QStringLiteral("checkout -nc ") + mainC);
    EXPECT_EQ(seen(), QString());

    // A trigger with only a Windows action cannot run here and so refuses.
    run(QStringLiteral("mktrtype -element -all -preop checkin -execwin \"ccperl c:\\t\\x.pl\" -nc W@\\proj"));
    EXPECT_THROW(run(QStringLiteral("checkin -nc ") + mainC), ZanError);

    // The type trigger fires for label types and names the type; -ignore skips it.
    EXPECT_THROW(run(QStringLiteral("mklbtype -nc REL@\\proj")), ZanError);
    EXPECT_EQ(seen(), QStringLiteral("mktype||eve|\\proj||label type|REL|pre-operation\n"));
    run(QStringLiteral("rmtype -ignore -nc trtype:W@\\proj")); // by eve, who made it
    EXPECT_FALSE(sandbox.store().findTriggerType(QStringLiteral("\\proj"), QStringLiteral("W")).has_value());
}

// Removing, renaming, locking or redefining a type: its owner (bob made T), the VOB owner or
// root only, with or without -ignore; making a new type is for anyone.
TEST_F(GuardedOperations, TypeChangesNeedTheOwnerTheVobOwnerOrRoot)
{
    makeTrigger(QStringLiteral("mktrtype -element -all -preop checkin -execunix \"true\""));
    expectSteps({
        {"eve", "rmtype -nc trtype:T@\\proj", denied("rmtype", "Unable to remove trigger type \"T\".")},
        {"eve", "rmtype -ignore -nc trtype:T@\\proj", denied("rmtype", "Unable to remove trigger type \"T\".")},
        {"eve", "rntype -nc trtype:T@\\proj U", denied("rntype", "Unable to rename trigger type \"T\".")},
        {"eve", "lock -nc trtype:T@\\proj", denied("lock", "Unable to lock trigger type \"T\".")},
        {"eve", "chevent -c why trtype:T@\\proj", denied("chevent", "Unable to change event of trigger type \"T\".")},
        {"eve", "mktrtype -replace -element -all -preop checkout -exec x -nc T@\\proj",
         denied("mktype", "Unable to create trigger type \"T\".")},
        {"eve", "mkattype -replace -nc HlinkToText@\\proj", denied("mktype", "Unable to create attribute type \"HlinkToText\".")},
        {"eve", "mklbtype -nc REL@\\proj", ""},
        {"eve", "mktrtype -element -all -preop checkout -exec x -nc E@\\proj", ""},
        {"BOB", "chevent -c why trtype:T@\\proj", ""},
        {"BOB", "lock -nc trtype:T@\\proj", ""},
        {"BOB", "unlock -nc trtype:T@\\proj", ""},
        {vobOwner, "rntype -nc trtype:T@\\proj U", ""},
        {vobOwner, "mkattype -replace -nc HlinkToText@\\proj", ""},
        {"root", "rmtype -ignore -nc trtype:E@\\proj", ""},
        {"bob", "rmtype -ignore -nc trtype:U@\\proj", ""}, // T, renamed
    });
    EXPECT_FALSE(sandbox.store().findTriggerType(QStringLiteral("\\proj"), QStringLiteral("T")).has_value());
    EXPECT_FALSE(sandbox.store().findTriggerType(QStringLiteral("\\proj"), QStringLiteral("U")).has_value());
}

// A lock holds back every change to its object, after the triggers, from all but the users
// it excepts; an obsolete lock excepts nobody; only unlock gets past it. Real cleartool
// unverified: the wording of the refusal and the operation it names.
TEST_F(GuardedOperations, LocksHoldChangesBackFromAllButTheirExceptedUsers)
{
    run(QStringLiteral("mkattype -vtype string -nc Note@\\proj"));
    const QString held = QStringLiteral("cleartool: Error: Lock on %1 prevents operation \"%2\".\ncleartool: Error: %3");
    expectSteps({
        // Locking and unlocking belong to the object's owner, the VOB owner and privileged users.
        {"eve", "lock " + mainC, denied("lock", "Unable to lock element \"" + mainC + "\".")},
        {"eve", "lock brtype:main@\\proj", denied("lock", "Unable to lock branch type \"main\".")},
        {vobOwner, "lock -nusers alice " + mainC, ""},
        {"eve", "unlock " + mainC, denied("unlock", "Unable to unlock element \"" + mainC + "\".")},
        {vobOwner, "lock " + mainC,
         "cleartool: Error: Object is already locked.\ncleartool: Error: Unable to lock element \"" + mainC + "\"."},
        {"bob", "mkattr Note '\"x\"' " + mainC,
         held.arg("element \"" + mainC + "\"", "mkattr", "Unable to create attribute \"Note\" on \"" + mainC + "\".")},
        {"bob", "checkout -nc " + mainC, held.arg("element \"" + mainC + "\"", "checkout", "Unable to check out \"" + mainC + "\".")},
        {"alice", "mkattr Note '\"x\"' " + mainC, ""},
        {vobOwner, "lock -replace -obsolete " + mainC, ""},
        {"alice", "rmattr Note " + mainC,
         held.arg("element \"" + mainC + "\"", "rmattr", "Unable to remove attribute \"Note\" from \"" + mainC + "\".")},
        {vobOwner, "unlock " + mainC, ""},
        {vobOwner, "unlock " + mainC,
         "cleartool: Error: Object is not locked.\ncleartool: Error: Unable to unlock element \"" + mainC + "\"."},
        // A locked type: its instances, its renaming; the branch type main: checkouts.
        {vobOwner, "lock attype:Note@\\proj", ""},
        {"bob", "rmattr Note " + mainC,
         held.arg("attribute type \"Note\"", "rmattr", "Unable to remove attribute \"Note\" from \"" + mainC + "\".")},
        {vobOwner, "rntype attype:Note@\\proj Remark",
         held.arg("attribute type \"Note\"", "rntype", "Unable to rename attribute type \"Note\".")},
        {vobOwner, "unlock attype:Note@\\proj", ""},
        {vobOwner, "lock -nusers bob brtype:main@\\proj", ""},
        {"alice", "checkout -nc " + mainC, held.arg("branch type \"main\"", "checkout", "Unable to check out \"" + mainC + "\".")},
        {"bob", "checkout -nc " + mainC, ""},
        {vobOwner, "unlock brtype:main@\\proj", ""},
        // The VOB: only its owner locks it, and then nothing in it changes.
        {"bob", "lock vob:\\proj", denied("lock", "Unable to lock versioned object base \"\\proj\".")},
        {vobOwner, "lock vob:\\proj", ""},
        {"bob", "checkin -nc " + mainC, held.arg("versioned object base \"\\proj\"", "checkin", "Unable to check in \"" + mainC + "\".")},
        {vobOwner, "mklbtype -nc REL@\\proj",
         held.arg("versioned object base \"\\proj\"", "mktype", "Unable to create label type \"REL\".")},
        {vobOwner, "unlock vob:\\proj", ""},
        {"bob", "checkin -nc " + mainC, ""},
    });
    EXPECT_EQ(sandbox.store().latestVersion(QStringLiteral("\\proj"), QStringLiteral("src/main.c")), 1);
}

// An action gets neither the caller's Perl tuning nor ZAN_* variables, a temporary folder of
// its own that is removed afterwards, and a time limit past which it is killed with all it
// started.
TEST_F(GuardedOperations, ActionsRunCleanBoundedAndLeaveNothingBehind)
{
    writeScript(QStringLiteral("env.sh"), "echo \"$PERL5OPT|$PERL5LIB|$ZAN_DRIVES|$ZAN_CLEARTOOL|$TMPDIR\" > \"$(dirname \"$0\")/env.txt\"\n"
                                          "touch \"$TMPDIR/left\"\n"
                                          "[ \"$CLEARCASE_OP_KIND\" = checkout ] || { sleep 30 & echo $! > \"$(dirname \"$0\")/child\"; sleep 30; }\n");
    makeTrigger(QStringLiteral("mktrtype -element -all -preop checkout,checkin -execunix \"sh c:/t/env.sh\""));
    qputenv("ZAN_TRIGGER_TIME_LIMIT", "1");
    EmulatorCommands limited{sandbox.store(), QStringLiteral("bob"), QStringLiteral("host")};
    qunsetenv("ZAN_TRIGGER_TIME_LIMIT");
    // The action's environment is taken when it starts.
    const char *const tuning[] = {"PERL5OPT", "PERL5LIB", "ZAN_DRIVES", "ZAN_CLEARTOOL"};
    for (const char *name : tuning)
        qputenv(name, "caller");
    limited.run(QStringLiteral("checkout -nc ") + mainC);
    for (const char *name : tuning)
        qunsetenv(name);
    const QString line = leftBehind(QStringLiteral("env.txt")).trimmed();
    EXPECT_TRUE(line.startsWith(QLatin1String("||||/"))) << line.toStdString();
    EXPECT_FALSE(QFileInfo::exists(line.mid(4))) << line.toStdString();

    QElapsedTimer timer;
    timer.start();
    const QString hung = errorOf([&] { limited.run(QStringLiteral("checkin -nc ") + mainC); });
    EXPECT_TRUE(hung.startsWith(
        QStringLiteral("cleartool: Warning: Trigger action \"sh c:/t/env.sh\" did not finish within 1 seconds and was stopped.")))
        << hung.toStdString();
    EXPECT_LT(timer.elapsed(), 15000);
    const QString child = leftBehind(QStringLiteral("child")).trimmed();
    ASSERT_FALSE(child.isEmpty());
    // The kill is delivered asynchronously, so the child gets a moment to die.
    for (QDeadlineTimer deadline(5000); !KilledRerun::ended(child.toLongLong()) && !deadline.hasExpired();)
        QThread::msleep(20);
    EXPECT_TRUE(KilledRerun::ended(child.toLongLong())) << "the action's child outlived it";
}
