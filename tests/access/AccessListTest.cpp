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
        attach(mainC, QStringLiteral("__checkout"), users);
        selectElement(mainC);
    }
    void defineGroup(const QString &name, const QString &members)
    {
        const QString names = ctx().registry.readFromReg(QStringLiteral("QXGROUPS"));
        ctx().registry.saveToReg(QStringLiteral("QXGROUPS"), names.isEmpty() ? name : names + QLatin1Char(',') + name);
        ctx().registry.saveToReg(name, members);
    }
    void selectUsers(const QStringList &users)
    {
        form().zanList[1]->clearSelection();
        for (const QString &user : users)
            form().zanList[1]->findItems(user, Qt::MatchExactly).first()->setSelected(true);
    }
    void selectGroup(const QString &group)
    {
        form().zanList[2]->clearSelection();
        form().zanList[2]->setCurrentItem(form().zanList[2]->findItems(group, Qt::MatchExactly).first());
    }
    QString addCCAttrToElemError() const
    {
        for (const ScriptedPrompter::Record &r : prompter.records) {
            if (r.text.endsWith(QStringLiteral("addCCAttrToElem()::")))
                return r.title;
        }
        return QString();
    }
};

TEST_F(AccessLists, UserChooserRefusesPlaceholdersMarkerDuplicatesAndBadNames)
{
    selectMainWithUsers(QStringLiteral("bob"));
    form().zanBut[2]->click();
    EXPECT_TRUE(MainWindow::isShown(form().selectUserCombo));

    for (const QString &refused : {QStringLiteral("NONE"), QStringLiteral("<select_or_enter_user>"), QStringLiteral("a<b"),
                                   QStringLiteral("Bob"), QString(), QStringLiteral("  ")}) {
        form().selectUserCombo->show();
        typeUser(refused);
        EXPECT_FALSE(MainWindow::isShown(form().selectUserCombo));
    }
    EXPECT_EQ(entries(form().zanList[1]), QStringList{QStringLiteral("bob")});
    EXPECT_EQ(valueOn(mainC, QStringLiteral("__checkout")), QStringLiteral("bob"));
    EXPECT_EQ(prompter.count(), 0);

    // Picking an item of the chooser adds it like Enter does.
    form().selectUserCombo->setCurrentIndex(1);
    emit form().selectUserCombo->activated(1);
    EXPECT_EQ(valueOn(mainC, QStringLiteral("__checkout")), QStringLiteral("bob,ALL"));
    EXPECT_EQ(form().zanList[1]->currentItem()->text(), QStringLiteral("ALL"));
    EXPECT_EQ(form().statusPanel->text(), QStringLiteral("Status"));
}

TEST_F(AccessLists, FailedWriteUndoesTheUserEdit)
{
    selectMainWithUsers(QStringLiteral("bob,eve"));
    failWritesTo(mainC);

    typeUser(QStringLiteral("carol"));
    EXPECT_EQ(entries(form().zanList[1]), (QStringList{QStringLiteral("bob"), QStringLiteral("eve")}));
    EXPECT_TRUE(entries(form().selectUserCombo).contains(QStringLiteral("carol"))); // the chooser keeps it
    EXPECT_EQ(addCCAttrToElemError(), QStringLiteral("Error..."));

    // Enter on a name the chooser holds runs the step once: one write, one report.
    prompter.clear();
    typeUser(QStringLiteral("ALL"));
    EXPECT_EQ(prompter.count(), 1);

    selectUsers({QStringLiteral("bob")});
    form().zanBut[3]->click();
    EXPECT_EQ(entries(form().zanList[1]), (QStringList{QStringLiteral("bob"), QStringLiteral("eve")}));
    EXPECT_TRUE(form().zanList[1]->item(0)->isSelected());
    EXPECT_EQ(valueOn(mainC, QStringLiteral("__checkout")), QStringLiteral("bob,eve"));
}

