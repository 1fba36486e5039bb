#include "browser/ElementTreeController.h"

#include "access/AccessSettingsReader.h"
#include "browser/TreeNode.h"
#include "clearcase/CCase.h"
#include "platform/Platform.h"
#include "shell/BusyState.h"
#include "shell/ErrorReporter.h"
#include "shell/MainContext.h"
#include "shell/MainWindow.h"
#include "shell/WorkingState.h"
#include "util/AppInfo.h"
#include "util/ErrorBox.h"
#include "util/Prompter.h"
#include "util/ZanError.h"

#include <QBrush>
#include <QColor>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <utility>

namespace {

const QString kComponent = QStringLiteral("frmMain");

bool noVobSelected(const QString &tag)
{
    return tag.isEmpty() || tag.contains(QLatin1Char('<'));
}

// Removals deferred while a subtree is walked are carried out when the walk ends, however
// it ends.
class RemovalBatch
{
public:
    explicit RemovalBatch(CheckedElements &index) : m_index(index) { m_index.beginBatch(); }
    ~RemovalBatch() { m_index.endBatch(); }
    RemovalBatch(const RemovalBatch &) = delete;
    RemovalBatch &operator=(const RemovalBatch &) = delete;

private:
    CheckedElements &m_index;
};

} // namespace

ElementTreeController::ElementTreeController(MainContext &context)
    : m_ctx(context), m_populator(context)
{
    MainWindow &form = m_ctx.form;
    QTreeWidget *tree = form.tTreeList;
    connect(tree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *current) { currentNodeChanged(current); });
    connect(tree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *node) { nodeClicked(node); });
    connect(tree, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem *node) { nodeChanged(node); });
    connect(tree->model(), &QAbstractItemModel::modelAboutToBeReset, this, &ElementTreeController::forgetPressedNode);
    connect(tree->model(), &QAbstractItemModel::rowsAboutToBeRemoved, this, &ElementTreeController::forgetPressedNode);
    tree->viewport()->installEventFilter(this);
    tree->viewport()->setMouseTracking(true);

    connect(form.checkAll, &QPushButton::clicked, this, &ElementTreeController::checkAllClick);
    connect(form.butClearAll, &QPushButton::clicked, this, &ElementTreeController::clearAllClick);
    connect(form.vobTagTxt, &QLineEdit::textChanged, this, [this](const QString &text) { checkUcmProjectVob(text); });
    connect(form.mainTabStrip, &QTabWidget::currentChanged, this, &ElementTreeController::tabClick);

    connect(&m_ctx.state, &WorkingState::checkedCleared, this, [this] {
        uncheckAllNodes();
        updateCheckedButtons();
    });
}

void ElementTreeController::populateTree(int mode, const QString &filter, bool clearFirst, QTreeWidgetItem *parent)
{
    m_populator.populateTree(mode, filter, clearFirst, parent);
}

// --- Selecting a node -------------------------------------------------------------------

void ElementTreeController::nodeClick(QTreeWidgetItem *node)
{
    MainWindow &form = m_ctx.form;
    try {
        m_ctx.busy.setBusy(true);
        m_ctx.hideSubLists();
        const QString path = TreeNode::absPath(node, m_ctx.state.siteStyle().separator());
        form.userGroupLbl->setText(form.userGroupLbl->property("tag").toString());
        form.trigLbl[0]->setText(QStringLiteral("Trigger setup for VOB: <UNDEF>"));

        if (path.isEmpty() || !m_ctx.ccase.isCCElement(path)) {
            form.zanCurSettingLbl->setText(QStringLiteral("Element: <UNDEF>"));
            form.zanLbl[3]->setText(form.zanLbl[3]->property("tag").toString() + QStringLiteral("<UNDEF>"));
            m_ctx.state.setOperations({});
            m_ctx.state.setUsers({});
            form.selectedElemTxt->setText(QString());
        } else if (!showElementSettings(node, path)) {
            // Refused as part of a UCM project VOB: no children for this click.
            m_ctx.busy.setBusy(false);
            return;
        }
        // A file has nothing to list below it.
        if (node->childCount() == 0 && TreeNode::kind(node) != QLatin1String("file"))
            m_populator.populateTree(1, QString(), false, node);
        m_ctx.busy.setBusy(false);
    } catch (...) {
        const ZanError error = ZanError::current(kComponent);
        m_ctx.prompter.message(QStringLiteral("Error:") + error.description() + AppInfo::crlf + QStringLiteral("tTreeList()"),
                               QStringLiteral("Error..."), Prompter::Icon::Critical);
        m_ctx.busy.setBusy(false);
    }
}

