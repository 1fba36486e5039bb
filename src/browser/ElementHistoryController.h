#pragma once

#include <QObject>
#include <QString>

class QAction;
class QMenu;
class QPoint;
struct MainContext;

// "Setting History" on the element tree's context menu: the node's setting history (who set,
// changed or removed each setting, when, from where, with which value) in the Detail window,
// the report zanctl history prints.
class ElementHistoryController : public QObject
{
    Q_OBJECT

public:
    explicit ElementHistoryController(MainContext &context);

    void showHistory(const QString &path);

    QMenu *treeMenu = nullptr; // owned by the tree
    QAction *showHistoryAction = nullptr;

private:
    void openTreeMenu(const QPoint &position);

    MainContext &m_ctx;
    QString m_menuPath; // the node the menu was opened on
};
