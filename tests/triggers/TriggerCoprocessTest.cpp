// The apply and removal flows once more, with the cleartool backend driving the emulator
// over the sandbox through the co-process: the mktrtype line travels as real cleartool
// would receive it.
#include "clearcase/cleartool/CleartoolClearCase.h"
#include "TriggerTabFixture.h"

#include <QProcessEnvironment>

namespace {

const QString element = TriggerCommandLines::elementTriggerName;
const QString typeTrigger = TriggerCommandLines::typeTriggerName;
const QString ucm = TriggerCommandLines::ucmTriggerName;

class TriggerCoprocessTest : public TriggerTabFixture
{
protected:
    std::function<std::unique_ptr<ClearCase>(Platform &)> factory() override
    {
        const QString binDir = qEnvironmentVariable("ZAN_BIN_DIR", QCoreApplication::applicationDirPath());
        const QString program = QDir(binDir).filePath(QStringLiteral("cleartool-sim"));
        const QString sandboxFolder = sandbox.folder();
        return [program, sandboxFolder](Platform &) -> std::unique_ptr<ClearCase> {
            auto backend = std::make_unique<CleartoolClearCase>(program);
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QStringLiteral("ZAN_SANDBOX"), sandboxFolder);
            // The emulator runs the VOB's triggers before type operations, as ClearCase does;
            // act as the user the tests exempt from them.
            environment.insert(QStringLiteral("CLEARCASE_USER"), QStringLiteral("bob"));
            backend->process().setEnvironment(environment);
            return backend;
        };
    }

    void apply()
    {
        form().trigLocationTxt->setText(windowsLocation());
        form().adminUsersTxt->setText(QStringLiteral("user1, user2"));
        form().applyTriggerBut->click();
    }
};

} // namespace

TEST_F(TriggerCoprocessTest, ApplyTwiceLeavesOneOfEachAndRemovalTakesThemAway)
{
    form().nuserImage->show();
    apply();
    apply();
    EXPECT_EQ(messageTexts(), QStringList());
    EXPECT_EQ(triggerTypes(), (QStringList{element, typeTrigger}));
    EXPECT_TRUE(showsApplied());
    const auto typeType = sandbox.store().findTriggerType(QStringLiteral("\\proj"), typeTrigger);
    ASSERT_TRUE(typeType.has_value());
    EXPECT_EQ(typeType->exemptUsers, QStringList{QStringLiteral("bob")});
    ASSERT_EQ(typeType->actions.size(), 1);
    EXPECT_EQ(typeType->actions[0].command,
              QStringLiteral("ccperl ") + windowsLocation() + QStringLiteral("\\_qx_security_trigger.pl m user1,user2"));

    form().removeAllTriggersBut->click();
    EXPECT_EQ(prompter.count(), 1); // the confirmation
    EXPECT_TRUE(triggerTypes().isEmpty());
    EXPECT_FALSE(showsApplied());
}

TEST_F(TriggerCoprocessTest, UcmIndicatorMakesOnlyTheUcmTriggerAndRemovalSkipsTheMissingOnes)
{
    form().ucmVobImage->show();
    apply();
    EXPECT_EQ(triggerTypes(), QStringList{ucm});
    EXPECT_FALSE(showsApplied());

    form().removeAllTriggersBut->click();
    EXPECT_EQ(messageTexts().size(), 1);
    EXPECT_TRUE(triggerTypes().isEmpty());
}
