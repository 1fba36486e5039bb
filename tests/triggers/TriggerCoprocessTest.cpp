// The apply and removal flows once more, with the cleartool backend driving the emulator
// over the sandbox through the co-process: the mktrtype line travels as real cleartool
// would receive it.
#include "TriggerTabFixture.h"

namespace {

const QString element = TriggerCommandLines::elementTriggerName;
const QString typeTrigger = TriggerCommandLines::typeTriggerName;
const QString ucm = TriggerCommandLines::ucmTriggerName;

class TriggerCoprocessTest : public TriggerTabFixture
{
protected:
    TriggerCoprocessTest() { overCleartool = true; }

    void apply()
    {
        form().trigLocationTxt->setText(windowsLocation());
        form().adminUsersTxt->setText(QStringLiteral("user1, user2"));
        form().applyTriggerBut->click();
    }
};

} // namespace

TEST_F(TriggerCoprocessTest, ApplyTwiceLeavesOneOfEachRemovalTakesThemAwayUcmMakesOnlyItsOwn)
{
    form().nuserImage->show();
    apply();
    apply();
    EXPECT_EQ(prompter.texts(), QStringList());
    EXPECT_EQ(triggerTypes(), (QStringList{element, typeTrigger}));
    EXPECT_TRUE(showsApplied());
    const auto typeType = sandbox.store().findTriggerType(QStringLiteral("\\proj"), typeTrigger);
    ASSERT_TRUE(typeType.has_value());
    EXPECT_EQ(typeType->exemptUsers, QStringList{QStringLiteral("bob")});
    EXPECT_EQ(sandbox.store().findTriggerType(QStringLiteral("\\proj"), element)->exemptUsers, QStringList{QStringLiteral("bob")});
    ASSERT_EQ(typeType->actions.size(), 1);
    EXPECT_EQ(typeType->actions[0].command,
              QStringLiteral("ccperl ") + windowsLocation() + QStringLiteral("\\_qx_security_trigger.pl m user1,user2"));

    form().removeAllTriggersBut->click();
    EXPECT_EQ(prompter.count(), 1); // the confirmation
    EXPECT_TRUE(triggerTypes().isEmpty());
    EXPECT_FALSE(showsApplied());

    // The UCM indicator makes only the UCM trigger; removal skips the missing ones.
    form().ucmVobImage->show();
    apply();
    EXPECT_EQ(triggerTypes(), QStringList{ucm});
    EXPECT_FALSE(showsApplied());

    prompter.clear();
    form().removeAllTriggersBut->click();
    EXPECT_EQ(prompter.texts().size(), 1);
    EXPECT_TRUE(triggerTypes().isEmpty());
}
