#pragma once

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

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

// What a person does to fill in a field: a click into it, then the keys, then Enter when
// asked. Nothing is selected or set by the test: what the click leaves selected is typed over.
inline void clickAndType(QWidget *field, const QString &text, bool pressEnter = true)
{
    mouseClick(field, field->rect().center());
    QTest::keyClicks(field, text);
    if (pressEnter)
        QTest::keyClick(field, Qt::Key_Return);
    QCoreApplication::processEvents();
}

// Replaces a field's text as a person does: a click into it, Ctrl+A, then the keys.
inline void retype(QWidget *field, const QString &text)
{
    mouseClick(field, field->rect().center());
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
    QCoreApplication::processEvents();
}

// Clicks the middle of a row of a list view (the view must be shown).
inline void clickRow(QAbstractItemView *view, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const QModelIndex index = view->model()->index(row, 0);
    view->scrollTo(index);
    mouseClick(view->viewport(), view->visualRect(index).center(), modifiers);
}

// A double click on the middle of a row of a list view: press, release, double click, release.
inline void doubleClickRow(QAbstractItemView *view, int row)
{
    clickRow(view, row);
    const QPoint pos = view->visualRect(view->model()->index(row, 0)).center();
    const QPointF global(view->viewport()->mapToGlobal(pos));
    QMouseEvent twice(QEvent::MouseButtonDblClick, QPointF(pos), global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &twice);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(pos), global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &release);
    QCoreApplication::processEvents();
}

// A user can click only a control that is shown and enabled; a click the user could not make
// fails the test instead of reaching the control.
inline bool reachable(QWidget *widget)
{
    if (widget->isVisible() && widget->isEnabled())
        return true;
    ADD_FAILURE() << qPrintable(widget->objectName()) << " is hidden or disabled: a user cannot click it";
    return false;
}

// A click in the middle of a button; on a check box, on its box at the left.
inline void clickButton(QAbstractButton *button)
{
    const bool box = qobject_cast<QCheckBox *>(button) != nullptr;
    if (reachable(button))
        mouseClick(button, box ? QPoint(6, button->height() / 2) : button->rect().center());
}

// Clicks a check box only when it is not already in the wanted state.
inline void setTicked(QAbstractButton *box, bool ticked)
{
    if (box->isChecked() != ticked)
        clickButton(box);
}

// Clicks the combo box, then moves with the arrow keys to the entry and presses Enter in the popup.
inline void chooseInCombo(QComboBox *combo, const QString &text)
{
    const int target = combo->findText(text);
    ASSERT_GE(target, 0) << "no entry " << qPrintable(text) << " in " << qPrintable(combo->objectName());
    if (!reachable(combo))
        return;
    mouseClick(combo, combo->rect().center());
    QAbstractItemView *popup = combo->view();
    if (!popup->isVisible()) // an editable box takes the click into its field; F4 opens the list
        QTest::keyClick(combo, Qt::Key_F4);
    QTRY_VERIFY(popup->isVisible());
    for (int step = 0; popup->currentIndex().row() != target && step < combo->count(); ++step)
        QTest::keyClick(popup, popup->currentIndex().row() < target ? Qt::Key_Down : Qt::Key_Up);
    QTest::keyClick(popup, Qt::Key_Return);
    QCoreApplication::processEvents();
}

// A click on a tab's title.
inline void clickTab(QTabWidget *tabs, int index)
{
    if (reachable(tabs->tabBar()))
        mouseClick(tabs->tabBar(), tabs->tabBar()->tabRect(index).center());
}

// Opens the menu with a click on the menu bar, moves to the item with the arrow key and presses Enter.
inline void chooseMenuItem(QMenuBar *bar, QMenu *menu, QAction *item)
{
    if (!bar->window()->isVisible()) {
        bar->window()->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(bar->window()));
    }
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
    QTRY_VERIFY(menu->isVisible());
    for (int step = 0; menu->activeAction() != item && step < menu->actions().size(); ++step)
        QTest::keyClick(menu, Qt::Key_Down);
    ASSERT_EQ(menu->activeAction(), item);
    QTest::keyClick(menu, Qt::Key_Return);
    QCoreApplication::processEvents();
}

// Clicks the row of a list widget that shows the text.
inline void clickText(QListWidget *list, const QString &text)
{
    const auto found = list->findItems(text, Qt::MatchExactly);
    ASSERT_FALSE(found.isEmpty()) << "no row " << qPrintable(text) << " in " << qPrintable(list->objectName());
    clickRow(list, list->row(found.first()));
}
