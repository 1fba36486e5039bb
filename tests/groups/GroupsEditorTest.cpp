#include "groups/GroupNameRules.h"
#include "support/AppFixture.h"
#include "support/MessageTable.h"
#include "support/MouseClicks.h"


#include <QTabWidget>

namespace {

class GroupsEditorTest : public AppFixture
{
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        showEditor();
    }
    void TearDown() override { form().hide(); }
    void showEditor()
    {
        form().show();
        clickTab(form().mainTabStrip, 1);
    }

    QStringList entries(int list) { return entriesOf(*form().dgList[list]); }
    QString stored(const char *key) { return registry().readFromReg(key); }
    void type(int box, const QString &text) { form().dgTxt[box]->setText(text); }
    void click(int button) { clickButton(form().dgBut[button]); }
    void add(int box, const QString &name)
    {
        type(box, name);
        click(box == 0 ? 0 : 2);
    }
    void selectGroup(const QString &name, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        clickRow(form().dgList[0], int(entries(0).indexOf(name)), modifiers);
    }
    void addMembers(const QString &group, const QStringList &members)
    {
        selectGroup(group);
        for (const QString &member : members)
            add(1, member);
    }
    bool memberControlsEnabled()
    {
        return form().dgList[1]->isEnabled() && form().dgTxt[1]->isEnabled() && form().dgBut[2]->isEnabled() &&
               form().dgBut[3]->isEnabled();
    }
};

} // namespace

// As a person types: a click into the box that shows its hint, the name, Enter (either key).
// The hint is typed over; a name that adds nothing says why in the status bar and the list is
// saved again all the same.
TEST_F(GroupsEditorTest, NamesTypedOverTheHintAreAddedAndRefusalsSayWhy)
{
    ASSERT_EQ(form().dgTxt[0]->text(), "<enter_new_group>");
    clickAndType(form().dgTxt[0], "dev");
    EXPECT_EQ(entries(0), QStringList{"dev"});
    selectGroup("dev");
    ASSERT_EQ(form().dgTxt[1]->text(), "<enter_users_to_group_dev>");
    clickAndType(form().dgTxt[1], "bob", false);
    QTest::keyClick(form().dgTxt[1], Qt::Key_Enter);
    EXPECT_EQ(stored("dev"), "bob");
    EXPECT_EQ(form().dgTxt[1]->text(), QString());

    registry().saveToReg("QXGROUPS", "stale");
    registry().saveToReg("dev", "stale");
    const struct {
        int box;
        const char *typed;
        const char *status;
    } refused[] = {
        {0, "DEV", "No group added: dev is already in the list."},
        {0, "<enter_new_group>", "No group added: type the name over the hint."},
        {1, "Bob", "No member added: bob is already in the list."},
        {1, "<enter_users_to_group_dev>", "No member added: type the name over the hint."},
        {1, "", "No member added: type a name into the box first."},
    };
    for (const auto &entry : refused) {
        clickAndType(form().dgTxt[entry.box], entry.typed);
        EXPECT_EQ(form().statusPanel->text(), entry.status) << entry.typed;
    }
    EXPECT_EQ(entries(0), QStringList{"dev"});
    EXPECT_EQ(stored("QXGROUPS"), "dev");
    EXPECT_EQ(entries(1), QStringList{"bob"});
    EXPECT_EQ(stored("dev"), "bob");
}

