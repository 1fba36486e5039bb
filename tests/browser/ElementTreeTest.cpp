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
        for (QWidget *w : std::initializer_list<QWidget *>{form().applyAllCheckedBut, form().deleteAllCheckedBut, form().zanLbl[3],
                                                           form().zanLbl[4]})
            EXPECT_EQ(w->isEnabled(), enabled) << w->objectName().toStdString();
    }
};

TEST_F(ElementTreeTest, NodeClicksSetTheCurrentVobOnlyForElements)
{
    sandbox.store().addElement(SandboxSeed::projVob, QStringLiteral("src/proj"), true);
    ASSERT_TRUE(QDir().mkpath(sandbox.store().vobFolder(SandboxSeed::projVob) + QStringLiteral("/src/proj")));
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
    EXPECT_EQ(form().zanLbl[3]->text(), QStringLiteral("Apply to all checked based on:  <UNDEF>"));
    EXPECT_EQ(form().trigLbl[0]->text(), QStringLiteral("Trigger setup for VOB: <UNDEF>"));

    QTreeWidgetItem *root = openNode(projRoot);
    click(root);
    EXPECT_EQ(form().vobTagTxt->text(), QStringLiteral("\\proj"));
    EXPECT_EQ(form().vobRootTxt->text(), projRoot);
    // lost+found, version names and double dots are not shown; children are listed once per tree build.
    const QStringList children = childTexts(root);
    EXPECT_TRUE(children.contains(QStringLiteral("dir with blanks")));
    for (const QString &hidden : {SandboxSeed::lostFound, SandboxSeed::atAtFile, SandboxSeed::dotDotFile, QStringLiteral("..")})
        EXPECT_FALSE(children.contains(hidden)) << hidden.toStdString();
    click(root);
    EXPECT_EQ(root->childCount(), children.size());
    EXPECT_EQ(form().selectedElemTxt->text(), projRoot + QStringLiteral("\\."));
    EXPECT_EQ(form().zanCurSettingLbl->text(), QStringLiteral("VOB Root: \\proj"));
    EXPECT_EQ(form().trigLbl[0]->text(), QStringLiteral("Trigger setup for VOB: \\proj"));

    QTreeWidgetItem *file = openNode(inProj(SandboxSeed::mainC));
    click(file);
    EXPECT_EQ(form().zanCurSettingLbl->text(), QStringLiteral("Element: main.c"));
    EXPECT_EQ(form().zanLbl[3]->text(), QStringLiteral("Apply to all checked based on:  main.c"));
    EXPECT_EQ(form().zanLbl[3]->toolTip(), form().zanLbl[3]->text());
    EXPECT_EQ(form().selectedElemTxt->text(), inProj(SandboxSeed::mainC));
    EXPECT_EQ(form().vobRootTxt->text(), projRoot);
    EXPECT_EQ(file->childCount(), 0);

    // A view-private file is no element: the current VOB stays.
    click(openNode(inProj(SandboxSeed::privateFile)));
    EXPECT_EQ(form().zanCurSettingLbl->text(), QStringLiteral("Element: <UNDEF>"));
    EXPECT_TRUE(form().selectedElemTxt->text().isEmpty());
    EXPECT_EQ(form().vobTagTxt->text(), QStringLiteral("\\proj"));
    EXPECT_EQ(form().statusPanel->text(), QStringLiteral("Status"));
    EXPECT_TRUE(prompter.texts().filter(QStringLiteral("Error")).isEmpty());

    // A folder named like its VOB is an ordinary element.
    click(openNode(inProj(QStringLiteral("src\\proj"))));
    EXPECT_EQ(form().zanCurSettingLbl->text(), QStringLiteral("Element: proj"));
    EXPECT_EQ(form().selectedElemTxt->text(), inProj(QStringLiteral("src\\proj")));
    EXPECT_EQ(form().vobRootTxt->text(), projRoot);
}

TEST_F(ElementTreeTest, ElementSettingsLoadAndVobRootStepsRunInOrder)
{
    SandboxStore &store = sandbox.store();
    store.addAttributeType(SandboxSeed::projVob, {QStringLiteral("__checkout"), 8, QString(), {}});
    store.attachAttribute(SandboxSeed::projVob, QStringLiteral("src/main.c"), QStringLiteral("__checkout"), QStringLiteral("bob"),
                          QString(), false);
    QTreeWidgetItem *root = openNode(projRoot);
    QTreeWidgetItem *mainC = openNode(inProj(SandboxSeed::mainC));
    QStringList steps;
    MainHooks &hooks = app->context().hooks;
    hooks.hideSubLists = [&] { steps << QStringLiteral("hideSubLists"); };
    hooks.setTrigStatus = [&] { steps << QStringLiteral("setTrigStatus ") + form().vobTagTxt->text(); };
    hooks.doMakeGroupAttype = [&](const QString &tag) { steps << QStringLiteral("doMakeGroupAttype ") + tag; };
    form().zanList[1]->addItem(QStringLiteral("stale user"));

    click(root);
    EXPECT_EQ(steps, (QStringList{QStringLiteral("hideSubLists"), QStringLiteral("setTrigStatus \\proj"),
                                  QStringLiteral("doMakeGroupAttype \\proj")}));
    EXPECT_EQ(form().zanList[1]->count(), 0);

    steps.clear();
    int selectedRow = -1;
    QObject::connect(form().zanList[0], &QListWidget::currentRowChanged, [&](int row) { selectedRow = row; });
    click(mainC);
    EXPECT_TRUE(steps.filter(QStringLiteral("VOB")).isEmpty() && steps.filter(QStringLiteral("Attype")).isEmpty());
    EXPECT_EQ(entries(form().zanList[0]), QStringList{QStringLiteral("checkout")});
    EXPECT_EQ(selectedRow, 0);
}

