// The view list, view selection, the drive roots and their filter, the config spec and
// "Mount VOB", driven through the real window over a sandbox.
#include "BrowserFixture.h"

#include "shell/DetailWindow.h"

#include <QCheckBox>
#include <QPlainTextEdit>

using ViewsTest = BrowserFixture;

TEST_F(ViewsTest, LoadingAndAddingViewsNeverDuplicatesATag)
{
    setTicked(form().myViewsOnlyCB, true);
    clickButton(form().loadBut);
    clickButton(form().loadBut);
    EXPECT_EQ(entries(form().mainList), (QStringList{SandboxSeed::bobDev, SandboxSeed::teamBobInt}));
    // Every view passes through the status bar, also the ones the filter leaves out.
    EXPECT_EQ(form().statusPanel->text(), "Adding view --> " + SandboxSeed::relView);
    setTicked(form().myViewsOnlyCB, false);
    clickButton(form().loadBut);
    EXPECT_EQ(entries(form().mainList), SandboxSeed::viewTags);
    EXPECT_TRUE(MainWindow::isShown(form().mainList));

    prompter.inputs << SandboxSeed::bobDev << "no_such_view";
    clickButton(form().butSpecifyView);
    EXPECT_EQ(prompter.last().text, "Enter view name: ");
    EXPECT_EQ(prompter.last().title, "Enter view name...");
    clickButton(form().butSpecifyView);
    EXPECT_EQ(prompter.last().title, "Error...");
    EXPECT_TRUE(prompter.last().text.contains("View does not exist or problem verifying view."));
    EXPECT_EQ(entries(form().mainList), SandboxSeed::viewTags);
}

TEST_F(ViewsTest, TabbingIntoTheListOpensNoViewOnlyKeysAndClicksDo)
{
    clickButton(form().loadBut);
    QListWidget *list = form().mainList;
    QFocusEvent tabIn(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(list, &tabIn);
    EXPECT_TRUE(list->selectedItems().isEmpty());
    EXPECT_EQ(form().tTreeList->topLevelItemCount(), 0);

    QTest::keyClick(list, Qt::Key_Down);
    QCoreApplication::processEvents();
    EXPECT_EQ(commands, QStringList{"startview Team_BOB_int"});
    EXPECT_EQ(rootTexts(), QStringList{treeRoot});
    form().tTreeList->clear();
    clickText(list, SandboxSeed::teamBobInt);
    EXPECT_EQ(rootTexts(), QStringList{treeRoot});
}

// Only an inactive dynamic view is started; a snapshot view or a tag that would not stay one
// word on the command line is refused, the drives still listed.
TEST_F(ViewsTest, OnlyAnInactiveDynamicViewIsStarted)
{
    selectView(SandboxSeed::bobDev);
    EXPECT_TRUE(commands.isEmpty());
    selectView(SandboxSeed::aliceSnap);
    EXPECT_EQ(prompter.count(), 1);
    expectLastMessage("View: alice_snap is a snapshot view.\r\nCannot use snapshot views to apply security", "Can't use snapshot views",
                      Prompter::Icon::Information);
    EXPECT_TRUE(commands.isEmpty());
    EXPECT_EQ(rootTexts(), QStringList{treeRoot});
    EXPECT_EQ(form().statusPanel->text(), "Status");

    selectView(SandboxSeed::teamBobInt);
    EXPECT_EQ(commands, QStringList{"startview Team_BOB_int"});
    QTreeWidgetItem *drive = openNode(treeRoot);
    click(drive);
    EXPECT_TRUE(childTexts(drive).contains(SandboxSeed::teamBobInt));

    sandbox.store().addView({"x y", QString(), "bob", false, false, QString()});
    selectView("x y");
    EXPECT_EQ(commands.size(), 1);
    expectLastMessage("ERROR::Invalid view tag: \"x y\"\r\nReport Bug to support@korvane.com", "ERROR...", Prompter::Icon::Exclamation);
}

TEST_F(ViewsTest, DriveFilterToggleAndRefresh)
{
    if (unixSite())
        GTEST_SKIP() << "a UNIX site has no drives, only the view root";
    selectView(SandboxSeed::bobDev);
    EXPECT_EQ(rootTexts(), QStringList{treeRoot});
    EXPECT_EQ(TreeNode::kind(form().tTreeList->topLevelItem(0)), "drive");

    clickButton(form().showAllDrivesBut);
    EXPECT_EQ(form().showAllDrivesBut->text(), "Filter Drives");
    EXPECT_TRUE(MainWindow::isShown(form().filterDriveTxt));
    const QStringList all{"a:", "c:", "d:", "m:"};
    EXPECT_EQ(rootTexts(), all);

    // Refresh in all-drives mode ignores the filter and empties the checked list.
    state().checked().appendIfNew(projRoot);
    clickButton(form().refreshBut);
    EXPECT_EQ(rootTexts(), all);
    EXPECT_EQ(form().selectedList->count(), 0);

    form().filterDriveTxt->setText("M");
    clickButton(form().showAllDrivesBut);
    EXPECT_EQ(form().showAllDrivesBut->text(), "Show All Drives");
    EXPECT_FALSE(MainWindow::isShown(form().filterDriveTxt));
    EXPECT_EQ(rootTexts(), all); // upper case filters nothing

    form().filterDriveTxt->setText("c;m");
    clickButton(form().refreshBut);
    EXPECT_EQ(rootTexts(), (QStringList{"a:", "d:"}));
    EXPECT_TRUE(prompter.records.isEmpty());
}

TEST_F(ViewsTest, ToggleRefreshAndConfigSpecNeedAView)
{
    clickButton(form().showAllDrivesBut);
    expectLastMessage("You must first load and select a view.\r\nClick on the load button next to 'My Views Only' \r\n"
                      "checkbox and then double click on a view to select \r\nand start a view",
                      "No View Selected", Prompter::Icon::Exclamation);
    clickButton(form().refreshBut);
    clickButton(form().viewConfigSpecBut);
    EXPECT_EQ(prompter.count(), 1);
    EXPECT_EQ(form().tTreeList->topLevelItemCount(), 0);

    selectView(SandboxSeed::relView);
    clickButton(form().viewConfigSpecBut);
    DetailWindow &detail = app->context().detail;
    EXPECT_EQ(detail.windowTitle(), "Detail: Config spec for view: rel_view");
    EXPECT_EQ(detail.mainTxt->toPlainText(), SandboxSeed::releaseConfigSpec); // CR LF shows as one break
    detail.hide();
}

TEST_F(ViewsTest, MountVobStartsTheDialogOnWindowsAndExplainsElsewhere)
{
    views().setMountDialogAvailable(true);
    clickButton(form().mountVobBut);
    EXPECT_EQ(platform.startedCommands, QStringList{"cleardlg.exe /mount"});
    EXPECT_TRUE(prompter.records.isEmpty());

    views().setMountDialogAvailable(false);
    clickButton(form().mountVobBut);
    EXPECT_EQ(platform.startedCommands.size(), 1);
    expectLastMessage("The ClearCase mount dialog is available on Windows only.\r\nMount a VOB from a shell with: cleartool mount <vob-tag>\r\n"
                      "then click \"Refresh List\" and open the view again.",
                      "Zan Utility", Prompter::Icon::Information);
    EXPECT_EQ(form().statusPanel->text(), "Status");
}
