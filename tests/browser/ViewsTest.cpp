// The view list, view selection, the drive roots and their filter, the config spec and
// "Mount VOB", driven through the real window over a sandbox.
#include "BrowserFixture.h"

#include "shell/DetailWindow.h"
#include "util/ErrorBox.h"

#include <QCheckBox>
#include <QPlainTextEdit>

using ViewsTest = BrowserFixture;

TEST_F(ViewsTest, MyViewsOnlyListsTagsContainingTheLoginNameOnce)
{
    form().myViewsOnlyCB->setChecked(true);
    form().loadBut->click();
    form().loadBut->click();
    EXPECT_EQ(listTexts(form().mainList), (QStringList{SandboxSeed::bobDev, SandboxSeed::teamBobInt}));
    EXPECT_TRUE(MainWindow::isShown(form().mainList));
    // Every view passes through the status bar, also the ones the filter leaves out.
    EXPECT_EQ(form().statusPanel->text(), QStringLiteral("Adding view --> ") + SandboxSeed::relView);

    form().myViewsOnlyCB->setChecked(false);
    form().loadBut->click();
    EXPECT_EQ(listTexts(form().mainList), SandboxSeed::viewTags);
}

TEST_F(ViewsTest, AddingAViewByNameRefusesCaseDuplicatesAndUnknownViews)
{
    form().loadBut->click();
    const int loaded = form().mainList->count();
    prompter.inputs.enqueue(QStringLiteral("BOB_DEV"));
    form().butSpecifyView->click();
    EXPECT_EQ(form().mainList->count(), loaded);
    ASSERT_EQ(prompter.records.first().kind, QStringLiteral("input"));
    EXPECT_EQ(prompter.records.first().text, QStringLiteral("Enter view name: "));
    EXPECT_EQ(prompter.records.first().title, QStringLiteral("Enter view name..."));

    prompter.clear();
    prompter.inputs.enqueue(QStringLiteral("no_such_view"));
    form().butSpecifyView->click();
    EXPECT_EQ(form().mainList->count(), loaded);
    ASSERT_EQ(prompter.count(), 2);
    EXPECT_EQ(prompter.last().title, QStringLiteral("Error..."));
    EXPECT_TRUE(prompter.last().text.contains(QStringLiteral("View does not exist or problem verifying view.")));

    // Cancel and an empty answer do nothing.
    prompter.clear();
    form().butSpecifyView->click();
    prompter.inputs.enqueue(QString());
    form().butSpecifyView->click();
    EXPECT_EQ(prompter.count(), 2);
    EXPECT_EQ(form().mainList->count(), loaded);
    EXPECT_EQ(form().mainList->currentRow(), -1);
}

TEST_F(ViewsTest, SnapshotViewIsRefusedButTheDrivesAreListed)
{
    selectView(SandboxSeed::aliceSnap);
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.last().text, QStringLiteral("View: alice_snap is a snapshot view.\r\nCannot use snapshot views to apply security"));
    EXPECT_EQ(prompter.last().title, QStringLiteral("Can't use snapshot views"));
    EXPECT_EQ(prompter.last().icon, Prompter::Icon::Information);
    EXPECT_EQ(prompter.last().buttons, Prompter::Buttons::Ok);
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
    // The started view shows up on the view drive.
    QTreeWidgetItem *drive = openNode(QStringLiteral("m:"));
    ASSERT_NE(drive, nullptr);
    click(drive);
    EXPECT_TRUE(childTexts(drive).contains(SandboxSeed::teamBobInt));
    EXPECT_TRUE(prompter.records.isEmpty());
}

