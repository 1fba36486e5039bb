#include "support/QtPrinters.h"
#include "util/ListRoutines.h"

#include <QComboBox>
#include <QListWidget>
#include <gtest/gtest.h>

using namespace ListRoutines;

namespace {

QStringList entries(const ItemList &list)
{
    QStringList result;
    for (int i = 0; i < list.count(); ++i)
        result << list.text(i);
    return result;
}

} // namespace

TEST(ListRoutines, DuplicateTestIgnoresCaseButRemovalIsExact)
{
    QListWidget widget;
    ItemList list(&widget);
    list.add(QStringLiteral("alice"));
    EXPECT_TRUE(is_dup_list(QStringLiteral("Alice"), list));
    removeListItem(QStringLiteral("Alice"), list);
    EXPECT_EQ(entries(list), QStringList{QStringLiteral("alice")});
    removeFromList(QStringLiteral("alice"), list);
    EXPECT_EQ(list.count(), 0);
}

TEST(ListRoutines, DeleteSelectedRemovesExactlyTheSelectedItems)
{
    QListWidget widget;
    widget.setSelectionMode(QAbstractItemView::MultiSelection);
    ItemList list(&widget);
    for (const char *name : {"a", "b", "c", "d", "e"})
        list.add(QLatin1String(name));
    for (int i : {1, 2, 4})
        widget.item(i)->setSelected(true);
    deletedSelectedInList(list);
    EXPECT_EQ(entries(list), (QStringList{QStringLiteral("a"), QStringLiteral("d")}));
}

TEST(ListRoutines, SetFromStringSkipsPresentEntriesAndKeepsOneEmptyPiece)
{
    QListWidget widget;
    ItemList list(&widget);
    list.add(QStringLiteral("B"));
    setListBoxFromString(QStringLiteral("a,,b,c,,A"), list);
    EXPECT_EQ(entries(list), (QStringList{QStringLiteral("B"), QStringLiteral("a"), QString(), QStringLiteral("c")}));
    setListBoxFromString(QString(), list);
    EXPECT_EQ(list.count(), 4);
}

TEST(ListRoutines, DeleteStringRemovesFirstExactEntryOfEachPiece)
{
    QListWidget widget;
    ItemList list(&widget);
    for (const char *name : {"a", "b", "c", "b"})
        list.add(QLatin1String(name));
    delStringFromListBox(QStringLiteral("b,A,x"), list);
    EXPECT_EQ(entries(list), (QStringList{QStringLiteral("a"), QStringLiteral("c"), QStringLiteral("b")}));
}

TEST(ListRoutines, JoinAndSelectWorkOnComboBoxesToo)
{
    QComboBox combo;
    ItemList list(&combo);
    EXPECT_EQ(getStringFromListBox(list), QString());
    setListBoxFromString(QStringLiteral("dev,qa,rel"), list);
    EXPECT_EQ(getStringFromListBox(list), QStringLiteral("dev,qa,rel"));
    selectListItem(QStringLiteral("qa"), list);
    EXPECT_EQ(list.currentIndex(), 1);
    selectListItem(QStringLiteral("QA"), list);
    EXPECT_EQ(list.currentIndex(), 1);
}
