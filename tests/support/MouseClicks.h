#pragma once

#include <QAbstractItemView>
#include <QApplication>
#include <QMouseEvent>

// A left click made of real mouse events at a point of a widget (for item views: their viewport).
inline void mouseClick(QWidget *widget, QPoint pos, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const QPointF local(pos);
    const QPointF global(widget->mapToGlobal(pos));
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, modifiers);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, modifiers);
    QApplication::sendEvent(widget, &release);
    QCoreApplication::processEvents();
}

// Clicks the middle of a row of a list view (the view must be shown).
inline void clickRow(QAbstractItemView *view, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const QModelIndex index = view->model()->index(row, 0);
    view->scrollTo(index);
    mouseClick(view->viewport(), view->visualRect(index).center(), modifiers);
}
