#pragma once

#include <QHash>
#include <QIcon>
#include <QString>
#include <QStringList>

class QListWidget;
class QTreeWidgetItem;
struct MainContext;

// Fills the element tree from directory listings: the drive roots (mode 5) and the
// children of one node (mode 1). Both the view list and the element tree use it.
class TreePopulator
{
public:
    explicit TreePopulator(MainContext &context);

    // populateTree: reports its own failure ("Error:: " + description) and stops the fill;
    // the nodes added so far stay.
    void populateTree(int mode, const QString &filter, bool clearFirst, QTreeWidgetItem *parent);

    // Empties the list, then fills it with the platform's entries for the pattern and mode.
    // Returns the entries as listed.
    QStringList fillDirList(QListWidget *list, const QString &pattern, int mode);

    // Adds one node as the last child of the parent; its tag (kind) is the image name.
    QTreeWidgetItem *addChildNode(QTreeWidgetItem *parent, const QString &key, const QString &text,
                                  const QString &image);

private:
    void addDriveRoots(const QString &filter);
    void addViewRoot();
    void addChildren(QTreeWidgetItem *parent);
    QTreeWidgetItem *makeNode(const QString &key, const QString &text, const QString &kind);
    const QIcon &icon(const QString &kind);

    MainContext &m_ctx;
    QHash<QString, QIcon> m_icons;
};