bool ElementTreeController::showElementSettings(QTreeWidgetItem *node, const QString &path)
{
    MainWindow &form = m_ctx.form;
    form.zanCurSettingLbl->setText(QStringLiteral("Element: ") + node->text(0));
    const QString elementCaption = form.zanLbl[3]->property("tag").toString() + node->text(0);
    form.zanLbl[3]->setText(elementCaption);
    form.zanLbl[3]->setToolTip(elementCaption);

    const QString tag = getVobTagFromNode(path);
    if (checkUcmProjectVob(tag))
        return false;
    form.vobTagTxt->setText(tag);
    form.trigLbl[0]->setText(QStringLiteral("Trigger setup for VOB: ") + tag);
    m_ctx.state.setUsers({});
    m_ctx.state.setGroups({});
    form.vobRootTxt->setText(m_ctx.ccase.getVobRootFromElemPath(path, m_ctx.state.siteStyle()));

    const bool vobRoot = m_ctx.state.siteStyle().isVobRoot(path);
    const QString element = vobRoot ? m_ctx.state.siteStyle().vobRootElement(path) : path;
    m_ctx.state.setOperations(operationsOn(element));
    if (vobRoot) {
        form.vobRootTxt->setText(path);
        form.zanCurSettingLbl->setText(QStringLiteral("VOB Root: ") + tag);
    }
    form.selectedElemTxt->setText(element);
    if (vobRoot)
        m_ctx.state.selectVobRoot(tag);
    if (!m_ctx.state.operations().isEmpty())
        m_ctx.state.selectOperation(m_ctx.state.operations().first());
    return true;
}

// The operations the element carries; one that cannot be read lists none.
QStringList ElementTreeController::operationsOn(const QString &element)
{
    try {
        AccessSettingsReader reader(m_ctx.ccase.clearCase());
        return AccessSettingsReader::operationsOn(reader.attributesOf(element));
    } catch (const std::exception &) {
        return {};
    }
}

bool ElementTreeController::checkUcmProjectVob(const QString &vobTag)
{
    try {
        if (noVobSelected(vobTag))
            return false;
        if (!m_ctx.ccase.isUcmProjectVob(vobTag, false)) {
            m_ctx.state.setUcmVob(false);
            return false;
        }
        m_ctx.prompter.message(QStringLiteral("Current beta version of ") + AppInfo::title + AppInfo::crlf
                                   + QStringLiteral("does not yet support UCM Project VOB.") + AppInfo::crlf + AppInfo::crlf
                                   + QStringLiteral("UCM will be supported in a future release"),
                               QStringLiteral("UCM Project VOB...."), Prompter::Icon::Exclamation);
        m_ctx.state.setUcmVob(true);
        return true;
    } catch (...) {
        ErrorBox::showErrorBox(m_ctx.prompter, ZanError::current(kComponent), QStringLiteral("vobTagTxt_Change()"));
        return false;
    }
}

QString ElementTreeController::getVobTagFromNode(const QString &path)
{
    try {
        return m_ctx.state.siteStyle().vobTagOf(path);
    } catch (const std::exception &) {
        const ZanError error = ZanError::current(kComponent);
        m_ctx.prompter.message(QStringLiteral("Error:") + error.description() + AppInfo::crlf + QStringLiteral("getVobTagFromNode()"),
                               QStringLiteral("Error..."), Prompter::Icon::Critical);
        return QString();
    }
}

