// Node clicks, the UCM project VOB refusal, the skipped names, checking subtrees into the
// checked-element list, "Check All"/"Uncheck All" and the tab strip.
#include "BrowserFixture.h"

#include "util/ZanError.h"

#include <QColor>
#include <QDir>
#include <QTabWidget>
#include <QToolButton>

class ElementTreeTest : public BrowserFixture
{
protected:
    void SetUp() override
    {
        BrowserFixture::SetUp();
        selectView(SandboxSeed::bobDev);
        prompter.clear();
    }

    QString inProj(const QString &relative) const { return projRoot + QLatin1Char('\\') + relative; }

    QStringList checkedNodes() const
    {
        QStringList paths;
        for (QTreeWidgetItemIterator it(app->form().tTreeList); *it; ++it) {
            if ((*it)->checkState(0) == Qt::Checked)
                paths << TreeNode::fullPath(*it);
        }
        return paths;
    }

    void expectCheckedButtons(bool enabled)
    {
        EXPECT_EQ(form().applyAllCheckedBut->isEnabled(), enabled);
        EXPECT_EQ(form().deleteAllCheckedBut->isEnabled(), enabled);
        EXPECT_EQ(form().zanLbl[3]->isEnabled(), enabled);
        EXPECT_EQ(form().zanLbl[4]->isEnabled(), enabled);
    }
};

TEST_F(ElementTreeTest, DriveAndViewNodesListChildrenWithoutSettingAVob)
{
    QTreeWidgetItem *drive = openNode(QStringLiteral("m:"));
    click(drive);
    EXPECT_TRUE(childTexts(drive).contains(SandboxSeed::bobDev));
    EXPECT_FALSE(childTexts(drive).contains(SandboxSeed::teamBobInt)); // not started
    QTreeWidgetItem *view = openNode(bobView);
    click(view);
    EXPECT_EQ(childTexts(view), (QStringList{QStringLiteral("proj"), QStringLiteral("proj_pvob"), QStringLiteral("tools")}));
    EXPECT_EQ(form().vobTagTxt->text(), QStringLiteral("<UNDEF>"));
    EXPECT_EQ(form().vobRootTxt->text(), QStringLiteral("UNDEFINED"));
    EXPECT_EQ(form().zanCurSettingLbl->text(), QStringLiteral("Element: <UNDEF>"));
    EXPECT_EQ(form().zanLbl[3]->text(), QStringLiteral("Apply to all checked based on: <UNDEF>"));
    EXPECT_EQ(form().trigLbl[0]->text(), QStringLiteral("Trigger setup for VOB: <UNDEF>"));
    EXPECT_TRUE(form().selectedElemTxt->text().isEmpty());
    EXPECT_EQ(TreeNode::kind(view), QStringLiteral("folderClosed"));
    EXPECT_EQ(form().statusPanel->text(), QStringLiteral("Status"));
}

TEST_F(ElementTreeTest, VobRootAndFileClicksSetTheCurrentVobAndElement)
{
    QTreeWidgetItem *root = openNode(projRoot);
    ASSERT_NE(root, nullptr);
    click(root);
    EXPECT_EQ(form().vobTagTxt->text(), QStringLiteral("\\proj"));
    EXPECT_EQ(form().vobRootTxt->text(), projRoot);
    EXPECT_EQ(form().selectedElemTxt->text(), projRoot + QStringLiteral("\\."));
    EXPECT_EQ(form().zanCurSettingLbl->text(), QStringLiteral("VOB Root: \\proj"));
    EXPECT_EQ(form().trigLbl[0]->text(), QStringLiteral("Trigger setup for VOB: \\proj"));

    QTreeWidgetItem *file = openNode(inProj(SandboxSeed::mainC));
    ASSERT_NE(file, nullptr);
    click(file);
    EXPECT_EQ(form().zanCurSettingLbl->text(), QStringLiteral("Element: main.c"));
    EXPECT_EQ(form().zanLbl[3]->text(), QStringLiteral("Apply to all checked based on: main.c"));
    EXPECT_EQ(form().selectedElemTxt->text(), inProj(SandboxSeed::mainC));
    EXPECT_EQ(form().vobRootTxt->text(), projRoot);
    EXPECT_EQ(file->childCount(), 0);
    EXPECT_EQ(TreeNode::kind(file), QStringLiteral("file"));
    EXPECT_TRUE(prompter.texts().filter(QStringLiteral("Error")).isEmpty()) << prompter.texts().join("|").toStdString();
}

