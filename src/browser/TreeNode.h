#pragma once

#include <QString>
#include <Qt>

class QTreeWidgetItem;

// What a node of the element tree carries besides its text: its kind ("drive",
// "folderClosed", "file"; the image key is the same), its key (unique in the tree) and the
// check state the program last knew, which tells a user's check from any other change.
class TreeNode
{
public:
    static constexpr int KindRole = Qt::UserRole;
    static constexpr int KeyRole = Qt::UserRole + 1;
    static constexpr int KnownCheckRole = Qt::UserRole + 2;

    static QString kind(const QTreeWidgetItem *node);
    static QString key(const QTreeWidgetItem *node);
    static bool isDrive(const QTreeWidgetItem *node);

    // The node texts from the root down to the node, joined by the site's separator (a
    // drive gives "m:").
    static QString fullPath(const QTreeWidgetItem *node, QChar separator);
    // getNodeAbsPath: the full path, but "" for a drive node.
    static QString absPath(const QTreeWidgetItem *node, QChar separator);
};
