// zanctl set makes the edits of the window's access tab: the same attributes, values and
// comments as the window's clicks leave, privileged operations on the VOB root, NONE for
// an empty list, groups' members copied in and the group recorded.
#include "ZanctlFixture.h"

#include "access/AccessFixture.h"
#include "shell/SettingsStore.h"

namespace {

// The VOB's attribute types with their value types and comments, and the attributes of the
// elements and of the VOB root ("") with their values and comments.
QString storedSettings(SandboxStore &store)
{
    QString text;
    for (const SandboxAttributeType &type : store.attributeTypes(SandboxSeed::projVob))
        text += QString("%1 %2 %3\n").arg(type.name).arg(type.valueType).arg(type.comment);
    for (const QString &path : QStringList{"src/main.c", "src/util.c", "docs/readme.txt", ""}) {
        for (const AttributeInfo &attribute : store.attributes(SandboxSeed::projVob, path))
            text += QString("%1 %2 = %3: %4\n")
                        .arg(path, attribute.typeName, attribute.value, store.attributeComment(SandboxSeed::projVob, path, attribute.typeName));
    }
    return text;
}

} // namespace

class SetLikeTheWindow : public AccessFixture
{
protected:
    void defineGroup(const QString &name, const QString &members)
    {
        ctx().registry.saveToReg("QXGROUPS", name);
        ctx().registry.saveToReg(name, members);
    }
    void chooseUser(const QString &user)
    {
        clickButton(form().zanBut[2]);
        typeUser(user);
    }
    void chooseGroup(int index)
    {
        clickButton(form().zanBut[5]);
        chooseInCombo(form().selectGroupCombo, form().selectGroupCombo->itemText(index));
    }
    // zanctl over a second sandbox, prepared as the first was, with the window's settings.
    int zanctl(const QStringList &arguments)
    {
        QString out, err;
        QTextStream outStream(&out), errStream(&err);
        CliContext context(other, [this](Platform &p) { return second.open(p); }, settingsDir.path(), outStream, errStream, false);
        const int status = CommandRegistry(context).run(arguments);
        EXPECT_EQ(status, 0) << arguments.join(' ').toStdString() << "\n" << err.toStdString();
        return status;
    }

    TempSandbox second;
    FakePlatform other;
};

TEST_F(SetLikeTheWindow, EachEditLeavesTheVobAsTheWindowsClicksDo)
{
    if (unixSite() || overCleartool)
        GTEST_SKIP() << "compared on the Windows-style sandbox";
    // Made by its administrator, as selecting the VOB root made the window's.
    second.open(other)->createAttributeType(vobTag, AccessAttributeFormat::groupsTypeName, 8,
                                            AccessAttributeFormat::typeComment(QDate::currentDate()));
    defineGroup("dev", "carol,dave");
    const QString mainC = elementPath(SandboxSeed::mainC), utilC = elementPath(SandboxSeed::utilC);

    selectElement(SandboxSeed::mainC);
    openPicker();
    addOperation("checkout");
    chooseUser("bob");
    chooseGroup(1);
    zanctl({"set", mainC, "checkout", "--add-user", "bob"});
    zanctl({"set", mainC, "checkout", "--add-group", "dev"});

    selectElement(SandboxSeed::utilC);
    openPicker();
    addOperation("checkin");
    zanctl({"set", utilC, "checkin", "--none"});

    // A group added and removed again: its members out, the group off the element.
    const QString readme = elementPath(SandboxSeed::readmeTxt);
    selectElement(SandboxSeed::readmeTxt);
    openPicker();
    addOperation("checkout");
    chooseGroup(1);
    clickText(form().zanList[2], "dev");
    clickButton(form().zanBut[4]);
    clickText(form().zanList[2], "dev");
    clickButton(form().zanBut[10]);
    zanctl({"set", readme, "checkout", "--add-group", "dev"});
    zanctl({"set", readme, "checkout", "--remove-group", "dev"});

    selectElement("");
    openPicker();
    addOperation("rmelem");
    chooseUser("erin");
    zanctl({"set", mainC, "rmelem", "--users", "erin"}); // privileged: on the VOB root

    const QString byWindow = storedSettings(sandbox.store());
    EXPECT_EQ(storedSettings(second.store()), byWindow);
    EXPECT_EQ(byWindow.count("Korvane Zan Tool: Do NOT REMOVE"), 5) << byWindow.toStdString();
    for (const QString &setting : QStringList{"src/main.c __checkout = bob,carol,dave:", "src/util.c __checkin = NONE:",
                                               "\ndocs/readme.txt __checkout = NONE:", " __rmelem = erin:"})
        EXPECT_TRUE(byWindow.contains(setting)) << setting.toStdString() << "\n" << byWindow.toStdString();
    EXPECT_EQ(byWindow.count("docs/readme.txt "), 1) << "the group is off the element again";
}

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
    EXPECT_EQ(zanctl({"show", utilC}).out, utilC + "\n  no operation set\n  groups: none\nVOB-wide (privileged, on the VOB root):\n"
                                                   "  rmelem: bob, erin\n");
}

INSTANTIATE_TEST_SUITE_P(Backends, ZanctlSet, ::testing::Bool(), backendName);