// --- Checking nodes ---------------------------------------------------------------------

void ElementTreeController::nodeCheck(QTreeWidgetItem *node)
{
    MainWindow &form = m_ctx.form;
    const bool checked = node->checkState(0) == Qt::Checked;
    try {
        const QString tag = form.vobTagTxt->text();
        if (noVobSelected(tag)) {
            if (checked) {
                m_ctx.prompter.message(QStringLiteral("You must first select a VOB"), QStringLiteral("VOB Not Selected"),
                                       Prompter::Icon::Exclamation);
                setNodeChecked(node, Qt::Unchecked);
            }
            return;
        }
        if (checkUcmProjectVob(tag))
            return;

        form.tTreeList->hide();
        m_ctx.platform.setHourglass(true);
        {
            RemovalBatch batch(m_ctx.state.checked());
            m_walkAborted = false;
            ++m_walkDepth;
            checkSubtree(node, checked);
            --m_walkDepth;
        }
        m_ctx.platform.setHourglass(false);
        form.tTreeList->show();

        const QString total = QString::number(m_ctx.state.checked().count());
        m_ctx.busy.setStatBarMsg(QStringLiteral("Total Count: ") + total);
        form.applyAllCheckedBut->setToolTip(
            QStringLiteral("Apply access control to all selcted elements/artifacts.  Total selected: ") + total);
        updateCheckedButtons();
    } catch (...) {
        m_walkDepth = 0;
        form.tTreeList->show();
        m_ctx.errors.reportBoxed(ZanError::current(kComponent), QStringLiteral("Error encountered::NodeCheck()"));
    }
}

void ElementTreeController::checkSubtree(QTreeWidgetItem *node, bool checked)
{
    try {
        const QString path = TreeNode::absPath(node, m_ctx.state.siteStyle().separator());
        const QString kind = TreeNode::kind(node);
        const Qt::CheckState state = checked ? Qt::Checked : Qt::Unchecked;
        if (kind == QLatin1String("drive")) {
            setNodeChecked(node, Qt::Unchecked);
            return;
        }
        if (checked) {
            if (m_ctx.state.checked().appendIfNew(path))
                setNodeColour(node, Qt::blue);
        } else {
            setNodeColour(node, Qt::black);
            m_ctx.state.checked().removeFirst(path);
        }

        if (kind == QLatin1String("file")) {
            m_ctx.busy.setStatBarMsg((checked ? QStringLiteral("Selecting --> ") : QStringLiteral("Un-Selecting --> ")) + path);
            setNodeChecked(node, state);
        } else if (kind == QLatin1String("folderClosed")) {
            if (node->childCount() == 0) {
                m_populator.populateTree(1, QString(), false, node);
                node->setExpanded(true);
            }
            m_ctx.busy.setStatBarMsg((checked ? QStringLiteral("Selecting Folder --> ") : QStringLiteral("Un-Selecting Folder --> "))
                                     + path);
            const int children = node->childCount();
            for (int i = 0; i < children; ++i) {
                m_ctx.platform.processEvents();
                // The events may have rebuilt the tree under the walk.
                if (m_walkAborted)
                    return;
                QTreeWidgetItem *child = node->child(i);
                checkSubtree(child, checked);
                if (m_walkAborted)
                    return;
                setNodeChecked(child, state);
            }
        }
    } catch (const std::exception &) {
        m_ctx.errors.reportWithSupportLine(ZanError::current(kComponent));
    }
}

void ElementTreeController::updateCheckedButtons()
{
    MainWindow &form = m_ctx.form;
    const bool any = m_ctx.state.checked().count() > 0;
    form.applyAllCheckedBut->setEnabled(any);
    form.deleteAllCheckedBut->setEnabled(any);
    form.zanLbl[3]->setEnabled(any);
    form.zanLbl[4]->setEnabled(any);
}

void ElementTreeController::uncheckAllNodes()
{
    for (QTreeWidgetItemIterator it(m_ctx.form.tTreeList); *it; ++it)
        setNodeChecked(*it, Qt::Unchecked);
}