TEST_F(ElementTreeTest, ViewPrivateFileIsNoElementAndKeepsTheCurrentVob)
{
    click(openNode(projRoot));
    click(openNode(inProj(SandboxSeed::privateFile)));
    EXPECT_EQ(form().zanCurSettingLbl->text(), QStringLiteral("Element: <UNDEF>"));
    EXPECT_TRUE(form().selectedElemTxt->text().isEmpty());
    EXPECT_EQ(form().vobTagTxt->text(), QStringLiteral("\\proj"));
}

TEST_F(ElementTreeTest, FolderNamedLikeItsVobIsAnOrdinaryElement)
{
    const QString relative = QStringLiteral("src\\proj");
    sandbox.store().addElement(SandboxSeed::projVob, QStringLiteral("src/proj"), true);
    ASSERT_TRUE(QDir().mkpath(sandbox.store().vobFolder(SandboxSeed::projVob) + QStringLiteral("/src/proj")));
    QTreeWidgetItem *folder = openNode(inProj(relative));
    ASSERT_NE(folder, nullptr);
    click(folder);
    EXPECT_EQ(form().zanCurSettingLbl->text(), QStringLiteral("Element: proj"));
    EXPECT_EQ(form().selectedElemTxt->text(), inProj(relative));
    EXPECT_EQ(form().vobRootTxt->text(), projRoot);
}

TEST_F(ElementTreeTest, UcmProjectVobIsRefusedAndTheCurrentVobStays)
{
    click(openNode(projRoot));
    const QString rootText = form().vobRootTxt->text();
    const QString elementText = form().selectedElemTxt->text();
    prompter.clear();

    QTreeWidgetItem *pvob = openNode(bobView + QStringLiteral("\\proj_pvob"));
    click(pvob);
    const QString refusal = QStringLiteral("Current beta version of Zan Utility\r\n"
                                           "does not yet support UCM Project VOB.\r\n\r\n"
                                           "UCM will be supported in a future release");
    ASSERT_EQ(messagesTitled(QStringLiteral("UCM Project VOB....")), QStringList{refusal});
    EXPECT_EQ(prompter.records.first().icon, Prompter::Icon::Exclamation);
    EXPECT_TRUE(MainWindow::isShown(form().ucmVobImage));
    EXPECT_TRUE(MainWindow::isShown(form().ucmVobLbl));
    EXPECT_EQ(form().vobTagTxt->text(), QStringLiteral("\\proj"));
    EXPECT_EQ(form().vobRootTxt->text(), rootText);
    EXPECT_EQ(form().selectedElemTxt->text(), elementText);
    EXPECT_EQ(form().zanCurSettingLbl->text(), QStringLiteral("Element: proj_pvob"));
    EXPECT_EQ(pvob->childCount(), 0);
    EXPECT_EQ(form().statusPanel->text(), QStringLiteral("Status"));
    EXPECT_FALSE(form().projList->isEnabled());
    EXPECT_FALSE(form().streamsList->isEnabled());

    // The next ordinary VOB hides the indicator again.
    click(openNode(bobView + QStringLiteral("\\tools")));
    EXPECT_EQ(form().vobTagTxt->text(), QStringLiteral("\\tools"));
    EXPECT_FALSE(MainWindow::isShown(form().ucmVobImage));
}

TEST_F(ElementTreeTest, LostFoundVersionNamesAndDoubleDotsAreNotShown)
{
    QTreeWidgetItem *root = openNode(projRoot);
    click(root);
    const QStringList children = childTexts(root);
    EXPECT_TRUE(children.contains(QStringLiteral("src")));
    EXPECT_TRUE(children.contains(QStringLiteral("dir with blanks")));
    for (const QString &hidden : {SandboxSeed::lostFound, SandboxSeed::atAtFile, SandboxSeed::dotDotFile, QStringLiteral("..")})
        EXPECT_FALSE(children.contains(hidden)) << hidden.toStdString();
    // Children are listed once per tree build.
    const int count = root->childCount();
    click(root);
    EXPECT_EQ(root->childCount(), count);
}

