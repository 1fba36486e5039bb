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

    void clickCheckBox(QTreeWidgetItem *node)
    {
        const QRect rect = form().tTreeList->visualItemRect(node);
        mouseClick(form().tTreeList->viewport(), QPoint(rect.left() + 8, rect.center().y()));
    }
};

TEST_F(TreeMouseTest, CheckBoxClickChecksWithoutSelectingTheNode)
{
    QTreeWidgetItem *view = openNode(bobView);
    form().tTreeList->expandAll();
    ASSERT_FALSE(form().tTreeList->visualItemRect(view).isEmpty());

    clickCheckBox(view);
    EXPECT_EQ(prompter.texts(), QStringList{"You must first select a VOB"});
    EXPECT_EQ(view->checkState(0), Qt::Unchecked);

    QTreeWidgetItem *root = openNode(projRoot);
    click(root);
    EXPECT_EQ(form().vobTagTxt->text(), vobTag);
    EXPECT_EQ(form().zanCurSettingLbl->text(), "VOB Root: " + vobTag);

    QTreeWidgetItem *docs = openNode(inProj(SandboxSeed::docsDir));
    click(root);
    form().tTreeList->expandAll();
    clickCheckBox(docs);
    EXPECT_EQ(docs->checkState(0), Qt::Checked);
    EXPECT_EQ(form().selectedList->item(0)->text(), inProj(SandboxSeed::docsDir));
    EXPECT_EQ(form().zanCurSettingLbl->text(), "VOB Root: " + vobTag);

    // A second click on the text of the current node selects it again.
    click(docs);
    EXPECT_EQ(form().zanCurSettingLbl->text(), "Element: docs");
    form().zanCurSettingLbl->clear();
    click(docs);
    EXPECT_EQ(form().zanCurSettingLbl->text(), "Element: docs");
    EXPECT_EQ(docs->checkState(0), Qt::Checked);
}
