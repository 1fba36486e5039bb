// Node clicks, the UCM project VOB refusal, the skipped names, checking subtrees into the
// checked-element list, "Check All"/"Uncheck All", the tab strip and real clicks on check boxes.
#include "BrowserFixture.h"
#include "shell/WorkingState.h"

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
                paths << TreeNode::fullPath(*it, sep().at(0));
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

// What each node click leaves in the controls: only elements set the current VOB and element.
TEST_F(ElementTreeTest, NodeClicksSetTheCurrentVobOnlyForElements)
{
    sandbox.store().addElement(vobTag, "src/proj", true);
    ASSERT_TRUE(QDir().mkpath(sandbox.store().vobFolder(vobTag) + "/src/proj"));
    QTreeWidgetItem *drive = openNode(treeRoot);
    click(drive);
    EXPECT_TRUE(childTexts(drive).contains(SandboxSeed::bobDev));
    EXPECT_FALSE(childTexts(drive).contains(SandboxSeed::teamBobInt)); // not started
    const struct {
        QString node, vobTag, vobRoot, current, element, basedOn;
    } clicks[] = {
        {bobView, "<UNDEF>", "UNDEFINED", "Element: <UNDEF>", "", "<UNDEF>"},
        {projRoot, vobTag, projRoot, "VOB Root: " + vobTag, projRoot + sep() + ".", "proj"},
        {inProj(SandboxSeed::mainC), vobTag, projRoot, "Element: main.c", inProj(SandboxSeed::mainC), "main.c"},
        // A view-private file is no element: the current VOB stays.
        {inProj(SandboxSeed::privateFile), vobTag, projRoot, "Element: <UNDEF>", "", "<UNDEF>"},
        // A folder named like its VOB is an ordinary element.
        {inProj("src\\proj"), vobTag, projRoot, "Element: proj", inProj("src\\proj"), "proj"},
    };
    for (const auto &c : clicks) {
        SCOPED_TRACE(c.node.toStdString());
        click(openNode(c.node));
        EXPECT_EQ(form().vobTagTxt->text(), c.vobTag);
        EXPECT_EQ(form().vobRootTxt->text(), c.vobRoot);
        EXPECT_EQ(form().zanCurSettingLbl->text(), c.current);
        EXPECT_EQ(form().selectedElemTxt->text(), c.element);
        EXPECT_EQ(form().zanLbl[3]->text(), "Apply to all checked based on:  " + c.basedOn);
        EXPECT_EQ(form().trigLbl[0]->text(), "Trigger setup for VOB: " + (c.element.isEmpty() ? "<UNDEF>" : c.vobTag));
        if (!c.element.isEmpty()) {
            EXPECT_EQ(form().zanLbl[3]->toolTip(), form().zanLbl[3]->text());
        }
    }
    EXPECT_EQ(childTexts(openNode(vobsFolder)), (QStringList{"proj", "proj_pvob", "tools"}));
    EXPECT_EQ(openNode(inProj(SandboxSeed::mainC))->childCount(), 0);
    EXPECT_EQ(form().statusPanel->text(), "Status");
    EXPECT_TRUE(prompter.records.isEmpty());

    // Children are listed once per tree build (which entries become children is the listing rules' table's).
    QTreeWidgetItem *root = openNode(projRoot);
    const QStringList children = childTexts(root);
    EXPECT_TRUE(children.contains("dir with blanks"));
    click(root);
    EXPECT_EQ(root->childCount(), children.size());
}

// A VOB root click refreshes the trigger status (the trigger tab names the VOB), makes the groups type (once) and
// empties the users; an element click loads the element's operations and selects the first, whose users it lists.
TEST_F(ElementTreeTest, ClicksLoadTheSettingsOfTheElement)
{
    sandbox.store().addAttributeType(vobTag, {"__checkout", 8, QString(), {}});
    sandbox.store().attachAttribute(vobTag, "src/main.c", "__checkout", "bob", QString(), false);
    QTreeWidgetItem *root = openNode(projRoot);
    ASSERT_FALSE(sandbox.store().hasAttributeType(vobTag, "QX_GROUPS"));
    int statusRefreshes = 0;
    QObject::connect(&app->state(), &WorkingState::vobRootSelected, [&] { ++statusRefreshes; }); // the trigger tab follows
    app->state().setUsers({"stale user"});
    click(root);
    click(root);
    EXPECT_EQ(statusRefreshes, 2);
    QStringList comments;
    for (const auto &type : sandbox.store().attributeTypes(vobTag)) {
        if (type.name == "QX_GROUPS")
            comments << type.comment;
    }
    ASSERT_EQ(comments.size(), 1);
    EXPECT_TRUE(comments[0].startsWith("Created by VuVoziruv Evarori on ") && comments[0].endsWith(" * * DO NOT DELETE * *"));
    EXPECT_TRUE(prompter.records.isEmpty());
    EXPECT_EQ(form().zanList[1]->count(), 0);
    form().trigLbl[0]->clear();
    clickTab(form().mainTabStrip, 2);
    EXPECT_EQ(form().trigLbl[0]->text(), "Trigger setup for VOB: " + vobTag);
    click(openNode(inProj(SandboxSeed::mainC)));
    EXPECT_EQ(entries(form().zanList[0]), QStringList{"checkout"});
    EXPECT_EQ(form().zanList[0]->currentRow(), 0);
    EXPECT_EQ(entries(form().zanList[1]), QStringList{"bob"});
}

