// zanctl set makes the edits of the window's access tab through the window's own editor:
// privileged operations on the VOB root, NONE for an empty list, groups' members copied in
// and the group recorded.
#include "ZanctlFixture.h"

#include "shell/SettingsStore.h"

using ZanctlSet = ZanctlFixture;

TEST_P(ZanctlSet, EditsOneListAndSaysWhatIsStored)
{
    SettingsStore store(settings.path());
    store.setValues({{"QXGROUPS", "dev,NUSERS"}, {"dev", "carol,dave"}});
    set(mainC, "__checkout", "bob,eve");
    const Step steps[] = {
        {{"set", mainC, "checkout", "--add-user", "carol", "--remove-user", "eve"}, 0, mainC + "\n  checkout: bob, carol\n", ""},
        {{"set", mainC, "checkout", "--add-group", "dev", "--dry-run"}, 0,
         mainC + "\n  checkout: would be bob, carol, dave\n  groups: would be dev\n", ""},
        {{"set", mainC, "checkout", "--add-group", "dev"}, 0, mainC + "\n  checkout: bob, carol, dave\n  groups: dev\n", ""},
        {{"set", mainC, "checkout", "--remove-group", "dev"}, 0, mainC + "\n  checkout: bob\n  groups: none\n", ""},
        {{"set", mainC, "checkout", "--users", ""}, 0, mainC + "\n  checkout: nobody (NONE)\n", ""},
        {{"set", utilC, "rmelem", "--users", "bob,Bob, erin"}, 0, root + "\\.\n  rmelem: bob, erin\n",
         "zanctl set: rmelem is privileged: its setting is the VOB root's\n"},
        {{"set", readme, "checkin", "--none"}, 0, readme + "\n  checkin: nobody (NONE)\n", ""},
        {{"set", readme, "checkin", "--remove", "--dry-run"}, 0, readme + "\n  checkin: would be removed\n", ""},
        {{"set", readme, "checkin", "--remove"}, 0, readme + "\n  checkin: removed\n", ""},
        {{"set", readme, "checkin", "--remove"}, 2, "", "zanctl set: checkin is not set on " + readme + "\n"},
        {{"set", readme, "chekin", "--none"}, 2, "",
         "zanctl set: \"chekin\" is not an operation of the catalogue; did you mean \"checkin\"? (see zanctl set --help)\n"},
        {{"set", readme, "checkin"}, 2, "",
         "zanctl set: nothing to change: give --users, --none, --remove or --add-user, --remove-user, --add-group, "
         "--remove-group (see zanctl set --help)\n"},
        {{"set", readme, "checkin", "--none", "--add-user", "bob"}, 2, "",
         "zanctl set: --users, --none and --remove each stand alone (see zanctl set --help)\n"},
        {{"set", readme, "checkin", "--add-user", "NONE"}, 2, "",
         "zanctl set: NONE marks a list that allows nobody; it is not a user name (see --none)\n"},
        {{"set", readme, "checkin", "--add-user", "a,b"}, 2, "", "zanctl set: a user name cannot contain a comma: a,b\n"},
        {{"set", readme, "checkin", "--users", "<user>"}, 2, "", "zanctl set: \"<user>\" is not a user name\n"},
        {{"set", readme, "checkin", "--add-user", " "}, 2, "", "zanctl set: a user name is empty\n"},
        {{"set", readme, "checkin", "--add-group", "ops"}, 2, "",
         "zanctl set: there is no group \"ops\" in " + store.filePath() + "\n"},
        {{"set", readme, "checkin", "--add-group", "NUSERS"}, 2, "",
         "zanctl set: \"NUSERS\" cannot hold members: the program keeps one of its own settings under that name. "
         "Please choose another name.\n"},
    };
    expectSteps(steps);
    EXPECT_EQ(sandbox.store().attributeComment(SandboxSeed::projVob, "src/main.c", "__checkout"), "Korvane Zan Tool: Do NOT REMOVE");
    EXPECT_EQ(zanctl({"show", utilC}).out, utilC + "\n  no operation set\n  groups: none\nVOB-wide (privileged, on the VOB root):\n"
                                                   "  rmelem: bob, erin\n");
}

INSTANTIATE_TEST_SUITE_P(Backends, ZanctlSet, ::testing::Bool(), backendName);