TEST_F(AccessLists, AddingAGroupMergesItsMembersAndRecordsIt)
{
    defineGroup(QStringLiteral("g"), QStringLiteral("a,b"));
    defineGroup(QStringLiteral("ops"), QStringLiteral("root"));
    selectMainWithUsers(QStringLiteral("b,c"));

    form().zanBut[5]->click();
    ASSERT_TRUE(MainWindow::isShown(form().selectGroupCombo));
    EXPECT_EQ(entries(form().selectGroupCombo),
              (QStringList{QStringLiteral("<select_group>"), QStringLiteral("g"), QStringLiteral("ops")}));
    form().selectGroupCombo->setCurrentIndex(1);
    emit form().selectGroupCombo->activated(1);

    EXPECT_EQ(entries(form().zanList[1]), (QStringList{QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("a")}));
    EXPECT_EQ(valueOn(mainC, QStringLiteral("__checkout")), QStringLiteral("b,c,a"));
    EXPECT_EQ(valueOn(mainC, QStringLiteral("QX_GROUPS")), QStringLiteral("g"));
    EXPECT_EQ(entries(form().zanList[2]), QStringList{QStringLiteral("g")});
    EXPECT_FALSE(MainWindow::isShown(form().selectGroupCombo));

    // The placeholder adds nothing; Enter on the chooser picks the selected group.
    form().zanBut[5]->click();
    emit form().selectGroupCombo->activated(0);
    EXPECT_EQ(valueOn(mainC, QStringLiteral("QX_GROUPS")), QStringLiteral("g"));
    form().zanBut[5]->click();
    form().selectGroupCombo->setCurrentIndex(2);
    pressKey(form().selectGroupCombo);
    EXPECT_EQ(valueOn(mainC, QStringLiteral("QX_GROUPS")), QStringLiteral("g,ops"));
    EXPECT_EQ(valueOn(mainC, QStringLiteral("__checkout")), QStringLiteral("b,c,a,root"));

    // Selecting a group names it in the delete button's tool tip; a double click re-adds it.
    selectGroup(QStringLiteral("g"));
    EXPECT_EQ(form().zanBut[4]->toolTip(), QStringLiteral("Delete all users in group: g from User list"));
}

TEST_F(AccessLists, DeletingGroupMembersKeepsTheRestAndTheGroup)
{
    defineGroup(QStringLiteral("g"), QStringLiteral("a,b"));
    attach(mainC, QStringLiteral("QX_GROUPS"), QStringLiteral("g"));
    selectMainWithUsers(QStringLiteral("a,b,c"));
    selectGroup(QStringLiteral("g"));
    form().zanBut[4]->click();
    EXPECT_EQ(entries(form().zanList[1]), QStringList{QStringLiteral("c")});
    EXPECT_EQ(valueOn(mainC, QStringLiteral("__checkout")), QStringLiteral("c"));
    EXPECT_EQ(entries(form().zanList[2]), QStringList{QStringLiteral("g")});
    EXPECT_EQ(valueOn(mainC, QStringLiteral("QX_GROUPS")), QStringLiteral("g"));
}

TEST_F(AccessLists, FailedGroupWritesUndoTheEdit)
{
    defineGroup(QStringLiteral("g"), QStringLiteral("a,b"));
    selectMainWithUsers(QStringLiteral("c"));
    failWritesTo(mainC);
    form().zanBut[5]->click();
    form().selectGroupCombo->setCurrentIndex(1);
    emit form().selectGroupCombo->activated(1);
    EXPECT_EQ(form().zanList[2]->count(), 0);
    EXPECT_EQ(entries(form().zanList[1]), QStringList{QStringLiteral("c")});
    EXPECT_EQ(valueOn(mainC, QStringLiteral("QX_GROUPS")), QStringLiteral("<absent>"));

    // Deleting members restores the list exactly: b was never a user here and must not appear.
    failWhen = nullptr;
    attach(mainC, QStringLiteral("QX_GROUPS"), QStringLiteral("g"));
    selectMainWithUsers(QStringLiteral("c,a"));
    failWritesTo(mainC);
    selectGroup(QStringLiteral("g"));
    form().zanBut[4]->click();
    EXPECT_EQ(entries(form().zanList[1]), (QStringList{QStringLiteral("c"), QStringLiteral("a")}));

    // A group that cannot be removed stays listed.
    failWhen = [](const QString &call, const QString &) { return call == QLatin1String("removeAttribute"); };
    prompter.clear();
    form().zanBut[10]->click();
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_TRUE(prompter.last().text.contains(QStringLiteral("* Could not remove group from Element")));
    EXPECT_EQ(entries(form().zanList[2]), QStringList{QStringLiteral("g")});
    EXPECT_EQ(valueOn(mainC, QStringLiteral("QX_GROUPS")), QStringLiteral("g"));
}

TEST_F(AccessLists, DeletingTheLastGroupRemovesTheAttribute)
{
    attach(mainC, QStringLiteral("QX_GROUPS"), QStringLiteral("g,h"));
    selectMainWithUsers(QStringLiteral("c"));
    selectGroup(QStringLiteral("g"));
    form().zanBut[10]->click();
    EXPECT_EQ(valueOn(mainC, QStringLiteral("QX_GROUPS")), QStringLiteral("h"));
    EXPECT_EQ(entries(form().zanList[2]), QStringList{QStringLiteral("h")});

    selectGroup(QStringLiteral("h"));
    form().zanBut[10]->click();
    EXPECT_EQ(valueOn(mainC, QStringLiteral("QX_GROUPS")), QStringLiteral("<absent>"));
    EXPECT_EQ(valueOn(mainC, QStringLiteral("__checkout")), QStringLiteral("c"));
    EXPECT_EQ(prompter.count(), 0);
}
