// Every command handler that fails reports in its own fixed words. These cases make a step
// inside the handler fail (a message box that cannot be shown) and check the report each
// handler ends with.
#include "support/AppFixture.h"
#include "support/MessageTable.h"
#include "support/MouseClicks.h"

#include <QAction>
#include <QTreeWidget>

namespace {

class HandlerFailureTest : public AppFixture
{
protected:
    // A row whose action fails where it would show the message titled `failingTitle`.
    MessageCase failingAt(const char *action, const QString &failingTitle, std::function<void()> run, const QString &handlerLine)
    {
        return {action, [=, this] {
                    prompter.throwOnTitle = failingTitle;
                    run();
                    EXPECT_TRUE(prompter.last().text.contains("\r\n* SysErr: The message box could not be shown.\r\n"));
                }, "* " + handlerLine, "Error...", Prompter::Icon::Critical, Prompter::Buttons::Ok, true};
    }
};

} // namespace

TEST_F(HandlerFailureTest, EachHandlerReportsInItsOwnWords)
{
    form().show();
    clickButton(form().loadBut);
    clickText(form().mainList, "bob_dev");
    ASSERT_GT(form().tTreeList->topLevelItemCount(), 0);

    expectMessages(prompter, {
        // Checking a node before a VOB is selected asks the user first; that message fails.
        failingAt("check a node", "VOB Not Selected", [&] { form().tTreeList->topLevelItem(0)->setCheckState(0, Qt::Checked); },
                  "Error encountered::NodeCheck()"),
        // A UCM project VOB becoming current is refused with a message; that message fails.
        failingAt("select a project VOB", "UCM Project VOB....", [&] { form().vobTagTxt->setText(tagOf("\\proj_pvob")); }, "vobTagTxt_Change()"),
        failingAt("delete no user", "No user selected to delete...     ", [&] {
            selectVob(vobTag, vobRoot);
            clickButton(form().zanBut[3]);
        }, "Error encountered::deleteUserFromList()"),
        failingAt("delete no group", "No group selected...", [&] { clickButton(form().zanBut[4]); },
                  "Error encountered::deleteGroupFromList()"),
        failingAt("add a bad group name", "Invalid name", [&] {
            clickTab(form().mainTabStrip, 1);
            form().dgTxt[0]->setText("a,b");
            clickButton(form().dgBut[0]);
        }, "Error encountered::dbBut()"),
        // Enter runs the add button's step, whose own report comes first.
        failingAt("press Enter on a bad group name", "Invalid name", [&] {
            form().dgTxt[0]->setText("a,b");
            pressKey(form().dgTxt[0]);
        }, "Error encountered::dbBut()"),
        failingAt("save the configuration", "Save Config file...", [&] { chooseMenuItem(form().menuBar(), form().File, form().saveConfigToFile); },
                  "Error:saveConfigToFile()"),
        failingAt("load a configuration", "Select Configuration File ", [&] { chooseMenuItem(form().menuBar(), form().File, form().loadConfigFile); },
                  "Error encountered::dbLoadBut()"),
    });
}
