#pragma once

#include "support/AppFixture.h"
#include "support/MouseClicks.h"

#include "browser/ElementTreeController.h"
#include "browser/TreeNode.h"
#include "browser/ViewsController.h"

#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

// The program with helpers to walk the element tree as the user does.
class BrowserFixture : public AppFixture
{
protected:
    ElementTreeController &tree() { return controller<ElementTreeController>(); }
    ViewsController &views() { return controller<ViewsController>(); }
    void SetUp() override
    {
        AppFixture::SetUp();
        form().show();
    }
    void TearDown() override { form().hide(); }

    // Puts the view into the list and clicks it.
    void selectView(const QString &tag)
    {
        form().mainList->addItem(tag);
        clickRow(form().mainList, form().mainList->count() - 1);
    }

    QStringList rootTexts() { return childTexts(form().tTreeList->invisibleRootItem()); }
    static QStringList childTexts(const QTreeWidgetItem *node)
    {
        QStringList texts;
        for (int i = 0; i < node->childCount(); ++i)
            texts << node->child(i)->text(0);
        return texts;
    }

    // Finds a node by its path, clicking each node on the way so that its children load.
    QTreeWidgetItem *openNode(const QString &path)
    {
        if (!path.startsWith(treeRoot))
            return nullptr;
        QStringList parts{treeRoot};
        if (path.size() > treeRoot.size())
            parts << path.mid(treeRoot.size() + 1).split(sep());
        QTreeWidgetItem *node = form().tTreeList->invisibleRootItem();
        for (int p = 0; node && p < parts.size(); ++p) {
            if (p > 0 && node->childCount() == 0)
                click(node);
            QTreeWidgetItem *next = nullptr;
            for (int i = 0; i < node->childCount() && !next; ++i) {
                if (node->child(i)->text(0) == parts[p])
                    next = node->child(i);
            }
            node = next;
        }
        return node;
    }

    // A click on the node's text; its folders are opened first, as the user does to reach it.
    void click(QTreeWidgetItem *node) { clickAt(node, false); }
    // A click on the node's check box, which checks or clears it without selecting the node.
    void clickCheckBox(QTreeWidgetItem *node) { clickAt(node, true); }
    // The user ticking or clearing a check box: a click on it unless it already shows that state.
    void setCheck(QTreeWidgetItem *node, bool checked)
    {
        if ((node->checkState(0) == Qt::Checked) != checked)
            clickCheckBox(node);
    }

private:
    void clickAt(QTreeWidgetItem *node, bool onCheckBox)
    {
        ASSERT_NE(node, nullptr);
        for (QTreeWidgetItem *folder = node->parent(); folder; folder = folder->parent())
            folder->setExpanded(true);
        form().tTreeList->scrollToItem(node);
        const QRect rect = form().tTreeList->visualItemRect(node);
        mouseClick(form().tTreeList->viewport(), QPoint(onCheckBox ? rect.left() + 8 : rect.right() - 4, rect.center().y()));
    }

protected:
    // The tree's one root on the site: drive M: or the view root.
    const QString treeRoot = unixSite() ? QStringLiteral("/view") : QStringLiteral("m:");
    const QString bobView = viewPath;
    const QString projRoot = vobRoot;
    // The folder that lists the VOBs of bob_dev.
    const QString vobsFolder = vobRoot.left(vobRoot.lastIndexOf(sep()));
    QString inProj(const QString &relative) const { return projRoot + sep() + sitePath(relative); }
};
