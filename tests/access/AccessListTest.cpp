#include "AccessFixture.h"

namespace {
const QString mainC = SandboxSeed::mainC;
}

class AccessLists : public AccessFixture
{
protected:
    // main.c with checkout set for the given users, selected in the panel.
    void selectMainWithUsers(const QString &users)
    {
        attach(mainC, "__checkout", users);
        selectElement(mainC);
    }
    void defineGroup(const QString &name, const QString &members)
    {
        const QString names = ctx().registry.readFromReg("QXGROUPS");
        ctx().registry.saveToReg("QXGROUPS", names.isEmpty() ? name : names + ',' + name);
        ctx().registry.saveToReg(name, members);
    }
    void selectGroup(const QString &group)
    {
        clickText(form().zanList[2], group);
    }
    void chooseGroup(int index)
    {
        clickButton(form().zanBut[5]);
        chooseInCombo(form().selectGroupCombo, form().selectGroupCombo->itemText(index));
    }
};

// The chooser as a person uses it: a click into the field that shows the hint, keys, Enter.
// What is refused says why in the status bar (each reason is the rules' table's); the hint
// is typed over, never appended to.
TEST_F(AccessLists, UserChooserRefusesPlaceholdersMarkerDuplicatesAndBadNames)
{
    selectMainWithUsers("bob");
    clickButton(form().zanBut[2]);
    EXPECT_TRUE(MainWindow::isShown(form().selectUserCombo));
    const QString no = QStringLiteral("No user added: ");
    const struct {
        const char *typed;
        QString status;
    } refused[] = {
        {"", no + "type the user's name over the hint, or pick a user from the list."},
        {"Bob", no + "bob is already in the list."},
    };
    for (const auto &entry : refused) {
        clickButton(form().zanBut[2]);
        typeUser(entry.typed);
        EXPECT_FALSE(MainWindow::isShown(form().selectUserCombo)) << entry.typed;
        EXPECT_EQ(form().statusPanel->text(), entry.status) << entry.typed;
    }
    EXPECT_EQ(entries(form().zanList[1]), QStringList{"bob"});
    EXPECT_EQ(valueOn(mainC, "__checkout"), "bob");
    EXPECT_EQ(prompter.count(), 0);

    // Typed over the hint, a name is added.
    clickButton(form().zanBut[2]);
    ASSERT_EQ(form().selectUserCombo->currentText(), "<select_or_enter_user>");
    typeUser("carol");
    EXPECT_EQ(valueOn(mainC, "__checkout"), "bob,carol");

    // Picking an item of the chooser adds it like Enter does.
    clickButton(form().zanBut[2]);
    chooseInCombo(form().selectUserCombo, form().selectUserCombo->itemText(1));
    EXPECT_EQ(valueOn(mainC, "__checkout"), "bob,carol,ALL");
    EXPECT_EQ(form().zanList[1]->currentItem()->text(), "ALL");
}

// Also in a VOB whose root was never selected here: the groups type is made first.
TEST_F(AccessLists, AddingAGroupMergesItsMembersAndRecordsIt)
{
    sandbox.store().removeAttributeType(vobTag, "QX_GROUPS", true);
    defineGroup("g", "a,b");
    defineGroup("ops", "root");
    selectMainWithUsers("b,c");
    chooseGroup(1);
    EXPECT_EQ(entries(form().selectGroupCombo), (QStringList{"<select_group>", "g", "ops"}));
    EXPECT_EQ(entries(form().zanList[1]), (QStringList{"b", "c", "a"}));
    EXPECT_EQ(valueOn(mainC, "__checkout"), "b,c,a");
    EXPECT_EQ(valueOn(mainC, "QX_GROUPS"), "g");
    EXPECT_EQ(entries(form().zanList[2]), QStringList{"g"});
    EXPECT_FALSE(MainWindow::isShown(form().selectGroupCombo));

    // The placeholder adds nothing; Enter in the chooser's list picks the group.
    chooseGroup(0);
    EXPECT_EQ(valueOn(mainC, "QX_GROUPS"), "g");
    chooseGroup(2);
    EXPECT_EQ(valueOn(mainC, "QX_GROUPS"), "g,ops");
    EXPECT_EQ(valueOn(mainC, "__checkout"), "b,c,a,root");

    // A group left over under a setting's name copies nothing: its key holds the setting.
    defineGroup("NUSERS", "eve");
    chooseGroup(3);
    expectLastMessage("\"NUSERS\" cannot hold members: the program keeps one of its own settings under that name. "
                      "Please choose another name.", "Invalid name", Prompter::Icon::Exclamation);
    EXPECT_EQ(valueOn(mainC, "__checkout"), "b,c,a,root");
    EXPECT_EQ(valueOn(mainC, "QX_GROUPS"), "g,ops");

    // Selecting a group names it in the delete button's tool tip.
    selectGroup("g");
    EXPECT_EQ(form().zanBut[4]->toolTip(), "Delete all users in group: g from User list");
}

