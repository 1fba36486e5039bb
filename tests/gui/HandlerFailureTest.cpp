// Every command handler that fails reports in its own fixed words. These cases make a step
// inside the handler fail (a message box that cannot be shown, a platform call that throws)
// and check the report each handler ends with.
#include "support/AppFixture.h"

#include <QAction>
#include <QListWidget>
#include <QToolButton>
#include <QTreeWidget>

namespace {

class HandlerFailureTest : public AppFixture
{
protected:
    // The boxed report of the last failure carries the handler's text on its own line.
    void expectBoxedReport(const QString &handlerText)
    {
        ASSERT_GT(prompter.count(), 0);
        EXPECT_EQ(prompter.last().title, QStringLiteral("Error..."));
        EXPECT_EQ(prompter.last().icon, Prompter::Icon::Critical);
        EXPECT_TRUE(prompter.last().text.contains(QStringLiteral("\r\n* ") + handlerText + QStringLiteral("\r\n")))
            << prompter.last().text.toStdString();
        EXPECT_TRUE(prompter.last().text.contains(QStringLiteral("* SysErr: The message box could not be shown.")));
    }

    void loadViewsAndPickBobDev()
    {
        form().loadBut->click();
        const auto found = form().mainList->findItems(QStringLiteral("bob_dev"), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        form().mainList->setCurrentItem(found.first());
        ASSERT_GT(form().tTreeList->topLevelItemCount(), 0);
    }
};

} // namespace

TEST_F(HandlerFailureTest, TreeHandlersReportInTheirOwnWords)
{
    loadViewsAndPickBobDev();

    // Checking a node before a VOB is selected asks the user first; that message fails.
    prompter.throwOnTitle = QStringLiteral("VOB Not Selected");
    QTreeWidgetItem *drive = form().tTreeList->topLevelItem(0);
    drive->setCheckState(0, Qt::Checked);
    expectBoxedReport(QStringLiteral("Error encountered::NodeCheck()"));

    // A UCM project VOB becoming current is refused with a message; that message fails.
    prompter.throwOnTitle = QStringLiteral("UCM Project VOB....");
    form().vobTagTxt->setText(QStringLiteral("\\proj_pvob"));
    expectBoxedReport(QStringLiteral("vobTagTxt_Change()"));
}

TEST_F(HandlerFailureTest, AccessListHandlersReportInTheirOwnWords)
{
    form().mainList->addItem(QStringLiteral("bob_dev"));
    selectVob(vobTag, vobRoot);

    prompter.throwOnTitle = QStringLiteral("No user selected to delete...     ");
    form().zanBut[3]->click();
    expectBoxedReport(QStringLiteral("Error encountered::deleteUserFromList()"));

    prompter.throwOnTitle = QStringLiteral("No group selected...");
    form().zanBut[4]->click();
    expectBoxedReport(QStringLiteral("Error encountered::deleteGroupFromList()"));
}

TEST_F(HandlerFailureTest, GroupEditorHandlersReportInTheirOwnWords)
{
    prompter.throwOnTitle = QStringLiteral("Invalid name");
    form().dgTxt[0]->setText(QStringLiteral("a,b"));
    form().dgBut[0]->click();
    expectBoxedReport(QStringLiteral("Error encountered::dbBut()"));

    // Enter runs the add button's step, whose own report comes first.
    prompter.clear();
    form().dgTxt[0]->setText(QStringLiteral("a,b"));
    pressKey(form().dgTxt[0]);
    expectBoxedReport(QStringLiteral("Error encountered::dbBut()"));
}

TEST_F(HandlerFailureTest, ConfigurationFileCommandsReportInTheirOwnWords)
{
    prompter.throwOnTitle = QStringLiteral("Save Config file...");
    form().saveConfigToFile->trigger();
    expectBoxedReport(QStringLiteral("Error:saveConfigToFile()"));

    prompter.throwOnTitle = QStringLiteral("Select Configuration File ");
    form().loadConfigFile->trigger();
    expectBoxedReport(QStringLiteral("Error encountered::dbLoadBut()"));
}