TEST_F(ElementTreeTest, CheckingBeforeAVobIsSelectedIsRefused)
{
    QTreeWidgetItem *view = openNode(bobView);
    setCheck(view, true);
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.last().text, QStringLiteral("You must first select a VOB"));
    EXPECT_EQ(prompter.last().title, QStringLiteral("VOB Not Selected"));
    EXPECT_EQ(prompter.last().icon, Prompter::Icon::Exclamation);
    EXPECT_EQ(view->checkState(0), Qt::Unchecked);
    EXPECT_EQ(form().selectedList->count(), 0);
}

TEST_F(ElementTreeTest, UncheckingBeforeAVobIsSelectedSaysNothing)
{
    QTreeWidgetItem *view = openNode(bobView);
    {
        QSignalBlocker quiet(form().tTreeList);
        view->setCheckState(0, Qt::Checked);
        view->setData(0, TreeNode::KnownCheckRole, int(Qt::Checked));
    }
    setCheck(view, false);
    EXPECT_TRUE(prompter.records.isEmpty());
}

TEST_F(ElementTreeTest, DriveNodeCannotBeChecked)
{
    click(openNode(projRoot));
    QTreeWidgetItem *drive = openNode(QStringLiteral("m:"));
    setCheck(drive, true);
    EXPECT_EQ(drive->checkState(0), Qt::Unchecked);
    EXPECT_EQ(form().selectedList->count(), 0);
    EXPECT_EQ(form().statusPanel->text(), QStringLiteral("Total Count: 0"));
    expectCheckedButtons(false);
}

TEST_F(ElementTreeTest, CheckingADirectoryListsItFirstThenItsSubtreeAndUncheckingRemovesThem)
{
    click(openNode(projRoot));
    QTreeWidgetItem *src = openNode(inProj(SandboxSeed::srcDir));
    ASSERT_NE(src, nullptr);
    setCheck(src, true);
    const QStringList expected{inProj(QStringLiteral("src")), inProj(QStringLiteral("src\\include")),
                               inProj(QStringLiteral("src\\include\\util.h")), inProj(QStringLiteral("src\\main.c")),
                               inProj(QStringLiteral("src\\private.tmp")), inProj(QStringLiteral("src\\util.c"))};
    EXPECT_EQ(listTexts(form().selectedList), expected);
    EXPECT_EQ(checkedNodes(), expected);
    EXPECT_EQ(form().statusPanel->text(), QStringLiteral("Total Count: 6"));
    EXPECT_EQ(form().applyAllCheckedBut->toolTip(),
              QStringLiteral("Apply access control to all selcted elements/artifacts.  Total selected: 6"));
    EXPECT_EQ(src->foreground(0).color(), QColor(0, 0, 255));
    EXPECT_TRUE(src->isExpanded());
    EXPECT_TRUE(MainWindow::isShown(form().tTreeList));
    EXPECT_FALSE(platform.hourglass);
    expectCheckedButtons(true);

    setCheck(src, false);
    EXPECT_EQ(form().selectedList->count(), 0);
    EXPECT_TRUE(checkedNodes().isEmpty());
    EXPECT_EQ(form().statusPanel->text(), QStringLiteral("Total Count: 0"));
    EXPECT_EQ(src->child(0)->foreground(0).color(), QColor(Qt::black));
    expectCheckedButtons(false);
    EXPECT_TRUE(prompter.records.isEmpty());
}

TEST_F(ElementTreeTest, FileCheckedBeforeItsDirectoryIsListedOnce)
{
    click(openNode(projRoot));
    QTreeWidgetItem *readme = openNode(inProj(SandboxSeed::readmeTxt));
    setCheck(readme, true);
    EXPECT_EQ(form().statusPanel->text(), QStringLiteral("Total Count: 1"));
    setCheck(readme->parent(), true);
    EXPECT_EQ(listTexts(form().selectedList), (QStringList{inProj(SandboxSeed::readmeTxt), inProj(SandboxSeed::docsDir)}));
}

