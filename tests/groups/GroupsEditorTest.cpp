#include "groups/GroupNameRules.h"
#include "support/AppFixture.h"

namespace {

class GroupsEditorTest : public AppFixture
{
protected:
    QStringList entries(int list) { return AppFixture::entries(form().dgList[list]); }

    void type(int box, const QString &text) { form().dgTxt[box]->setText(text); }
    void click(int button) { form().dgBut[button]->click(); }
    void addGroup(const QString &name)
    {
        type(0, name);
        click(0);
    }
    void selectGroup(const QString &name)
    {
        form().dgList[0]->setCurrentItem(form().dgList[0]->findItems(name, Qt::MatchExactly).value(0));
    }
    void addMembers(const QString &group, const QStringList &members)
    {
        selectGroup(group);
        for (const QString &member : members) {
            type(1, member);
            click(2);
        }
    }
    bool memberControlsEnabled()
    {
        return form().dgList[1]->isEnabled() && form().dgTxt[1]->isEnabled() && form().dgBut[2]->isEnabled() &&
               form().dgBut[3]->isEnabled();
    }
};

} // namespace

TEST_F(GroupsEditorTest, AddingGroupsStoresTheListAndDeletingOneSelectsTheFirstWithItsMembers)
{
    addGroup(QStringLiteral("dev"));
    addGroup(QStringLiteral("qa"));
    addGroup(QStringLiteral("rel"));
    EXPECT_EQ(registry().readFromReg(QStringLiteral("QXGROUPS")), QStringLiteral("dev,qa,rel"));
    EXPECT_EQ(form().dgTxt[0]->text(), QString());

    addMembers(QStringLiteral("dev"), {QStringLiteral("bob"), QStringLiteral("ann")});
    addMembers(QStringLiteral("qa"), {QStringLiteral("carl")});
    EXPECT_EQ(registry().readFromReg(QStringLiteral("dev")), QStringLiteral("bob,ann"));
    EXPECT_EQ(form().dgTxt[1]->text(), QString());

    selectGroup(QStringLiteral("rel"));
    EXPECT_TRUE(entries(1).isEmpty());
    selectGroup(QStringLiteral("qa"));
    EXPECT_EQ(entries(1), QStringList{QStringLiteral("carl")});
    EXPECT_EQ(form().dgTxt[1]->text(), QStringLiteral("<enter_users_to_group_qa>"));
    click(1);

    EXPECT_EQ(registry().readFromReg(QStringLiteral("QXGROUPS")), QStringLiteral("dev,rel"));
    EXPECT_FALSE(isStored(QStringLiteral("qa")));
    EXPECT_EQ(form().dgList[0]->currentItem()->text(), QStringLiteral("dev"));
    EXPECT_EQ(entries(1), (QStringList{QStringLiteral("bob"), QStringLiteral("ann")}));
    EXPECT_EQ(form().dgTxt[1]->text(), QStringLiteral("<enter_users_to_group_dev>"));
    EXPECT_TRUE(memberControlsEnabled());
    EXPECT_EQ(prompter.count(), 0);
}

TEST_F(GroupsEditorTest, EnterAddsLikeTheButtonAndDuplicatesOrPlaceholdersAddNothingButAreSaved)
{
    form().dgTxt[0]->setText(QStringLiteral("dev"));
    pressKey(form().dgTxt[0]);
    EXPECT_EQ(entries(0), QStringList{QStringLiteral("dev")});
    selectGroup(QStringLiteral("dev"));
    form().dgTxt[1]->setText(QStringLiteral("bob"));
    pressKey(form().dgTxt[1], Qt::Key_Enter);
    EXPECT_EQ(registry().readFromReg(QStringLiteral("dev")), QStringLiteral("bob"));
    EXPECT_EQ(form().dgTxt[1]->text(), QString());

    registry().saveToReg(QStringLiteral("QXGROUPS"), QStringLiteral("stale"));
    addGroup(QStringLiteral("DEV"));
    EXPECT_EQ(entries(0), QStringList{QStringLiteral("dev")});
    EXPECT_EQ(registry().readFromReg(QStringLiteral("QXGROUPS")), QStringLiteral("dev"));

    form().dgTxt[0]->setText(form().dgTxt[0]->property("tag").toString());
    click(0);
    EXPECT_EQ(entries(0), QStringList{QStringLiteral("dev")});

    form().dgTxt[1]->setText(QStringLiteral("<enter_users_to_group_dev>"));
    registry().saveToReg(QStringLiteral("dev"), QStringLiteral("stale"));
    click(2);
    EXPECT_EQ(entries(1), QStringList{QStringLiteral("bob")});
    EXPECT_EQ(registry().readFromReg(QStringLiteral("dev")), QStringLiteral("bob"));
}

TEST_F(GroupsEditorTest, LastMemberAndLastGroupLeaveEmptyKeysAndDisabledMemberControls)
{
    addGroup(QStringLiteral("dev"));
    addMembers(QStringLiteral("dev"), {QStringLiteral("bob")});
    form().dgList[1]->item(0)->setSelected(true);
    click(3);
    EXPECT_TRUE(isStored(QStringLiteral("dev")));
    EXPECT_EQ(registry().readFromReg(QStringLiteral("dev")), QString());
    EXPECT_EQ(form().dgTxt[1]->text(), QStringLiteral("<enter_new_user>"));
    EXPECT_TRUE(memberControlsEnabled());

    click(1);
    EXPECT_TRUE(entries(0).isEmpty());
    EXPECT_EQ(registry().readFromReg(QStringLiteral("QXGROUPS")), QString());
    EXPECT_FALSE(isStored(QStringLiteral("dev")));
    EXPECT_EQ(form().dgTxt[0]->text(), QStringLiteral("<enter_new_group>"));
    EXPECT_FALSE(form().dgList[1]->isEnabled());
    EXPECT_FALSE(form().dgTxt[1]->isEnabled());
    EXPECT_FALSE(form().dgBut[2]->isEnabled());
    EXPECT_FALSE(form().dgBut[3]->isEnabled());
}

