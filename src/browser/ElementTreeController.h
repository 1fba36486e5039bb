#pragma once

#include "browser/CheckedElementIndex.h"
#include "browser/TreePopulator.h"

#include <QObject>
#include <QString>
#include <Qt>

class QTreeWidgetItem;
struct MainContext;

// The element tree: selecting a node (current VOB and element), checking nodes into the
// checked-element list, "Check All"/"Uncheck All", the UCM project VOB refusal and the tab
// strip. Checked elements are all unchecked when the working state says so.
class ElementTreeController : public QObject
{
    Q_OBJECT

public:
    explicit ElementTreeController(MainContext &context);

    void nodeClick(QTreeWidgetItem *node);
    void nodeCheck(QTreeWidgetItem *node);
    void checkSubtree(QTreeWidgetItem *node, bool checked);
    void updateCheckedButtons();
    void clearAllChecked();
    void setAllNodesChecked(bool checked);
    void checkAllClick();
    void clearAllClick();
    void tabClick(int index);

    // True when the VOB is a UCM project VOB and was refused (message and indicator shown).
    bool checkUcmProjectVob(const QString &vobTag);
    QString getVobTagFromNode(const QString &path);

    void populateTree(int mode, const QString &filter, bool clearFirst, QTreeWidgetItem *parent);

    CheckedElementIndex &checkedElements() { return m_checked; }
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
    void forgetPressedNode();

    MainContext &m_ctx;
    TreePopulator m_populator;
    CheckedElementIndex m_checked;
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