TEST_F(ElementTreeTest, StatusBarNamesEachNodeOfTheWalk)
{
    click(openNode(projRoot));
    QTreeWidgetItem *src = openNode(inProj(SandboxSeed::srcDir));
    QStringList seen; // the status text each time the walk lets events run
    platform.everyProcessEvents = [&] { seen << form().statusPanel->text(); };
    setCheck(src, true);
    EXPECT_EQ(seen, (QStringList{QStringLiteral("Selecting Folder --> ") + inProj(QStringLiteral("src")),
                                 QStringLiteral("Selecting Folder --> ") + inProj(QStringLiteral("src\\include")),
                                 QStringLiteral("Selecting --> ") + inProj(QStringLiteral("src\\include\\util.h")),
                                 QStringLiteral("Selecting --> ") + inProj(QStringLiteral("src\\main.c")),
                                 QStringLiteral("Selecting --> ") + inProj(QStringLiteral("src\\private.tmp"))}));
    seen.clear();
    setCheck(src, false);
    EXPECT_EQ(seen.first(), QStringLiteral("Un-Selecting Folder --> ") + inProj(QStringLiteral("src")));
    EXPECT_EQ(seen.last(), QStringLiteral("Un-Selecting --> ") + inProj(QStringLiteral("src\\private.tmp")));
}

TEST_F(ElementTreeTest, ElementSettingsLoadAndTheFirstOperationIsSelected)
{
    SandboxStore &store = sandbox.store();
    store.addAttributeType(SandboxSeed::projVob, {QStringLiteral("__checkout"), 8, QString(), {}});
    store.attachAttribute(SandboxSeed::projVob, QStringLiteral("src/main.c"), QStringLiteral("__checkout"),
                          QStringLiteral("bob"), QString(), false);
    QStringList steps;
    MainHooks &hooks = app->context().hooks;
    hooks.hideSubLists = [&] { steps << QStringLiteral("hideSubLists"); };
    hooks.setTrigStatus = [&] { steps << QStringLiteral("setTrigStatus ") + form().vobTagTxt->text(); };
    hooks.doMakeGroupAttype = [&](const QString &tag) { steps << QStringLiteral("doMakeGroupAttype ") + tag; };
    QTreeWidgetItem *root = openNode(projRoot);
    QTreeWidgetItem *mainC = openNode(inProj(SandboxSeed::mainC));
    form().zanList[1]->addItem(QStringLiteral("stale user"));
    steps.clear();

    click(root);
    EXPECT_EQ(steps, (QStringList{QStringLiteral("hideSubLists"), QStringLiteral("setTrigStatus \\proj"),
                                  QStringLiteral("doMakeGroupAttype \\proj")}));
    EXPECT_EQ(form().zanList[1]->count(), 0);

    steps.clear();
    int selectedRow = -1;
    QObject::connect(form().zanList[0], &QListWidget::currentRowChanged, [&](int row) { selectedRow = row; });
    click(mainC);
    ASSERT_FALSE(steps.isEmpty());
    EXPECT_EQ(steps.first(), QStringLiteral("hideSubLists"));
    EXPECT_TRUE(steps.filter(QStringLiteral("Trig")).isEmpty());
    EXPECT_TRUE(steps.filter(QStringLiteral("Attype")).isEmpty());
    EXPECT_EQ(listTexts(form().zanList[0]), QStringList{QStringLiteral("checkout")});
    EXPECT_EQ(selectedRow, 0);
}