TEST_F(GroupsEditorTest, DeletingSeveralGroupsRemovesEveryOneOfTheirKeysAndOnlyThose)
{
    for (const QString &group : {QStringLiteral("dev"), QStringLiteral("qa"), QStringLiteral("rel")}) {
        addGroup(group);
        addMembers(group, {group + QStringLiteral("_lead")});
    }
    // rel is the current entry but Ctrl+click took it out of the selection: it stays.
    QListWidget *groups = form().dgList[0];
    groups->setCurrentRow(2, QItemSelectionModel::NoUpdate);
    groups->clearSelection();
    groups->item(0)->setSelected(true);
    groups->item(1)->setSelected(true);
    click(1);

    EXPECT_EQ(entries(0), QStringList{QStringLiteral("rel")});
    EXPECT_EQ(registry().readFromReg(QStringLiteral("QXGROUPS")), QStringLiteral("rel"));
    EXPECT_FALSE(isStored(QStringLiteral("dev")));
    EXPECT_FALSE(isStored(QStringLiteral("qa")));
    EXPECT_EQ(registry().readFromReg(QStringLiteral("rel")), QStringLiteral("rel_lead"));
    EXPECT_EQ(entries(1), QStringList{QStringLiteral("rel_lead")});
}

TEST_F(GroupsEditorTest, StoredListKeepsEmptyPiecesOnTheNextStart)
{
    registry().saveToReg(QStringLiteral("QXGROUPS"), QStringLiteral("a,,b"));
    startProgram();
    EXPECT_EQ(entries(0), (QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")}));

    // The unnamed entry has no key of its own: it shows no members and takes none.
    selectGroup(QString());
    EXPECT_TRUE(entries(1).isEmpty());
    type(1, QStringLiteral("bob"));
    click(2);
    EXPECT_EQ(prompter.last().text, QStringLiteral("A group without a name cannot hold members."));
    EXPECT_TRUE(entries(1).isEmpty());
    EXPECT_FALSE(isStored(QString()));
}

TEST_F(GroupsEditorTest, NamesThatWouldCorruptTheStoreAreRefusedAndNothingChanges)
{
    registry().saveToReg(QStringLiteral("NUSERS"), QStringLiteral("1"));
    addGroup(QStringLiteral("dev"));

    type(0, QStringLiteral("dev,qa"));
    click(0);
    EXPECT_EQ(prompter.last().text, GroupNameRules::groupNameProblem(QStringLiteral("dev,qa")));
    EXPECT_EQ(prompter.last().title, QStringLiteral("Invalid name"));
    EXPECT_EQ(prompter.last().icon, Prompter::Icon::Exclamation);
    EXPECT_EQ(form().dgTxt[0]->text(), QStringLiteral("dev,qa")); // kept for correction

    type(0, QStringLiteral("nusers"));
    click(0);
    EXPECT_EQ(prompter.last().text, GroupNameRules::groupNameProblem(QStringLiteral("nusers")));
    EXPECT_EQ(entries(0), QStringList{QStringLiteral("dev")});
    EXPECT_EQ(registry().readFromReg(QStringLiteral("QXGROUPS")), QStringLiteral("dev"));
    EXPECT_EQ(registry().readFromReg(QStringLiteral("NUSERS")), QStringLiteral("1"));

    selectGroup(QStringLiteral("dev"));
    type(1, QStringLiteral("bob,ann"));
    click(2);
    EXPECT_EQ(prompter.last().text, GroupNameRules::memberNameProblem(QStringLiteral("bob,ann")));
    EXPECT_TRUE(entries(1).isEmpty());

    // A group left over under a setting's name never touches that setting.
    registry().saveToReg(QStringLiteral("QXGROUPS"), QStringLiteral("dev,NUSERS"));
    startProgram();

    selectGroup(QStringLiteral("NUSERS"));
    type(1, QStringLiteral("bob"));
    click(2);
    EXPECT_EQ(prompter.last().text, GroupNameRules::memberKeyProblem(QStringLiteral("NUSERS")));
    click(1);
    EXPECT_EQ(registry().readFromReg(QStringLiteral("QXGROUPS")), QStringLiteral("dev"));
    EXPECT_EQ(registry().readFromReg(QStringLiteral("NUSERS")), QStringLiteral("1"));
}

TEST_F(GroupsEditorTest, GroupAttributeTypeIsMadeOnceInEachVob)
{
    auto groupTypes = [this] {
        int n = 0;
        for (const auto &type : sandbox.store().attributeTypes(QStringLiteral("\\proj")))
            n += type.name == QLatin1String("QX_GROUPS") ? 1 : 0;
        return n;
    };
    ASSERT_EQ(groupTypes(), 0);
    ctx().hooks.doMakeGroupAttype(QStringLiteral("\\proj"));
    EXPECT_EQ(groupTypes(), 1);
    const QString comment = sandbox.store().attributeTypes(QStringLiteral("\\proj")).constLast().comment;
    EXPECT_TRUE(comment.startsWith(QStringLiteral("Created by VuVoziruv Evarori on "))) << comment.toStdString();
    EXPECT_TRUE(comment.endsWith(QStringLiteral(" * * DO NOT DELETE * *"))) << comment.toStdString();
    ctx().hooks.doMakeGroupAttype(QStringLiteral("\\proj"));
    EXPECT_EQ(groupTypes(), 1);
    EXPECT_EQ(prompter.count(), 0);
}