// Deleting a group's users keeps the others and the group; removing the last group removes the attribute.
TEST_F(AccessLists, GroupsAndTheirUsersComeOffOneByOne)
{
    defineGroup("g", "a,b");
    attach(mainC, "QX_GROUPS", "g,h");
    selectMainWithUsers("a,b,c");
    selectGroup("g");
    clickButton(form().zanBut[4]);
    EXPECT_EQ(entries(form().zanList[1]), QStringList{"c"});
    EXPECT_EQ(valueOn(mainC, "__checkout"), "c");
    EXPECT_EQ(valueOn(mainC, "QX_GROUPS"), "g,h");

    clickButton(form().zanBut[10]);
    EXPECT_EQ(valueOn(mainC, "QX_GROUPS"), "h");
    EXPECT_EQ(entries(form().zanList[2]), QStringList{"h"});
    selectGroup("h");
    clickButton(form().zanBut[10]);
    EXPECT_EQ(valueOn(mainC, "QX_GROUPS"), "<absent>");
    EXPECT_EQ(valueOn(mainC, "__checkout"), "c");
    EXPECT_EQ(prompter.count(), 0);
}

// Each edit whose write fails is reported and undone exactly, in the list and on the element.
TEST_F(AccessLists, FailedWritesUndoTheEdit)
{
    defineGroup("g", "a,b");
    selectMainWithUsers("c,a");
    failWritesTo(mainC);
    typeUser("carol");
    EXPECT_EQ(entries(form().zanList[1]), (QStringList{"c", "a"}));
    EXPECT_TRUE(entries(form().selectUserCombo).contains("carol")); // the chooser keeps it
    EXPECT_EQ(prompter.count(), 1);
    EXPECT_TRUE(prompter.last().text.endsWith("addCCAttrToElem()::")) << prompter.last().text.toStdString();
    // Enter on a name the chooser holds runs the step once: one write, one report.
    typeUser("ALL");
    EXPECT_EQ(prompter.count(), 2);

    form().zanList[1]->clearSelection();
    form().zanList[1]->item(0)->setSelected(true);
    clickButton(form().zanBut[3]);
    EXPECT_EQ(entries(form().zanList[1]), (QStringList{"c", "a"}));
    EXPECT_TRUE(form().zanList[1]->item(0)->isSelected());

    chooseGroup(1);
    EXPECT_EQ(form().zanList[2]->count(), 0);
    EXPECT_EQ(entries(form().zanList[1]), (QStringList{"c", "a"}));
    EXPECT_EQ(valueOn(mainC, "QX_GROUPS"), "<absent>");

    // Deleting members restores the list exactly: b was never a user here and must not appear.
    failWhen = nullptr;
    attach(mainC, "QX_GROUPS", "g");
    selectMainWithUsers("c,a");
    failWritesTo(mainC);
    selectGroup("g");
    clickButton(form().zanBut[4]);
    EXPECT_EQ(entries(form().zanList[1]), (QStringList{"c", "a"}));

    // A group that cannot be removed stays listed.
    failWhen = [](const QString &call, const QString &) { return call == QLatin1String("removeAttribute"); };
    prompter.clear();
    clickButton(form().zanBut[10]);
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_TRUE(prompter.last().text.contains("* Could not remove group from Element"));
    EXPECT_EQ(entries(form().zanList[2]), QStringList{"g"});
    EXPECT_EQ(valueOn(mainC, "QX_GROUPS"), "g");
    EXPECT_EQ(valueOn(mainC, "__checkout"), "c,a");
}
