// Real mouse clicks on the tree: a click on a node's check box checks it without
// selecting the node; a click on its text selects it.
#include "BrowserFixture.h"

#include <QApplication>
#include <QMouseEvent>

namespace {

void mouseClick(QWidget *viewport, QPoint pos)
{
    const QPointF local(pos);
    const QPointF global(viewport->mapToGlobal(pos));
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &release);
    QCoreApplication::processEvents();
}

} // namespace

class TreeMouseTest : public BrowserFixture
{
protected:
    void SetUp() override
    {
        BrowserFixture::SetUp();
        form().show();
        selectView(SandboxSeed::bobDev);
        prompter.clear();
    }
    void TearDown() override { form().hide(); }

    QPoint checkBoxOf(QTreeWidgetItem *node)
    {
        const QRect rect = form().tTreeList->visualItemRect(node);
        return QPoint(rect.left() + 8, rect.center().y());
    }
    QPoint textOf(QTreeWidgetItem *node)
    {
        const QRect rect = form().tTreeList->visualItemRect(node);
        return QPoint(rect.right() - 4, rect.center().y());
    }
};

TEST_F(TreeMouseTest, CheckBoxClickChecksWithoutSelectingTheNode)
{
    QTreeWidgetItem *view = openNode(bobView);
    form().tTreeList->expandAll();
    ASSERT_FALSE(form().tTreeList->visualItemRect(view).isEmpty());

    mouseClick(form().tTreeList->viewport(), checkBoxOf(view));
    EXPECT_EQ(prompter.texts(), QStringList{QStringLiteral("You must first select a VOB")});
    EXPECT_EQ(view->checkState(0), Qt::Unchecked);

    QTreeWidgetItem *root = openNode(projRoot);
    form().tTreeList->expandAll();
    mouseClick(form().tTreeList->viewport(), textOf(root));
    EXPECT_EQ(form().vobTagTxt->text(), QStringLiteral("\\proj"));
    EXPECT_EQ(form().zanCurSettingLbl->text(), QStringLiteral("VOB Root: \\proj"));

    QTreeWidgetItem *docs = openNode(inProj(SandboxSeed::docsDir));
    form().tTreeList->setCurrentItem(root);
    form().tTreeList->expandAll();
    mouseClick(form().tTreeList->viewport(), checkBoxOf(docs));
    EXPECT_EQ(docs->checkState(0), Qt::Checked);
    EXPECT_EQ(form().selectedList->item(0)->text(), inProj(SandboxSeed::docsDir));
    EXPECT_EQ(form().zanCurSettingLbl->text(), QStringLiteral("VOB Root: \\proj"));

    // A second click on the text of the current node selects it again.
    mouseClick(form().tTreeList->viewport(), textOf(docs));
    EXPECT_EQ(form().zanCurSettingLbl->text(), QStringLiteral("Element: docs"));
    form().zanCurSettingLbl->clear();
    mouseClick(form().tTreeList->viewport(), textOf(docs));
    EXPECT_EQ(form().zanCurSettingLbl->text(), QStringLiteral("Element: docs"));
    EXPECT_EQ(docs->checkState(0), Qt::Checked);
}
