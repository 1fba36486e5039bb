#include "browser/TreeNode.h"

#include <QStringList>
#include <QTreeWidgetItem>

QString TreeNode::kind(const QTreeWidgetItem *node)
{
    return node->data(0, KindRole).toString();
}

QString TreeNode::key(const QTreeWidgetItem *node)
{
    return node->data(0, KeyRole).toString();
}

bool TreeNode::isDrive(const QTreeWidgetItem *node)
{
    return kind(node) == QLatin1String("drive");
}

QString TreeNode::fullPath(const QTreeWidgetItem *node, QChar separator)
{
    QStringList texts;
    for (const QTreeWidgetItem *n = node; n; n = n->parent())
        texts.prepend(n->text(0));
    return texts.join(separator);
}

QString TreeNode::absPath(const QTreeWidgetItem *node, QChar separator)
{
    if (!node || isDrive(node))
        return QString();
    return fullPath(node, separator);
}