TEST_F(ElementTreeTest, UcmProjectVobIsRefusedAndTheCurrentVobStays)
{
    click(openNode(projRoot));
    const QString elementText = form().selectedElemTxt->text();
    prompter.clear();

    QTreeWidgetItem *pvob = openNode(vobsFolder + sep() + "proj_pvob");
    click(pvob);
    EXPECT_EQ(prompter.count(), 1);
    expectLastMessage("Current beta version of Zan Utility\r\ndoes not yet support UCM Project VOB.\r\n\r\n"
                      "UCM will be supported in a future release",
                      "UCM Project VOB....", Prompter::Icon::Exclamation);
    EXPECT_TRUE(MainWindow::isShown(form().ucmVobImage) && MainWindow::isShown(form().ucmVobLbl));
    EXPECT_EQ(form().vobTagTxt->text(), vobTag);
    EXPECT_EQ(form().vobRootTxt->text(), projRoot);
    EXPECT_EQ(form().selectedElemTxt->text(), elementText);
    EXPECT_EQ(form().zanCurSettingLbl->text(), "Element: proj_pvob");
    EXPECT_EQ(pvob->childCount(), 0);
    EXPECT_EQ(form().statusPanel->text(), "Status");
    // Restrictions by project or stream are not offered.
    EXPECT_FALSE(form().projList->isEnabled() || form().streamsList->isEnabled());
    for (int i = 6; i <= 9; ++i)
        EXPECT_FALSE(form().zanBut[i]->isEnabled()) << i;

    // The next ordinary VOB hides the indicator again.
    click(openNode(vobsFolder + sep() + "tools"));
    EXPECT_EQ(form().vobTagTxt->text(), tagOf(SandboxSeed::toolsVob));
    EXPECT_FALSE(MainWindow::isShown(form().ucmVobImage));
}

TEST_F(ElementTreeTest, CheckingIsRefusedBeforeAVobAndForDrives)
{
    QTreeWidgetItem *view = openNode(bobView);
    setCheck(view, true);
    EXPECT_EQ(prompter.count(), 1);
    expectLastMessage("You must first select a VOB", "VOB Not Selected", Prompter::Icon::Exclamation);
    EXPECT_EQ(view->checkState(0), Qt::Unchecked);
    {
        QSignalBlocker quiet(form().tTreeList); // a mark the user could have set earlier
        view->setCheckState(0, Qt::Checked);
        view->setData(0, TreeNode::KnownCheckRole, int(Qt::Checked));
    }
    setCheck(view, false);
    EXPECT_EQ(prompter.count(), 1); // unchecking says nothing

    click(openNode(projRoot));
    QTreeWidgetItem *drive = openNode(treeRoot);
    setCheck(drive, true);
    EXPECT_EQ(drive->checkState(0), Qt::Unchecked);
    EXPECT_EQ(form().selectedList->count(), 0);
    EXPECT_EQ(form().statusPanel->text(), "Total Count: 0");
}

TEST_F(ElementTreeTest, CheckingADirectoryListsItFirstThenItsSubtreeAndUncheckingRemovesThem)
{
    click(openNode(projRoot));
    QTreeWidgetItem *src = openNode(inProj(SandboxSeed::srcDir));
    QStringList seen; // the status text each time the walk lets events run
    platform.everyProcessEvents = [&] { seen << form().statusPanel->text(); };
    setCheck(src, true);
    const QStringList expected{inProj("src"), inProj("src\\include"), inProj("src\\include\\util.h"), inProj("src\\main.c"),
                               inProj("src\\private.tmp"), inProj("src\\util.c")};
    EXPECT_EQ(entries(form().selectedList), expected);
    EXPECT_EQ(checkedNodes(), expected);
    EXPECT_EQ(seen, (QStringList{"Selecting Folder --> " + expected[0], "Selecting Folder --> " + expected[1],
                                 "Selecting --> " + expected[2], "Selecting --> " + expected[3], "Selecting --> " + expected[4]}));
    EXPECT_EQ(form().statusPanel->text(), "Total Count: 6");
    EXPECT_EQ(form().applyAllCheckedBut->toolTip(), "Apply access control to all selcted elements/artifacts.  Total selected: 6");
    EXPECT_EQ(src->foreground(0).color(), QColor(0, 0, 255));
    EXPECT_TRUE(src->isExpanded() && MainWindow::isShown(form().tTreeList));
    EXPECT_FALSE(platform.hourglass);
    expectCheckedButtons(true);

    seen.clear();
    setCheck(src, false);
    EXPECT_EQ(form().selectedList->count(), 0);
    EXPECT_TRUE(checkedNodes().isEmpty());
    EXPECT_EQ(seen.first(), "Un-Selecting Folder --> " + expected[0]);
    EXPECT_EQ(seen.last(), "Un-Selecting --> " + expected[4]);
    EXPECT_EQ(form().statusPanel->text(), "Total Count: 0");
    EXPECT_EQ(src->child(0)->foreground(0).color(), QColor(Qt::black));
    expectCheckedButtons(false);
    EXPECT_TRUE(prompter.records.isEmpty());
}