TEST_F(ElementTreeTest, FailuresOfANodeClickAndOfAListingAreReported)
{
    app->context().hooks.hideSubLists = [] { throw ZanError(ZanError::General, QStringLiteral("test"), QStringLiteral("broken step")); };
    click(openNode(bobView));
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.last().text, QStringLiteral("Error:broken step\r\ntTreeList()"));
    EXPECT_EQ(prompter.last().title, QStringLiteral("Error..."));
    EXPECT_EQ(prompter.last().icon, Prompter::Icon::Critical);
    EXPECT_EQ(form().statusPanel->text(), QStringLiteral("Status"));

    app->context().hooks.hideSubLists = [] {};
    prompter.clear();
    QTreeWidgetItem *docs = openNode(inProj(SandboxSeed::docsDir));
    ASSERT_TRUE(QDir(sandbox.store().vobFolder(SandboxSeed::projVob) + QStringLiteral("/docs")).removeRecursively());
    click(docs);
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_TRUE(prompter.last().text.startsWith(QStringLiteral("Error:: ")));
    EXPECT_TRUE(prompter.last().text.endsWith(QStringLiteral("\r\n")));
    EXPECT_EQ(prompter.last().title, QStringLiteral("Zan Utility"));
    EXPECT_EQ(prompter.last().icon, Prompter::Icon::None);
    EXPECT_EQ(docs->childCount(), 0);
}

TEST_F(ElementTreeTest, TreeRebuiltDuringAWalkStopsTheWalkSafely)
{
    click(openNode(projRoot));
    QTreeWidgetItem *src = openNode(inProj(SandboxSeed::srcDir));
    platform.onProcessEvents = [&] { form().refreshBut->click(); };
    setCheck(src, true);
    EXPECT_EQ(rootTexts(), QStringList{QStringLiteral("m:")});
    EXPECT_TRUE(MainWindow::isShown(form().tTreeList));
    EXPECT_LE(form().selectedList->count(), 1);
}

TEST_F(ElementTreeTest, CheckAllFlipsMarksOnlyAndUncheckAllClearsEverything)
{
    click(openNode(projRoot));
    QTreeWidgetItem *docs = openNode(inProj(SandboxSeed::docsDir));
    setCheck(docs, true);
    const QStringList listed = listTexts(form().selectedList);

    form().checkAll->click();
    for (QTreeWidgetItemIterator it(form().tTreeList); *it; ++it)
        EXPECT_EQ((*it)->checkState(0), TreeNode::isDrive(*it) ? Qt::Unchecked : Qt::Checked);
    EXPECT_EQ(listTexts(form().selectedList), listed);
    form().checkAll->click();
    EXPECT_TRUE(checkedNodes().isEmpty());
    EXPECT_EQ(listTexts(form().selectedList), listed);
    EXPECT_TRUE(prompter.records.isEmpty());

    form().checkAll->click();
    form().butClearAll->click();
    EXPECT_TRUE(checkedNodes().isEmpty());
    EXPECT_EQ(form().selectedList->count(), 0);
    expectCheckedButtons(false);
    EXPECT_TRUE(tree().checkAllFlag()); // not reset by "Uncheck All"
}

TEST_F(ElementTreeTest, VobTagOfATwoPartPathIsAnError)
{
    EXPECT_TRUE(tree().getVobTagFromNode(QStringLiteral("m:\\bob_dev")).isEmpty());
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.last().text, QStringLiteral("Error:Subscript out of range\r\ngetVobTagFromNode()"));
    EXPECT_EQ(prompter.last().title, QStringLiteral("Error..."));
    EXPECT_EQ(prompter.last().icon, Prompter::Icon::Critical);
}

TEST_F(ElementTreeTest, TriggerTabShowsTheCurrentVob)
{
    click(openNode(projRoot));
    form().trigLbl[0]->setText(QString());
    form().mainTabStrip->setCurrentIndex(2);
    EXPECT_EQ(form().trigLbl[0]->text(), QStringLiteral("Trigger setup for VOB: \\proj"));
}

TEST_F(ElementTreeTest, UcmControlsStayDisabledAndEmpty)
{
    form().streamSubList->addItem(QStringLiteral("stream"));
    for (int i = 6; i <= 9; ++i)
        form().zanBut[i]->setEnabled(true);
    app->context().hooks.setUcmMode(false);
    EXPECT_EQ(form().streamSubList->count(), 0);
    for (int i = 6; i <= 9; ++i)
        EXPECT_FALSE(form().zanBut[i]->isEnabled()) << i;
    EXPECT_FALSE(form().projList->isEnabled());
    EXPECT_FALSE(form().streamsList->isEnabled());
}