void ElementTreeController::setAllNodesChecked(bool checked)
{
    try {
        for (QTreeWidgetItemIterator it(m_ctx.form.tTreeList); *it; ++it) {
            if (!TreeNode::isDrive(*it))
                setNodeChecked(*it, checked ? Qt::Checked : Qt::Unchecked);
        }
    } catch (const std::exception &) {
        m_ctx.errors.reportWithSupportLine(ZanError::current(kComponent));
    }
}

void ElementTreeController::checkAllClick()
{
    try {
        m_ctx.busy.setBusy(true);
        m_checkAllFlag = !m_checkAllFlag;
        setAllNodesChecked(m_checkAllFlag);
        m_ctx.busy.setBusy(false);
    } catch (...) {
        m_ctx.errors.reportBoxed(ZanError::current(kComponent), QStringLiteral("Could not Check all objects:checkAll()"));
    }
}

void ElementTreeController::clearAllClick()
{
    m_ctx.state.clearChecked();
}

void ElementTreeController::tabClick(int index)
{
    // The tab widget shows the selected tab's frame and hides the others itself.
    try {
        if (index == 2)
            m_ctx.form.trigLbl[0]->setText(QStringLiteral("Trigger setup for VOB: ") + m_ctx.form.vobTagTxt->text());
    } catch (...) {
        m_ctx.errors.reportWithSupportLine(ZanError::current(kComponent));
    }
}

// --- Tree events ------------------------------------------------------------------------

void ElementTreeController::setNodeChecked(QTreeWidgetItem *node, Qt::CheckState state)
{
    ++m_programChanges;
    node->setCheckState(0, state);
    node->setData(0, TreeNode::KnownCheckRole, int(state));
    --m_programChanges;
}

void ElementTreeController::setNodeColour(QTreeWidgetItem *node, Qt::GlobalColor colour)
{
    ++m_programChanges;
    node->setForeground(0, QBrush(colour == Qt::blue ? QColor(0, 0, 255) : QColor(colour)));
    --m_programChanges;
}

void ElementTreeController::nodeChanged(QTreeWidgetItem *node)
{
    if (m_programChanges > 0 || !node)
        return;
    const Qt::CheckState state = node->checkState(0);
    if (state == Qt::CheckState(node->data(0, TreeNode::KnownCheckRole).toInt()))
        return; // text, colour or other data
    ++m_programChanges;
    node->setData(0, TreeNode::KnownCheckRole, int(state));
    --m_programChanges;
    if (node == m_pressedNode)
        m_pressToggledCheck = true;
    nodeCheck(node);
}

void ElementTreeController::currentNodeChanged(QTreeWidgetItem *node)
{
    if (!node)
        return;
    m_clickHandled = true;
    nodeClick(node);
}

void ElementTreeController::nodeClicked(QTreeWidgetItem *node)
{
    // A click on a check box checks the node without selecting it; a click that made the
    // node current has selected it already.
    const bool checkBoxClick = m_pressToggledCheck && node == m_pressedNode;
    const bool handled = std::exchange(m_clickHandled, false);
    m_pressToggledCheck = false;
    if (node && !checkBoxClick && !handled)
        nodeClick(node);
}

bool ElementTreeController::eventFilter(QObject *watched, QEvent *event)
{
    QTreeWidget *tree = m_ctx.form.tTreeList;
    if (watched != tree->viewport())
        return false;
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
        m_clickHandled = false;
        m_pressToggledCheck = false;
        m_pressedNode = tree->itemAt(static_cast<QMouseEvent *>(event)->position().toPoint());
    } else if (event->type() == QEvent::MouseMove && !tree->hasFocus()) {
        tree->setFocus(Qt::MouseFocusReason);
    }
    return false;
}

void ElementTreeController::forgetPressedNode()
{
    m_pressedNode = nullptr;
    if (m_walkDepth > 0)
        m_walkAborted = true;
}
