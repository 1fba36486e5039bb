#include "browser/ElementHistoryController.h"

#include "access/AccessExplainer.h"
#include "access/SettingHistory.h"
#include "access/SettingHistoryReport.h"
#include "browser/TreeNode.h"
#include "clearcase/CCase.h"
#include "shell/BusyState.h"
#include "shell/DetailWindow.h"
#include "shell/ErrorReporter.h"
#include "shell/MainContext.h"
#include "shell/MainWindow.h"
#include "shell/WorkingState.h"
#include "util/TextRoutines.h"
#include "util/ZanError.h"

#include <QAction>
#include <QMenu>
#include <QTreeWidget>

namespace {

const QString kComponent = QStringLiteral("frmMain");

} // namespace

ElementHistoryController::ElementHistoryController(MainContext &context) : m_ctx(context)
{
    QTreeWidget *tree = m_ctx.form.tTreeList;
    treeMenu = new QMenu(tree);
    treeMenu->setObjectName(QStringLiteral("treeMenu"));
    showHistoryAction = treeMenu->addAction(QStringLiteral("Setting History"));
    showHistoryAction->setObjectName(QStringLiteral("showHistory"));
    tree->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tree, &QWidget::customContextMenuRequested, this, &ElementHistoryController::openTreeMenu);
    connect(showHistoryAction, &QAction::triggered, this, [this] { showHistory(m_menuPath); });
}

// Only an element's node (not a drive or a view) has a history.
void ElementHistoryController::openTreeMenu(const QPoint &position)
{
    QTreeWidget *tree = m_ctx.form.tTreeList;
    const QTreeWidgetItem *node = tree->itemAt(position);
    if (!node)
        return;
    m_menuPath = TreeNode::absPath(node, m_ctx.state.siteStyle().separator());
    showHistoryAction->setEnabled(!m_menuPath.isEmpty() && m_ctx.ccase.isCCElement(m_menuPath));
    treeMenu->popup(tree->viewport()->mapToGlobal(position));
}

void ElementHistoryController::showHistory(const QString &path)
{
    try {
        m_ctx.busy.setBusy(true);
        const ElementLocation location = AccessExplainer::locationOf(path, m_ctx.state.siteStyle());
        const QList<SettingHistory::Change> changes = SettingHistory(m_ctx.ccase.clearCase()).of(location);
        m_ctx.detail.setTitle(QStringLiteral("History of: ") + path);
        m_ctx.detail.setDetail(TextRoutines::lfToCrLf(SettingHistoryReport::render(location.element(), changes,
                                                                                    SettingHistoryReport::Format::Text)));
        m_ctx.busy.setBusy(false);
    } catch (...) {
        m_ctx.errors.reportWithSupportLine(ZanError::current(kComponent));
    }
}
