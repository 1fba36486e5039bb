// The view list, view selection, the drive roots and their filter, the config spec and
// "Mount VOB", driven through the real window over a sandbox.
#include "BrowserFixture.h"

#include "e2e/WidgetDriver.h"
#include "shell/DetailWindow.h"

#include <QCheckBox>
#include <QPlainTextEdit>

using ViewsTest = BrowserFixture;

TEST_F(ViewsTest, LoadingAndAddingViewsNeverDuplicatesATag)
{
    form().myViewsOnlyCB->setChecked(true);
    form().loadBut->click();
    form().loadBut->click();
    EXPECT_EQ(entries(form().mainList), (QStringList{SandboxSeed::bobDev, SandboxSeed::teamBobInt}));
    // Every view passes through the status bar, also the ones the filter leaves out.
    EXPECT_EQ(form().statusPanel->text(), QStringLiteral("Adding view --> ") + SandboxSeed::relView);

    form().myViewsOnlyCB->setChecked(false);
    form().loadBut->click();
    EXPECT_EQ(entries(form().mainList), SandboxSeed::viewTags);
    EXPECT_TRUE(MainWindow::isShown(form().mainList));

    prompter.inputs.enqueue(SandboxSeed::bobDev);
    form().butSpecifyView->click();
    EXPECT_EQ(prompter.last().text, QStringLiteral("Enter view name: "));
    EXPECT_EQ(prompter.last().title, QStringLiteral("Enter view name..."));
    prompter.inputs.enqueue(QStringLiteral("no_such_view"));
    form().butSpecifyView->click();
    EXPECT_EQ(prompter.last().title, QStringLiteral("Error..."));
    EXPECT_TRUE(prompter.last().text.contains(QStringLiteral("View does not exist or problem verifying view.")));
    EXPECT_EQ(entries(form().mainList), SandboxSeed::viewTags);
}