TEST_F(ElementTreeTest, TreeRebuiltDuringAWalkStopsTheWalkSafely)
{
    click(openNode(projRoot));
    QTreeWidgetItem *src = openNode(inProj(SandboxSeed::srcDir));
    platform.onProcessEvents = [&] { clickButton(form().refreshBut); };
    setCheck(src, true);
    EXPECT_EQ(rootTexts(), QStringList{treeRoot});
    EXPECT_TRUE(MainWindow::isShown(form().tTreeList));
    EXPECT_LE(form().selectedList->count(), 1);
}

TEST_F(ElementTreeTest, CheckAllFlipsMarksOnlyAndUncheckAllClearsEverything)
{
    click(openNode(projRoot));
    setCheck(openNode(inProj(SandboxSeed::docsDir)), true);
    const QStringList listed = entries(form().selectedList);

    clickButton(form().checkAll);
    for (QTreeWidgetItemIterator it(form().tTreeList); *it; ++it)
        EXPECT_EQ((*it)->checkState(0), TreeNode::isDrive(*it) ? Qt::Unchecked : Qt::Checked);
    clickButton(form().checkAll);
    EXPECT_TRUE(checkedNodes().isEmpty());
    EXPECT_EQ(entries(form().selectedList), listed);

    clickButton(form().checkAll);
    clickButton(form().butClearAll);
    EXPECT_TRUE(checkedNodes().isEmpty());
    EXPECT_EQ(form().selectedList->count(), 0);
    expectCheckedButtons(false);
    EXPECT_TRUE(tree().checkAllFlag()); // not reset by "Uncheck All"
    EXPECT_TRUE(prompter.records.isEmpty());
}

TEST_F(ElementTreeTest, FailuresAreReportedInTheirOwnForms)
{
    // A view without a VOB part: an old subscript report on Windows, simply no tag on a UNIX site.
    EXPECT_TRUE(tree().getVobTagFromNode(bobView).isEmpty());
    if (!unixSite())
        expectLastMessage("Error:Subscript out of range\r\ngetVobTagFromNode()", "Error...", Prompter::Icon::Critical);
    const int before = prompter.count();

    // A step of the click fails.
    const QMetaObject::Connection failing = QObject::connect(
        &app->state(), &WorkingState::vobRootSelected, [] { throw ZanError(ZanError::General, "test", "broken"); });
    click(openNode(projRoot));
    EXPECT_EQ(prompter.count(), before + 1);
    expectLastMessage("Error:broken\r\ntTreeList()", "Error...", Prompter::Icon::Critical);
    EXPECT_EQ(form().statusPanel->text(), "Status");
    QObject::disconnect(failing);

    // A directory that vanished from disk cannot be listed.
    QTreeWidgetItem *docs = openNode(inProj(SandboxSeed::docsDir));
    ASSERT_TRUE(QDir(sandbox.store().vobFolder(vobTag) + "/docs").removeRecursively());
    prompter.clear();
    click(docs);
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_TRUE(prompter.last().text.startsWith("Error:: ") && prompter.last().text.endsWith("\r\n"));
    EXPECT_EQ(prompter.last().title, "Zan Utility");
    EXPECT_EQ(prompter.last().icon, Prompter::Icon::None);
}

// A real click on a node's check box checks it without selecting the node; a click on its
// text selects it, also a second time.
TEST_F(ElementTreeTest, CheckBoxClickChecksWithoutSelectingTheNode)
{
    QTreeWidgetItem *root = openNode(projRoot);
    click(root);
    QTreeWidgetItem *docs = openNode(inProj(SandboxSeed::docsDir));
    click(root);
    form().tTreeList->expandAll();
    clickCheckBox(docs);
    EXPECT_EQ(docs->checkState(0), Qt::Checked);
    EXPECT_EQ(form().selectedList->item(0)->text(), inProj(SandboxSeed::docsDir));
    EXPECT_EQ(form().zanCurSettingLbl->text(), "VOB Root: " + vobTag);

    click(docs);
    EXPECT_EQ(form().zanCurSettingLbl->text(), "Element: docs");
    form().zanCurSettingLbl->clear();
    click(docs);
    EXPECT_EQ(form().zanCurSettingLbl->text(), "Element: docs");
    EXPECT_EQ(docs->checkState(0), Qt::Checked);
}