TEST_F(ViewsTest, DriveFilterToggleAndRefresh)
{
    selectView(SandboxSeed::bobDev);
    EXPECT_EQ(rootTexts(), QStringList{QStringLiteral("m:")});
    QTreeWidgetItem *drive = form().tTreeList->topLevelItem(0);
    EXPECT_EQ(TreeNode::kind(drive), QStringLiteral("drive"));
    EXPECT_TRUE(TreeNode::absPath(drive).isEmpty());

    form().showAllDrivesBut->click();
    EXPECT_EQ(form().showAllDrivesBut->text(), QStringLiteral("Filter Drives"));
    EXPECT_TRUE(MainWindow::isShown(form().filterDriveTxt));
    EXPECT_EQ(rootTexts(), (QStringList{QStringLiteral("a:"), QStringLiteral("c:"), QStringLiteral("d:"), QStringLiteral("m:")}));

    // Refresh in all-drives mode ignores the filter and empties the checked list.
    form().selectedList->addItem(QStringLiteral("m:\\bob_dev\\proj\\src"));
    form().refreshBut->click();
    EXPECT_EQ(rootTexts().size(), 4);
    EXPECT_EQ(form().selectedList->count(), 0);

    form().filterDriveTxt->setText(QStringLiteral("M"));
    form().showAllDrivesBut->click();
    EXPECT_EQ(form().showAllDrivesBut->text(), QStringLiteral("Show All Drives"));
    EXPECT_FALSE(MainWindow::isShown(form().filterDriveTxt));
    EXPECT_EQ(rootTexts().size(), 4); // upper case filters nothing

    form().filterDriveTxt->setText(QStringLiteral("c;m"));
    form().refreshBut->click();
    EXPECT_EQ(rootTexts(), (QStringList{QStringLiteral("a:"), QStringLiteral("d:")}));
    EXPECT_TRUE(prompter.records.isEmpty());
}

TEST_F(ViewsTest, WithoutViewsToggleExplainsAndRefreshAndConfigSpecDoNothing)
{
    form().showAllDrivesBut->click();
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.last().text,
              QStringLiteral("You must first load and select a view.\r\n"
                             "Click on the load button next to 'My Views Only' \r\n"
                             "checkbox and then double click on a view to select \r\n"
                             "and start a view"));
    EXPECT_EQ(prompter.last().title, QStringLiteral("No View Selected"));
    EXPECT_EQ(prompter.last().icon, Prompter::Icon::Exclamation);
    EXPECT_EQ(form().showAllDrivesBut->text(), QStringLiteral("Show All Drives"));

    form().refreshBut->click();
    form().viewConfigSpecBut->click();
    EXPECT_EQ(prompter.count(), 1);
    EXPECT_EQ(form().tTreeList->topLevelItemCount(), 0);
    EXPECT_FALSE(MainWindow::isShown(&app->context().detail));
}

TEST_F(ViewsTest, ConfigSpecOpensInTheDetailWindowWithCrLf)
{
    selectView(SandboxSeed::relView);
    form().viewConfigSpecBut->click();
    DetailWindow &detail = app->context().detail;
    EXPECT_EQ(detail.windowTitle(), QStringLiteral("Detail: Config spec for view: rel_view"));
    // The text box shows CR LF as one line break.
    EXPECT_EQ(detail.mainTxt->toPlainText(), SandboxSeed::releaseConfigSpec);
    EXPECT_TRUE(prompter.records.isEmpty());
    detail.hide();
}

TEST_F(ViewsTest, UnsafeViewTagIsNotPassedToStartview)
{
    sandbox.store().addView({QStringLiteral("x y"), QString(), QStringLiteral("bob"), false, false, QString()});
    selectView(QStringLiteral("x y"));
    EXPECT_TRUE(commands.isEmpty());
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.last().text, QStringLiteral("ERROR::Invalid view tag: \"x y\"\r\nReport Bug to support@korvane.com"));
    EXPECT_EQ(prompter.last().title, QStringLiteral("ERROR..."));
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
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.last().text, QStringLiteral("The ClearCase mount dialog is available on Windows only.\r\n"
                                                   "Mount a VOB from a shell with: cleartool mount <vob-tag>\r\n"
                                                   "then click \"Refresh List\" and open the view again."));
    EXPECT_EQ(form().statusPanel->text(), QStringLiteral("Status"));
}
