#pragma once

#include "browser/TreePopulator.h"

#include <QObject>
#include <QString>
#include <Qt>

class QTreeWidgetItem;
struct MainContext;

// The element tree: selecting a node (current VOB and element), checking nodes into the
// working state's checked elements, "Check All"/"Uncheck All", the UCM project VOB refusal
// and the tab strip. The nodes are all unchecked when the state's checked elements are cleared.
class ElementTreeController : public QObject
{
    Q_OBJECT

public:
    explicit ElementTreeController(MainContext &context);

    void nodeClick(QTreeWidgetItem *node);
    void nodeCheck(QTreeWidgetItem *node);
    void checkSubtree(QTreeWidgetItem *node, bool checked);
    void updateCheckedButtons();
    void uncheckAllNodes();
    void setAllNodesChecked(bool checked);
    void checkAllClick();
    void clearAllClick();
    void tabClick(int index);

    // True when the VOB is a UCM project VOB and was refused (message and indicator shown).
    bool checkUcmProjectVob(const QString &vobTag);
    QString getVobTagFromNode(const QString &path);

    void populateTree(int mode, const QString &filter, bool clearFirst, QTreeWidgetItem *parent);

    bool checkAllFlag() const { return m_checkAllFlag; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void currentNodeChanged(QTreeWidgetItem *node);
    void nodeClicked(QTreeWidgetItem *node);
    void nodeChanged(QTreeWidgetItem *node);
    void setNodeChecked(QTreeWidgetItem *node, Qt::CheckState state);
    void setNodeColour(QTreeWidgetItem *node, Qt::GlobalColor colour);
    bool showElementSettings(QTreeWidgetItem *node, const QString &path);
    QStringList operationsOn(const QString &element);
    void forgetPressedNode();

    MainContext &m_ctx;
    TreePopulator m_populator;
    bool m_checkAllFlag = false;
    int m_programChanges = 0;

    // One mouse click selects its node once, and a click on a check box does not select.
    bool m_clickHandled = false;
    bool m_pressToggledCheck = false;
    QTreeWidgetItem *m_pressedNode = nullptr;

    // A walk over a subtree lets window events run; if they rebuild the tree, it stops.
    int m_walkDepth = 0;
    bool m_walkAborted = false;
};