TEST_F(ElementTreeTest, UcmProjectVobIsRefusedAndTheCurrentVobStays)
{
    click(openNode(projRoot));
    const QString rootText = form().vobRootTxt->text();
    const QString elementText = form().selectedElemTxt->text();
    prompter.clear();

    QTreeWidgetItem *pvob = openNode(bobView + QStringLiteral("\\proj_pvob"));
    click(pvob);
    EXPECT_EQ(prompter.count(), 1);
    expectLastMessage(QStringLiteral("Current beta version of Zan Utility\r\ndoes not yet support UCM Project VOB.\r\n\r\n"
                                     "UCM will be supported in a future release"),
                      QStringLiteral("UCM Project VOB...."), Prompter::Icon::Exclamation);
    EXPECT_TRUE(MainWindow::isShown(form().ucmVobImage) && MainWindow::isShown(form().ucmVobLbl));
    EXPECT_EQ(form().vobTagTxt->text(), QStringLiteral("\\proj"));
    EXPECT_EQ(form().vobRootTxt->text(), rootText);
    EXPECT_EQ(form().selectedElemTxt->text(), elementText);
    EXPECT_EQ(form().zanCurSettingLbl->text(), QStringLiteral("Element: proj_pvob"));
    EXPECT_EQ(pvob->childCount(), 0);
    EXPECT_EQ(form().statusPanel->text(), QStringLiteral("Status"));
    EXPECT_FALSE(form().projList->isEnabled() || form().streamsList->isEnabled());

    // The next ordinary VOB hides the indicator again.
    click(openNode(bobView + QStringLiteral("\\tools")));
    EXPECT_EQ(form().vobTagTxt->text(), QStringLiteral("\\tools"));
    EXPECT_FALSE(MainWindow::isShown(form().ucmVobImage));
}

TEST_F(ElementTreeTest, CheckingIsRefusedBeforeAVobAndForDrives)
{
    QTreeWidgetItem *view = openNode(bobView);
    setCheck(view, true);
    EXPECT_EQ(prompter.count(), 1);
    expectLastMessage(QStringLiteral("You must first select a VOB"), QStringLiteral("VOB Not Selected"), Prompter::Icon::Exclamation);
    EXPECT_EQ(view->checkState(0), Qt::Unchecked);
    {
        QSignalBlocker quiet(form().tTreeList); // a mark the user could have set earlier
        view->setCheckState(0, Qt::Checked);
        view->setData(0, TreeNode::KnownCheckRole, int(Qt::Checked));
    }
    setCheck(view, false);
    EXPECT_EQ(prompter.count(), 1); // unchecking says nothing

    click(openNode(projRoot));
    QTreeWidgetItem *drive = openNode(QStringLiteral("m:"));
    setCheck(drive, true);
    EXPECT_EQ(drive->checkState(0), Qt::Unchecked);
    EXPECT_EQ(form().selectedList->count(), 0);
    EXPECT_EQ(form().statusPanel->text(), QStringLiteral("Total Count: 0"));
}

