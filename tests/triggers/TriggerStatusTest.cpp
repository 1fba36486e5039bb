#include "shell/DetailWindow.h"
#include "triggers/TriggerStatusController.h"
#include "TriggerTabFixture.h"

#include <QComboBox>
#include <QPlainTextEdit>

namespace {

const QString proj = QStringLiteral("\\proj");

class TriggerStatusTest : public TriggerTabFixture
{
protected:
    TriggerCommandLines lines()
    {
        TriggerCommandLines::Inputs in;
        in.windowsLocation = QStringLiteral("\\\\myhost\\triggers");
        in.date = QStringLiteral("1/2/2024");
        return TriggerCommandLines(in);
    }
    void makeElementTrigger() { clearCase().createTriggerType(proj, lines().elementTrigger()); }
    void makeTypeTrigger() { clearCase().runCommand(lines().typeTriggerCommand(proj)); }
    void makeUcmTrigger() { clearCase().createTriggerType(proj, lines().ucmTrigger()); }
    void refresh() { ctx().hooks.setTrigStatus(); }
    void storeSettingsOfProj()
    {
        for (const char *prefix : {"WinUnixLoc", "Interop", "NTLoc", "UnixLoc", "AdminList"})
            registry().saveToReg(QLatin1String(prefix) + QStringLiteral("proj"), QStringLiteral("0"));
    }
    int storedSettingsOfProj()
    {
        int n = 0;
        for (const char *prefix : {"WinUnixLoc", "Interop", "NTLoc", "UnixLoc", "AdminList"})
            n += isStored(QLatin1String(prefix) + QStringLiteral("proj")) ? 1 : 0;
        return n;
    }
};

} // namespace

TEST_F(TriggerStatusTest, AtLeastTwoOfTheTriggerTypesCountAsAppliedAndAnUnknownVobChangesNothing)
{
    makeElementTrigger();
    form().ucmVobImage->show();
    form().ucmVobLbl->show();
    refresh();
    EXPECT_FALSE(showsApplied());
    EXPECT_FALSE(MainWindow::isShown(form().ucmVobImage));
    EXPECT_FALSE(MainWindow::isShown(form().ucmVobLbl));

    makeTypeTrigger();
    refresh();
    EXPECT_TRUE(showsApplied());
    EXPECT_EQ(prompter.count(), 0);

    // An unknown VOB is reported and the marks stay as they were.
    form().vobTagTxt->setText(QStringLiteral("\\nosuch"));
    refresh();
    ASSERT_GE(prompter.count(), 1);
    EXPECT_EQ(prompter.last().title, QStringLiteral("Error..."));
    EXPECT_TRUE(prompter.last().text.contains(QStringLiteral("setTrigStatus()")));
    EXPECT_TRUE(showsApplied());
}

TEST_F(TriggerStatusTest, RemovalAsksFirstThenRemovesWhatExistsAndSkipsTheRest)
{
    makeElementTrigger();
    makeUcmTrigger();
    storeSettingsOfProj();
    refresh();
    ASSERT_TRUE(showsApplied());

    prompter.answers.enqueue(Prompter::Answer::Cancel);
    form().removeAllTriggersBut->click();
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.last().text,
              QStringLiteral("WARNING: \r\nYou are about to remove the following triggers\r\nfrom \\proj VOB:\r\n"
                             "_KORVANE_SECURITY1,_KORVANE_SECURITY2,_UCM_KORVANE_SECURITY\r\n\r\n"
                             "    Are you sure you want to continue?\r\n"));
    EXPECT_EQ(prompter.last().title, QStringLiteral("Removing Triggers..."));
    EXPECT_EQ(prompter.last().icon, Prompter::Icon::Exclamation);
    EXPECT_EQ(prompter.last().buttons, Prompter::Buttons::OkCancel);
    EXPECT_EQ(triggerTypes().size(), 2);
    EXPECT_EQ(storedSettingsOfProj(), 5);

    form().removeAllTriggersBut->click();
    EXPECT_EQ(prompter.count(), 2); // the confirmation only
    EXPECT_TRUE(triggerTypes().isEmpty());
    EXPECT_EQ(storedSettingsOfProj(), 0);
    EXPECT_FALSE(showsApplied());
}

TEST_F(TriggerStatusTest, DetailShowsTheSelectedTypesDescriptionOrAnEmptyText)
{
    makeElementTrigger();
    DetailWindow &detail = ctx().detail;
    form().butTriggerDetail->click();
    EXPECT_EQ(detail.windowTitle(), QStringLiteral("Detail for Trigger: _KORVANE_SECURITY1 in VOB: \\proj"));
    EXPECT_TRUE(detail.mainTxt->toPlainText().contains(QStringLiteral("_KORVANE_SECURITY1")));
    EXPECT_FALSE(detail.isHidden());

    form().trigNamesCombo->setCurrentIndex(2);
    form().butTriggerDetail->click();
    EXPECT_EQ(detail.windowTitle(), QStringLiteral("Detail for Trigger: _UCM_KORVANE_SECURITY in VOB: \\proj"));
    EXPECT_EQ(detail.mainTxt->toPlainText(), QString());
    EXPECT_EQ(prompter.count(), 0);

    detail.hide();
    form().vobTagTxt->setText(QStringLiteral("<UNDEF>"));
    form().butTriggerDetail->click();
    EXPECT_TRUE(detail.isHidden());
}

TEST_F(TriggerStatusTest, FailingRemovalIsReportedTwiceAndTheSettingsAreAlreadyGone)
{
    storeSettingsOfProj();
    registry().saveToReg(QStringLiteral("NTLocnosuch"), QStringLiteral("\\\\srv\\trig"));
    form().vobTagTxt->setText(QStringLiteral("\\nosuch"));
    prompter.clear();
    form().removeAllTriggersBut->click();

    ASSERT_EQ(prompter.count(), 3);
    const ScriptedPrompter::Record &error = prompter.records[1];
    EXPECT_TRUE(error.text.startsWith(QStringLiteral("ERROR: encountered an error removing trigger:: ")));
    EXPECT_TRUE(error.text.endsWith(QStringLiteral("\r\n")));
    EXPECT_EQ(error.title, QStringLiteral("ERROR..."));
    EXPECT_EQ(error.icon, Prompter::Icon::Critical);
    EXPECT_EQ(prompter.last().title, QStringLiteral("Error..."));
    EXPECT_TRUE(prompter.last().text.contains(QStringLiteral("ERROR::removeAllTriggersBut()")));
    EXPECT_FALSE(isStored(QStringLiteral("NTLocnosuch")));
    EXPECT_EQ(storedSettingsOfProj(), 5);
}
