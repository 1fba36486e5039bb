#include "shell/DetailWindow.h"
#include "triggers/TriggerStatusController.h"
#include "TriggerTabFixture.h"


#include <QComboBox>
#include <QPlainTextEdit>

namespace {

class TriggerStatusTest : public TriggerTabFixture
{
protected:
    void refresh() { app->controller<TriggerStatusController>().setTrigStatus(); }
};

} // namespace

// Two of the three trigger types count as applied.
TEST_F(TriggerStatusTest, RemovalAsksFirstThenRemovesWhatExistsAndSkipsTheRest)
{
    makeElementTrigger();
    clearCase().createTriggerType(vobTag, siteLines().ucmTrigger());
    ASSERT_EQ(storedSettingsOfProj(true), 5);
    refresh();
    ASSERT_TRUE(showsApplied());

    // An unknown VOB is reported and the marks stay as they were.
    form().vobTagTxt->setText(tagOf(QStringLiteral("\\nosuch")));
    refresh();
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.last().title, QStringLiteral("Error..."));
    EXPECT_TRUE(prompter.last().text.contains(QStringLiteral("setTrigStatus()")));
    EXPECT_TRUE(showsApplied());
    form().vobTagTxt->setText(vobTag);
    prompter.clear();

    prompter.answers.enqueue(Prompter::Answer::Cancel);
    clickButton(form().removeAllTriggersBut);
    ASSERT_EQ(prompter.count(), 1);
    expectLastMessage(QStringLiteral("WARNING: \r\nYou are about to remove the following triggers\r\nfrom ") + vobTag + QStringLiteral(" VOB:\r\n"
                                     "_KORVANE_SECURITY1,_KORVANE_SECURITY2,_UCM_KORVANE_SECURITY\r\n\r\n"
                                     "    Are you sure you want to continue?\r\n"),
                      QStringLiteral("Removing Triggers..."), Prompter::Icon::Exclamation);
    EXPECT_EQ(prompter.last().buttons, Prompter::Buttons::OkCancel);
    EXPECT_EQ(triggerTypes().size(), 2);
    EXPECT_EQ(storedSettingsOfProj(), 5);

    // A failing removal is reported twice, and the settings are already gone.
    failWhen = [](const QString &call, const QString &) { return call == QLatin1String("requireVob"); };
    prompter.clear();
    clickButton(form().removeAllTriggersBut);
    ASSERT_EQ(prompter.count(), 3);
    const ScriptedPrompter::Record &error = prompter.records[1];
    EXPECT_TRUE(error.text.startsWith(QStringLiteral("ERROR: encountered an error removing trigger:: ")));
    EXPECT_TRUE(error.text.endsWith(QStringLiteral("\r\n")));
    EXPECT_EQ(error.title, QStringLiteral("ERROR..."));
    EXPECT_EQ(error.icon, Prompter::Icon::Critical);
    EXPECT_EQ(prompter.last().title, QStringLiteral("Error..."));
    EXPECT_TRUE(prompter.last().text.contains(QStringLiteral("ERROR::removeAllTriggersBut()")));
    EXPECT_EQ(storedSettingsOfProj(), 0);
    EXPECT_EQ(triggerTypes().size(), 2);

    failWhen = nullptr;
    prompter.clear();
    clickButton(form().removeAllTriggersBut);
    EXPECT_EQ(prompter.count(), 1); // the confirmation only
    EXPECT_TRUE(triggerTypes().isEmpty());
    EXPECT_FALSE(showsApplied());
}

TEST_F(TriggerStatusTest, DetailShowsTheSelectedTypesDescriptionOrAnEmptyText)
{
    makeElementTrigger();
    DetailWindow &detail = ctx().detail;
    clickButton(form().butTriggerDetail);
    EXPECT_EQ(detail.windowTitle(), "Detail for Trigger: _KORVANE_SECURITY1 in VOB: " + vobTag);
    EXPECT_TRUE(detail.mainTxt->toPlainText().contains(QStringLiteral("_KORVANE_SECURITY1")));
    EXPECT_FALSE(detail.isHidden());

    for (int i = 0; i < 2; ++i) // to the UCM trigger, the third entry
        QTest::keyClick(form().trigNamesCombo, Qt::Key_Down);
    clickButton(form().butTriggerDetail);
    EXPECT_EQ(detail.windowTitle(), "Detail for Trigger: _UCM_KORVANE_SECURITY in VOB: " + vobTag);
    EXPECT_EQ(detail.mainTxt->toPlainText(), QString());
    EXPECT_EQ(prompter.count(), 0);

    detail.hide();
    form().vobTagTxt->setText(QStringLiteral("<UNDEF>"));
    clickButton(form().butTriggerDetail);
    EXPECT_TRUE(detail.isHidden());
}