TEST_F(ElementTreeTest, CheckingADirectoryListsItFirstThenItsSubtreeAndUncheckingRemovesThem)
{
    click(openNode(projRoot));
    QTreeWidgetItem *src = openNode(inProj(SandboxSeed::srcDir));
    QStringList seen; // the status text each time the walk lets events run
    platform.everyProcessEvents = [&] { seen << form().statusPanel->text(); };
    setCheck(src, true);
    const QStringList expected{inProj(QStringLiteral("src")), inProj(QStringLiteral("src\\include")),
                               inProj(QStringLiteral("src\\include\\util.h")), inProj(QStringLiteral("src\\main.c")),
                               inProj(QStringLiteral("src\\private.tmp")), inProj(QStringLiteral("src\\util.c"))};
    EXPECT_EQ(entries(form().selectedList), expected);
    EXPECT_EQ(checkedNodes(), expected);
    EXPECT_EQ(seen, (QStringList{QStringLiteral("Selecting Folder --> ") + expected[0], QStringLiteral("Selecting Folder --> ") + expected[1],
                                 QStringLiteral("Selecting --> ") + expected[2], QStringLiteral("Selecting --> ") + expected[3],
                                 QStringLiteral("Selecting --> ") + expected[4]}));
    EXPECT_EQ(form().statusPanel->text(), QStringLiteral("Total Count: 6"));
    EXPECT_EQ(form().applyAllCheckedBut->toolTip(),
              QStringLiteral("Apply access control to all selcted elements/artifacts.  Total selected: 6"));
    EXPECT_EQ(src->foreground(0).color(), QColor(0, 0, 255));
    EXPECT_TRUE(src->isExpanded() && MainWindow::isShown(form().tTreeList));
    EXPECT_FALSE(platform.hourglass);
    expectCheckedButtons(true);

    seen.clear();
    setCheck(src, false);
    EXPECT_EQ(form().selectedList->count(), 0);
    EXPECT_TRUE(checkedNodes().isEmpty());
    EXPECT_EQ(seen.first(), QStringLiteral("Un-Selecting Folder --> ") + expected[0]);
    EXPECT_EQ(seen.last(), QStringLiteral("Un-Selecting --> ") + expected[4]);
    EXPECT_EQ(form().statusPanel->text(), QStringLiteral("Total Count: 0"));
    EXPECT_EQ(src->child(0)->foreground(0).color(), QColor(Qt::black));
    expectCheckedButtons(false);
    EXPECT_TRUE(prompter.records.isEmpty());

    // A file checked before its directory is listed once.
    QTreeWidgetItem *readme = openNode(inProj(SandboxSeed::readmeTxt));
    setCheck(readme, true);
    setCheck(readme->parent(), true);
    EXPECT_EQ(entries(form().selectedList), (QStringList{inProj(SandboxSeed::readmeTxt), inProj(SandboxSeed::docsDir)}));
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
    setCheck(openNode(inProj(SandboxSeed::docsDir)), true);
    const QStringList listed = entries(form().selectedList);

    form().checkAll->click();
    for (QTreeWidgetItemIterator it(form().tTreeList); *it; ++it)
        EXPECT_EQ((*it)->checkState(0), TreeNode::isDrive(*it) ? Qt::Unchecked : Qt::Checked);
    form().checkAll->click();
    EXPECT_TRUE(checkedNodes().isEmpty());
    EXPECT_EQ(entries(form().selectedList), listed);

    form().checkAll->click();
    form().butClearAll->click();
    EXPECT_TRUE(checkedNodes().isEmpty());
    EXPECT_EQ(form().selectedList->count(), 0);
    expectCheckedButtons(false);
    EXPECT_TRUE(tree().checkAllFlag()); // not reset by "Uncheck All"
    EXPECT_TRUE(prompter.records.isEmpty());
}

TEST_F(ElementTreeTest, FailuresAreReportedInTheirOwnForms)
{
    EXPECT_TRUE(tree().getVobTagFromNode(QStringLiteral("m:\\bob_dev")).isEmpty());
    expectLastMessage(QStringLiteral("Error:Subscript out of range\r\ngetVobTagFromNode()"), QStringLiteral("Error..."),
                      Prompter::Icon::Critical);

    app->context().hooks.hideSubLists = [] { throw ZanError(ZanError::General, QStringLiteral("test"), QStringLiteral("broken")); };
    click(openNode(bobView));
    EXPECT_EQ(prompter.count(), 2);
    expectLastMessage(QStringLiteral("Error:broken\r\ntTreeList()"), QStringLiteral("Error..."), Prompter::Icon::Critical);
    EXPECT_EQ(form().statusPanel->text(), QStringLiteral("Status"));

    // A directory that vanished from disk cannot be listed.
    app->context().hooks.hideSubLists = [] {};
    QTreeWidgetItem *docs = openNode(inProj(SandboxSeed::docsDir));
    ASSERT_TRUE(QDir(sandbox.store().vobFolder(SandboxSeed::projVob) + QStringLiteral("/docs")).removeRecursively());
    prompter.clear();
    click(docs);
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_TRUE(prompter.last().text.startsWith(QStringLiteral("Error:: ")) && prompter.last().text.endsWith(QStringLiteral("\r\n")));
    EXPECT_EQ(prompter.last().title, QStringLiteral("Zan Utility"));
    EXPECT_EQ(prompter.last().icon, Prompter::Icon::None);
}

TEST_F(ElementTreeTest, TriggerTabShowsTheCurrentVobAndUcmControlsStayOff)
{
    click(openNode(projRoot));
    form().trigLbl[0]->clear();
    form().mainTabStrip->setCurrentIndex(2);
    EXPECT_EQ(form().trigLbl[0]->text(), QStringLiteral("Trigger setup for VOB: \\proj"));

    form().streamSubList->addItem(QStringLiteral("stream"));
    for (int i = 6; i <= 9; ++i)
        form().zanBut[i]->setEnabled(true);
    app->context().hooks.setUcmMode(false);
    EXPECT_EQ(form().streamSubList->count(), 0);
    for (int i = 6; i <= 9; ++i)
        EXPECT_FALSE(form().zanBut[i]->isEnabled()) << i;
    EXPECT_FALSE(form().projList->isEnabled() || form().streamsList->isEnabled());
}