TEST_F(ViewsTest, TabbingIntoTheListOpensNoViewOnlyKeysAndClicksDo)
{
    form().loadBut->click();
    QListWidget *list = form().mainList;
    QFocusEvent tabIn(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(list, &tabIn);
    EXPECT_TRUE(list->selectedItems().isEmpty());
    EXPECT_EQ(form().tTreeList->topLevelItemCount(), 0);

    WidgetDriver::key(list, Qt::Key_Down);
    EXPECT_EQ(commands, QStringList{QStringLiteral("startview Team_BOB_int")});
    EXPECT_EQ(rootTexts(), QStringList{QStringLiteral("m:")});
    form().tTreeList->clear();
    WidgetDriver::clickItem(list, WidgetDriver::item(list, SandboxSeed::teamBobInt));
    EXPECT_EQ(rootTexts(), QStringList{QStringLiteral("m:")});
}

TEST_F(ViewsTest, SnapshotViewIsRefusedButTheDrivesAreListed)
{
    selectView(SandboxSeed::aliceSnap);
    EXPECT_EQ(prompter.count(), 1);
    expectLastMessage(QStringLiteral("View: alice_snap is a snapshot view.\r\nCannot use snapshot views to apply security"),
                      QStringLiteral("Can't use snapshot views"), Prompter::Icon::Information);
    EXPECT_TRUE(commands.isEmpty());
    EXPECT_EQ(rootTexts(), QStringList{QStringLiteral("m:")});
    EXPECT_EQ(form().statusPanel->text(), QStringLiteral("Status"));
}

TEST_F(ViewsTest, OnlyAnInactiveDynamicViewIsStarted)
{
    selectView(SandboxSeed::bobDev);
    EXPECT_TRUE(commands.isEmpty());
    selectView(SandboxSeed::teamBobInt);
    EXPECT_EQ(commands, QStringList{QStringLiteral("startview Team_BOB_int")});
    QTreeWidgetItem *drive = openNode(QStringLiteral("m:"));
    click(drive);
    EXPECT_TRUE(childTexts(drive).contains(SandboxSeed::teamBobInt));

    // A tag that would not stay one word on the command line is not passed on.
    sandbox.store().addView({QStringLiteral("x y"), QString(), QStringLiteral("bob"), false, false, QString()});
    selectView(QStringLiteral("x y"));
    EXPECT_EQ(commands.size(), 1);
    expectLastMessage(QStringLiteral("ERROR::Invalid view tag: \"x y\"\r\nReport Bug to support@korvane.com"),
                      QStringLiteral("ERROR..."), Prompter::Icon::Exclamation);
}

TEST_F(ViewsTest, DriveFilterToggleAndRefresh)
{
    selectView(SandboxSeed::bobDev);
    EXPECT_EQ(rootTexts(), QStringList{QStringLiteral("m:")});
    EXPECT_EQ(TreeNode::kind(form().tTreeList->topLevelItem(0)), QStringLiteral("drive"));

    form().showAllDrivesBut->click();
    EXPECT_EQ(form().showAllDrivesBut->text(), QStringLiteral("Filter Drives"));
    EXPECT_TRUE(MainWindow::isShown(form().filterDriveTxt));
    const QStringList all{QStringLiteral("a:"), QStringLiteral("c:"), QStringLiteral("d:"), QStringLiteral("m:")};
    EXPECT_EQ(rootTexts(), all);

    // Refresh in all-drives mode ignores the filter and empties the checked list.
    form().selectedList->addItem(projRoot);
    form().refreshBut->click();
    EXPECT_EQ(rootTexts(), all);
    EXPECT_EQ(form().selectedList->count(), 0);

    form().filterDriveTxt->setText(QStringLiteral("M"));
    form().showAllDrivesBut->click();
    EXPECT_EQ(form().showAllDrivesBut->text(), QStringLiteral("Show All Drives"));
    EXPECT_FALSE(MainWindow::isShown(form().filterDriveTxt));
    EXPECT_EQ(rootTexts(), all); // upper case filters nothing

    form().filterDriveTxt->setText(QStringLiteral("c;m"));
    form().refreshBut->click();
    EXPECT_EQ(rootTexts(), (QStringList{QStringLiteral("a:"), QStringLiteral("d:")}));
    EXPECT_TRUE(prompter.records.isEmpty());
}

TEST_F(ViewsTest, ToggleRefreshAndConfigSpecNeedAView)
{
    form().showAllDrivesBut->click();
    expectLastMessage(QStringLiteral("You must first load and select a view.\r\n"
                                     "Click on the load button next to 'My Views Only' \r\n"
                                     "checkbox and then double click on a view to select \r\n"
                                     "and start a view"),
                      QStringLiteral("No View Selected"), Prompter::Icon::Exclamation);
    form().refreshBut->click();
    form().viewConfigSpecBut->click();
    EXPECT_EQ(prompter.count(), 1);
    EXPECT_EQ(form().tTreeList->topLevelItemCount(), 0);

    selectView(SandboxSeed::relView);
    form().viewConfigSpecBut->click();
    DetailWindow &detail = app->context().detail;
    EXPECT_EQ(detail.windowTitle(), QStringLiteral("Detail: Config spec for view: rel_view"));
    EXPECT_EQ(detail.mainTxt->toPlainText(), SandboxSeed::releaseConfigSpec); // CR LF shows as one break
    detail.hide();
}

TEST_F(ViewsTest, MountVobStartsTheDialogOnWindowsAndExplainsElsewhere)
{
    views().setMountDialogAvailable(true);
    form().mountVobBut->click();
    EXPECT_EQ(platform.startedCommands, QStringList{QStringLiteral("cleardlg.exe /mount")});
    EXPECT_TRUE(prompter.records.isEmpty());

    views().setMountDialogAvailable(false);
    form().mountVobBut->click();
    EXPECT_EQ(platform.startedCommands.size(), 1);
    expectLastMessage(QStringLiteral("The ClearCase mount dialog is available on Windows only.\r\n"
                                     "Mount a VOB from a shell with: cleartool mount <vob-tag>\r\n"
                                     "then click \"Refresh List\" and open the view again."),
                      QStringLiteral("Zan Utility"), Prompter::Icon::Information);
    EXPECT_EQ(form().statusPanel->text(), QStringLiteral("Status"));
}