TEST_F(GroupsEditorTest, DeletingGroupsAndMembersRemovesTheirKeysAndTheLastOnesEmptyTheEditor)
{
    for (const QString group : {"dev", "qa", "rel", "ops"}) {
        add(0, group);
        addMembers(group, {group + "_lead", group + "_dev"});
    }
    EXPECT_EQ(stored("QXGROUPS"), "dev,qa,rel,ops");
    EXPECT_EQ(stored("dev"), "dev_lead,dev_dev");
    EXPECT_EQ(form().dgTxt[0]->text(), QString());
    EXPECT_EQ(form().dgTxt[1]->text(), QString());

    // Deleting a group selects the first one and shows its members under its own hint.
    selectGroup("qa");
    click(1);
    EXPECT_EQ(stored("QXGROUPS"), "dev,rel,ops");
    EXPECT_FALSE(isStored("qa"));
    EXPECT_EQ(form().dgList[0]->currentItem()->text(), "dev");
    EXPECT_EQ(entries(1), (QStringList{"dev_lead", "dev_dev"}));
    EXPECT_EQ(form().dgTxt[1]->text(), "<enter_users_to_group_dev>");
    EXPECT_TRUE(memberControlsEnabled());

    // rel is the current entry but a second Ctrl+click took it out of the selection: it stays.
    selectGroup("dev");
    for (const char *group : {"ops", "rel", "rel"})
        selectGroup(group, Qt::ControlModifier);
    click(1);
    EXPECT_EQ(entries(0), QStringList{"rel"});
    EXPECT_EQ(stored("QXGROUPS"), "rel");
    EXPECT_FALSE(isStored("dev") || isStored("ops"));
    EXPECT_EQ(entries(1), (QStringList{"rel_lead", "rel_dev"}));

    // The last member leaves an empty key; the last group leaves none and disables the member controls.
    selectGroup("rel");
    for (int member = 0; member < 2; ++member) {
        clickRow(form().dgList[1], 0);
        click(3);
    }
    EXPECT_TRUE(isStored("rel"));
    EXPECT_EQ(stored("rel"), QString());
    EXPECT_EQ(form().dgTxt[1]->text(), "<enter_new_user>");
    EXPECT_TRUE(memberControlsEnabled());
    click(1);
    EXPECT_TRUE(entries(0).isEmpty());
    EXPECT_EQ(stored("QXGROUPS"), QString());
    EXPECT_FALSE(isStored("rel"));
    EXPECT_EQ(form().dgTxt[0]->text(), "<enter_new_group>");
    EXPECT_FALSE(form().dgList[1]->isEnabled() || form().dgTxt[1]->isEnabled() || form().dgBut[2]->isEnabled() ||
                 form().dgBut[3]->isEnabled());
}

// Names that would corrupt the store are refused, kept in the box for correction, and change nothing.
TEST_F(GroupsEditorTest, RefusedNamesAndGroupsThatCannotHoldMembers)
{
    registry().saveToReg("NUSERS", "1");
    registry().saveToReg("QXGROUPS", "dev,,NUSERS");
    startProgram();
    showEditor();
    // The stored list keeps its empty piece; the unnamed entry has no key of its own.
    EXPECT_EQ(entries(0), (QStringList{"dev", "", "NUSERS"}));

    const QString comma = " contains a comma. Group and member names are stored as comma-separated lists, so it would come back as "
                          "several names.";
    const QString reserved = ": the program keeps one of its own settings under that name. Please choose another name.";
    const QString title = "Invalid name";
    const auto X = Prompter::Icon::Exclamation;
    expectMessages(prompter, {
        {"a group name with a comma", [&] { add(0, "dev,qa"); }, "\"dev,qa\"" + comma, title, X},
        {"a group named like a setting", [&] { add(0, "nusers"); }, "\"nusers\" cannot be used as a group name" + reserved, title, X},
        {"a member name with a comma", [&] { addMembers("dev", {"bob,ann"}); }, "\"bob,ann\"" + comma, title, X},
        {"a member for the unnamed group", [&] {
             selectGroup("");
             EXPECT_TRUE(entries(1).isEmpty());
             add(1, "bob");
         }, "A group without a name cannot hold members.", title, X},
        {"a member for a group named like a setting", [&] {
             selectGroup("NUSERS");
             EXPECT_TRUE(entries(1).isEmpty()); // the setting's value is not its members
             add(1, "bob");
         },
         "\"NUSERS\" cannot hold members" + reserved, title, X},
    });

    EXPECT_EQ(form().dgTxt[0]->text(), "nusers"); // kept for correction
    EXPECT_EQ(entries(0), (QStringList{"dev", "", "NUSERS"}));
    EXPECT_FALSE(isStored(""));
    click(1); // the group left over under a setting's name goes; the setting stays
    EXPECT_EQ(stored("QXGROUPS"), "dev,");
    EXPECT_EQ(stored("NUSERS"), "1");
    // Blanks, backslashes and a member named like a setting are fine.
    add(0, "dev team");
    addMembers("dev team", {"DOMAIN\\bob", "NUSERS"});
    EXPECT_EQ(stored("dev team"), "DOMAIN\\bob,NUSERS");
}

TEST(GroupNameRules, SettingKeysAreRecognisedIgnoringCase)
{
    for (const char *name : {"NUSERS", "nusers", "PrivOper", "QXGROUPS", "clearcase_override", "Interopproj", "NTLoc", "ntlocproj",
                             "UnixLocX", "WinUnixLocproj", "adminlistTools"})
        EXPECT_TRUE(GroupNameRules::isSettingKey(name)) << name;
    for (const char *name : {"dev", "qa", "NUSERS2", "my NUSERS", "Inter", "proj"})
        EXPECT_FALSE(GroupNameRules::isSettingKey(name)) << name;
}
