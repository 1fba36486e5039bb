// Real mouse clicks on the tree: a click on a node's check box checks it without
// selecting the node; a click on its text selects it.
#include "BrowserFixture.h"

class TreeMouseTest : public BrowserFixture
{
protected:
    void SetUp() override
    {
        BrowserFixture::SetUp();
        selectView(SandboxSeed::bobDev);
        prompter.clear();
    }

    // Clicks a node's check box, or its text.
    void clickOn(QTreeWidgetItem *node, bool checkBox)
    {
        const QRect rect = form().tTreeList->visualItemRect(node);
        mouseClick(form().tTreeList->viewport(), QPoint(checkBox ? rect.left() + 8 : rect.right() - 4, rect.center().y()));
    }
};

TEST_F(TreeMouseTest, CheckBoxClickChecksWithoutSelectingTheNode)
{
    QTreeWidgetItem *view = openNode(bobView);
    form().tTreeList->expandAll();
    ASSERT_FALSE(form().tTreeList->visualItemRect(view).isEmpty());

    clickOn(view, true);
    EXPECT_EQ(prompter.texts(), QStringList{"You must first select a VOB"});
    EXPECT_EQ(view->checkState(0), Qt::Unchecked);

    QTreeWidgetItem *root = openNode(projRoot);
    form().tTreeList->expandAll();
    clickOn(root, false);
    EXPECT_EQ(form().vobTagTxt->text(), vobTag);
    EXPECT_EQ(form().zanCurSettingLbl->text(), "VOB Root: " + vobTag);

    QTreeWidgetItem *docs = openNode(inProj(SandboxSeed::docsDir));
    click(root);
    form().tTreeList->expandAll();
    clickOn(docs, true);
    EXPECT_EQ(docs->checkState(0), Qt::Checked);
    EXPECT_EQ(form().selectedList->item(0)->text(), inProj(SandboxSeed::docsDir));
    EXPECT_EQ(form().zanCurSettingLbl->text(), "VOB Root: " + vobTag);

    // A second click on the text of the current node selects it again.
    clickOn(docs, false);
    EXPECT_EQ(form().zanCurSettingLbl->text(), "Element: docs");
    form().zanCurSettingLbl->clear();
    clickOn(docs, false);
    EXPECT_EQ(form().zanCurSettingLbl->text(), "Element: docs");
    EXPECT_EQ(docs->checkState(0), Qt::Checked);
}
