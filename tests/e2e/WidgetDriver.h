#pragma once

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>

// Real input events on real controls: what a user's mouse and keyboard send.
namespace WidgetDriver {

inline void mouse(QWidget *widget, QEvent::Type type, QPoint pos, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(pos), QPointF(widget->mapToGlobal(pos)), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

inline void click(QWidget *widget, QPoint pos)
{
    mouse(widget, QEvent::MouseButtonPress, pos, Qt::LeftButton);
    mouse(widget, QEvent::MouseButtonRelease, pos, Qt::NoButton);
    QCoreApplication::processEvents();
}

inline void click(QWidget *widget)
{
    click(widget, widget->rect().center());
}

inline void doubleClick(QWidget *widget, QPoint pos)
{
    click(widget, pos);
    mouse(widget, QEvent::MouseButtonDblClick, pos, Qt::LeftButton);
    mouse(widget, QEvent::MouseButtonRelease, pos, Qt::NoButton);
    QCoreApplication::processEvents();
}

inline void key(QWidget *widget, int keyCode, const QString &text = QString(), Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, keyCode, modifiers, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, keyCode, modifiers, text);
    QApplication::sendEvent(widget, &release);
    QCoreApplication::processEvents();
}

// Clicks into the field, erases what it holds and types the text.
// What a new user does: a click into the field, then the keys; nothing is cleared first, so
// a field that shows its hint must give way to what is typed.
inline void typeInto(QLineEdit *field, const QString &text)
{
    click(field);
    for (const QChar c : text)
        key(field, Qt::Key_unknown, QString(c));
}

inline void typeOver(QLineEdit *field, const QString &text)
{
    click(field);
    key(field, Qt::Key_End);
    for (qsizetype i = field->text().size(); i > 0; --i)
        key(field, Qt::Key_Backspace);
    for (const QChar c : text)
        key(field, Qt::Key_unknown, QString(c));
}

inline void clickTab(QTabWidget *tabs, int index)
{
    click(tabs->tabBar(), tabs->tabBar()->tabRect(index).center());
}

inline QPoint pointOf(QAbstractItemView *view, const QModelIndex &index)
{
    view->scrollTo(index);
    return view->visualRect(index).center();
}

inline QListWidgetItem *item(QListWidget *list, const QString &text)
{
    const auto found = list->findItems(text, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.first();
}

inline void clickItem(QListWidget *list, QListWidgetItem *item)
{
    click(list->viewport(), pointOf(list, list->indexFromItem(item)));
}

inline QTreeWidgetItem *child(QTreeWidgetItem *parent, const QString &text)
{
    for (int i = 0; i < parent->childCount(); ++i) {
        if (parent->child(i)->text(0) == text)
            return parent->child(i);
    }
    return nullptr;
}

// A click on the node's text (right of its check box).
inline void clickNode(QTreeWidget *tree, QTreeWidgetItem *node)
{
    tree->scrollToItem(node);
    const QRect rect = tree->visualItemRect(node);
    click(tree->viewport(), QPoint(rect.right() - 4, rect.center().y()));
}

} // namespace WidgetDriver
