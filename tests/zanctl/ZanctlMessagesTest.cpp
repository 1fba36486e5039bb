// What an administrator reads from zanctl: typos answered with the nearest name, help on
// request, and apply and purge telling exactly which targets failed or are missing.
#include "ZanctlFixture.h"

#include "clearcase/sandbox/SandboxStore.h"
#include "shell/SettingsStore.h"

using ZanctlMessages = ZanctlFixture;

TEST_P(ZanctlMessages, ATypoIsAUsageErrorNamingTheNearestName)
{
    const Step steps[] = {
        {{"chekc"}, 2, "", "zanctl: unknown command \"chekc\" (see zanctl --help)\n"},
        {{"shwo", mainC}, 2, "", "zanctl: unknown command \"shwo\"; did you mean \"show\"? (see zanctl --help)\n"},
        {{"explain", "bob", "chekout", mainC}, 2, "",
         "zanctl explain: \"chekout\" is not an operation of the catalogue; did you mean \"checkout\"? (see zanctl explain --help)\n"},
        {{"explain", "bob", "frobnicate", mainC}, 2, "",
         "zanctl explain: \"frobnicate\" is not an operation of the catalogue (see zanctl explain --help)\n"},
        {{"show", "--jsno", mainC}, 2, "", "zanctl show: Unknown option 'jsno'. Did you mean --json? (see zanctl show --help)\n"},
        {{"apply", "--dyr-run", mainC}, 2, "", "zanctl apply: Unknown option 'dyr-run'. Did you mean --dry-run? (see zanctl apply --help)\n"},
        {{"export", "--bogus", "-"}, 2, "", "zanctl export: Unknown option 'bogus'.\n"},
    };
    expectSteps(steps);
}

TEST_P(ZanctlMessages, HelpOnACommandIsItsOwnHelp)
{
    for (const QString &command : QStringList{"show", "explain", "set", "audit", "apply", "purge", "lint", "triggers", "export", "import"}) {
        const Run help = zanctl({"help", command});
        EXPECT_EQ(help.status, 0);
        EXPECT_TRUE(help.out.startsWith("Usage: zanctl " + command + " [options] ")) << help.out.toStdString();
        const Run own = zanctl({command, "--help"});
        EXPECT_EQ(help.out, own.out);
        EXPECT_EQ(help.err + own.err, "");
    }
    EXPECT_EQ(zanctl({"help", "shwo"}).err, "zanctl: unknown command \"shwo\"; did you mean \"show\"? (see zanctl --help)\n");
}

INSTANTIATE_TEST_SUITE_P(Sandbox, ZanctlMessages, ::testing::Values(false), backendName);

// Runs in order over one VOB: readme.txt is locked, nosuch.c is no element.
TEST_P(ZanctlFixture, ApplyPurgeAndTheirDryRunsNameAndCountEveryTargetThatFailedOrIsMissing)
{
    set(mainC, "__checkout", "bob");
    set(readme, "__checkin", "x");
    sandbox.store().setLock(SandboxSeed::projVob, "docs/readme.txt", {});
    const QString nosuch = root + "\\src\\nosuch.c";
    const auto locked = [this](const QString &command, const QString &attribute) {
        const QString lock = QString("Lock on element \"%1\" prevents operation \"%2\".").arg(readme, command);
        if (!GetParam())
            return lock;
        return QString("cleartool: Error: %1 cleartool: Error: Unable to %2 attribute \"%3\" %4 \"%5@@\\main\\0\".")
            .arg(lock, command == "mkattr" ? "create" : "remove", attribute, command == "mkattr" ? "on" : "from", readme);
    };
    const QString applyMissing = "zanctl apply: " + nosuch + ": not an element\n";
    const QString purgeMissing = "zanctl purge: " + nosuch + ": not an element\n";
    const Step steps[] = {
        {{"apply", "--dry-run", "--from", mainC, utilC, readme, nosuch}, 1,
         utilC + "\n  checkout: new (bob)\n  groups: new (nobody)\n" + readme + "\n  checkout: new (bob)\n  groups: new (nobody)\n"
                 "2 of 2 target(s) would change\n",
         applyMissing + "zanctl apply: 1 target(s) missing; a dry run writes nothing\n"},
        {{"purge", "--dry-run", utilC, readme, nosuch}, 1,
         utilC + ": no change\n" + readme + "\n  checkin: removed (x)\n1 of 2 target(s) would change\n",
         purgeMissing + "zanctl purge: 1 target(s) missing; a dry run writes nothing\n"},
        {{"apply", "--from", mainC, utilC, readme, nosuch, mainC}, 1, "",
         "zanctl apply: " + readme + ": " + locked("mkattr", "__checkout") + "\n" + applyMissing +
             "zanctl apply: 1 target(s) failed, 1 missing; 1 written, 1 skipped (the base)\n"},
        {{"apply", "--from", mainC, nosuch}, 1, "", applyMissing + "zanctl apply: 1 target(s) missing; nothing was written\n"},
        {{"apply", "--from", mainC, utilC}, 0, "settings of " + mainC + " applied to 1 target(s)\n", ""},
        {{"purge", utilC, readme, nosuch, mainC}, 1, "",
         "zanctl purge: " + readme + ": " + locked("rmattr", "__checkin") + "\n" + purgeMissing +
             "zanctl purge: 1 target(s) failed, 1 missing; the others were purged (2)\n"},
        {{"purge", utilC, nosuch}, 1, "", purgeMissing + "zanctl purge: 1 target(s) missing; nothing was purged, 1 had no settings\n"},
        {{"purge", utilC}, 0, "0 target(s) purged, 1 had no settings\n", ""},
    };
    expectSteps(steps);
}

// The security trigger refuses bob, who is no administrator: its own reason leads the line.
TEST_P(ZanctlFixture, AWriteTheSecurityTriggerRefusesSaysTheTriggersReason)
{
    if (!GetParam())
        GTEST_SKIP() << "the sandbox backend runs no triggers";
    set(mainC, "__checkout", "bob");
    set(mainC, AccessAttributeFormat::groupsTypeName, "dev");
    installTriggers("vobadm");
    const QString refusal = "Zan Utility: bob may not %1 attribute %2: it holds Zan Utility settings, which only the administrators "
                            "(vobadm) may change. cleartool: Error: Unable to %3 attribute \"%2\" %4 \"%5@@\\main\\0\".";
    const Run apply = zanctl({"apply", "--from", mainC, utilC});
    EXPECT_EQ(apply.status, 1);
    EXPECT_EQ(apply.err, "zanctl apply: " + utilC + ": " + refusal.arg("mkattr", "__checkout", "create", "on", utilC) +
                             "\nzanctl apply: 1 target(s) failed; nothing was written\n");
    const Run purge = zanctl({"purge", mainC});
    EXPECT_EQ(purge.err, "zanctl purge: " + mainC + ": " + refusal.arg("rmattr", "__checkout", "remove", "from", mainC) +
                             "\nzanctl purge: 1 target(s) failed; nothing was purged\n");
}
