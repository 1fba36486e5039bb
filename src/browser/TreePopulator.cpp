#include "browser/TreePopulator.h"

#include "browser/FileDirInfo.h"
#include "browser/TreeNode.h"
#include "platform/Platform.h"
#include "shell/MainContext.h"
#include "shell/MainWindow.h"
#include "shell/WorkingState.h"
#include "util/AppInfo.h"
#include "util/Prompter.h"
#include "util/ZanError.h"

#include <QListWidget>
#include <QTreeWidget>

namespace {

// Repaints of a tree that receives thousands of nodes wait until the fill is over.
class UpdatesPaused
{
public:
    explicit UpdatesPaused(QWidget *widget) : m_widget(widget), m_wasEnabled(widget->updatesEnabled())
    {
        m_widget->setUpdatesEnabled(false);
    }
    ~UpdatesPaused() { m_widget->setUpdatesEnabled(m_wasEnabled); }
    UpdatesPaused(const UpdatesPaused &) = delete;
    UpdatesPaused &operator=(const UpdatesPaused &) = delete;

private:
    QWidget *m_widget;
    bool m_wasEnabled;
};

} // namespace

TreePopulator::TreePopulator(MainContext &context) : m_ctx(context) {}

void TreePopulator::populateTree(int mode, const QString &filter, bool clearFirst, QTreeWidgetItem *parent)
{
    try {
        UpdatesPaused paused(m_ctx.form.tTreeList);
        if (clearFirst)
            m_ctx.form.tTreeList->clear();
        if (mode == 5)
            addDriveRoots(filter);
        else if (parent)
            addChildren(parent);
    } catch (const std::exception &) {
        const ZanError error = ZanError::current(QStringLiteral("frmMain"));
        m_ctx.prompter.message(QStringLiteral("Error:: ") + error.description() + AppInfo::crlf, AppInfo::title,
                               Prompter::Icon::None, Prompter::Buttons::Ok);
    }
}

QStringList TreePopulator::fillDirList(QListWidget *list, const QString &pattern, int mode)
{
    list->clear();
    const QStringList entries = m_ctx.platform.listDirectory(pattern, mode);
    list->addItems(entries);
    return entries;
}

QTreeWidgetItem *TreePopulator::addChildNode(QTreeWidgetItem *parent, const QString &key, const QString &text,
                                             const QString &image)
{
    QTreeWidgetItem *node = makeNode(key, text, image);
    parent->addChild(node);
    return node;
}

void TreePopulator::addDriveRoots(const QString &filter)
{
    if (m_ctx.state.siteStyle().isUnix()) {
        addViewRoot();
        return;
    }
    QListWidget *list = m_ctx.form.dirList;
    const QStringList listed = fillDirList(list, QString(), 5);
    const QStringList kept = FileDirInfo::removeFilteredDrives(listed, filter);
    if (kept.size() != listed.size()) {
        list->clear();
        list->addItems(kept);
    }
    QTreeWidget *tree = m_ctx.form.tTreeList;
    for (const QString &entry : kept) {
        const QString text = m_ctx.state.siteStyle().treeRoot(FileDirInfo::parseDirListEntry(entry));
        QTreeWidgetItem *node = makeNode(QString(), text, QStringLiteral("drive"));
        // Root nodes stay sorted by text.
        int row = 0;
        while (row < tree->topLevelItemCount() && tree->topLevelItem(row)->text(0) <= text)
            ++row;
        tree->insertTopLevelItem(row, node);
    }
}

// A UNIX site has one root, the view root, whose children are the started views.
void TreePopulator::addViewRoot()
{
    m_ctx.form.dirList->clear();
    m_ctx.form.tTreeList->addTopLevelItem(makeNode(QString(), m_ctx.state.siteStyle().viewRoot(), QStringLiteral("drive")));
}

void TreePopulator::addChildren(QTreeWidgetItem *parent)
{
    const SiteStyle &style = m_ctx.state.siteStyle();
    const QString parentPath = TreeNode::fullPath(parent, style.separator());
    const QStringList entries = fillDirList(m_ctx.form.dirList, style.join(parentPath, QStringLiteral("*.*")), 1);
    if (entries.isEmpty())
        return;
    const QList<FileDirInfo::Child> children = FileDirInfo::childEntries(entries);
    QList<QTreeWidgetItem *> nodes;
    nodes.reserve(children.size());
    // The node's full path is its key: unique, where name + parent key can repeat.
    for (const FileDirInfo::Child &child : children)
        nodes.append(makeNode(style.join(parentPath, child.name), child.name, child.kind));
    parent->addChildren(nodes);
}

QTreeWidgetItem *TreePopulator::makeNode(const QString &key, const QString &text, const QString &kind)
{
    auto *node = new QTreeWidgetItem;
    node->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    node->setText(0, text);
    node->setIcon(0, icon(kind));
    node->setData(0, TreeNode::KindRole, kind);
    node->setData(0, TreeNode::KeyRole, key);
    node->setCheckState(0, Qt::Unchecked);
    node->setData(0, TreeNode::KnownCheckRole, int(Qt::Unchecked));
    return node;
}

const QIcon &TreePopulator::icon(const QString &kind)
{
    auto it = m_icons.find(kind);
    if (it == m_icons.end())
        it = m_icons.insert(kind, m_ctx.form.smallIcon(kind));
    return *it;
}
