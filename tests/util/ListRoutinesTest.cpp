#include "support/MessageTable.h"
#include "util/ListRoutines.h"

#include <QComboBox>
#include <QListWidget>

using namespace ListRoutines;

TEST(ListRoutines, DuplicatesIgnoreCaseWhileRemovalsAndSelectionAreExact)
{
    QListWidget widget;
    widget.setSelectionMode(QAbstractItemView::MultiSelection);
    ItemList list(&widget);
    setListBoxFromString("a,,b,c,,A,alice", list);
    EXPECT_EQ(entriesOf(widget), (QStringList{"a", "", "b", "c", "alice"}));
    EXPECT_TRUE(is_dup_list("Alice", list));
    removeListItem("Alice", list);
    list.add("b");
    delStringFromListBox("B,b,c,x", list);
    setListBoxFromString(QString(), list);
    EXPECT_EQ(getStringFromListBox(list), "a,,alice,b");

    for (const char *name : {"d", "e", "f"})
        list.add(name);
    for (int i : {1, 2, 4, 6})
        widget.item(i)->setSelected(true);
    deletedSelectedInList(list);
    EXPECT_EQ(entriesOf(widget), (QStringList{"a", "b", "e"}));
    removeFromList("b", list);
    EXPECT_EQ(entriesOf(widget), (QStringList{"a", "e"}));
}

TEST(ListRoutines, ComboBoxesServeAlike)
{
    QComboBox combo;
    ItemList list(&combo);
    EXPECT_EQ(getStringFromListBox(list), QString());
    setListBoxFromString("dev,qa,rel", list);
    EXPECT_EQ(getStringFromListBox(list), "dev,qa,rel");
    selectListItem("qa", list);
    selectListItem("REL", list);
    EXPECT_EQ(list.currentIndex(), 1);
}
