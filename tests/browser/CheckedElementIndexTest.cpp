// The checked-element list: order, the case-insensitive duplicate rule, exact removals
// (deferred or not) and an index that follows changes made by others.
#include "browser/CheckedElementIndex.h"
#include "support/MessageTable.h"

#include <QListWidget>

TEST(CheckedElementIndexTest, RefusesCaseDuplicatesAndRemovesTheFirstExactEntry)
{
    QListWidget list;
    list.addItems({"a", "b", "a", "A"});
    CheckedElementIndex index(&list);
    EXPECT_FALSE(index.appendIfNew("B"));
    EXPECT_TRUE(index.appendIfNew("c"));
    index.removeFirst("a");
    index.removeFirst("C"); // differs in case: nothing to remove
    EXPECT_EQ(entriesOf(list), (QStringList{"b", "a", "A", "c"}));
    index.removeFirst("a");
    index.removeFirst("a");
    EXPECT_EQ(entriesOf(list), (QStringList{"b", "A", "c"}));
    EXPECT_TRUE(index.contains("a"));
}

TEST(CheckedElementIndexTest, BatchedRemovalsMatchOneByOneRemovals)
{
    QListWidget list;
    list.addItems({"x", "d", "d\\1", "y", "d\\2", "d", "z"});
    CheckedElementIndex index(&list);
    index.beginBatch();
    for (const char *path : {"d", "d\\1", "d\\2", "absent"})
        index.removeFirst(path);
    EXPECT_EQ(list.count(), 7); // seen as gone before the list is touched
    EXPECT_EQ(index.count(), 4);
    EXPECT_TRUE(index.contains("d")); // its second entry stays
    EXPECT_FALSE(index.contains("d\\1"));
    index.endBatch();
    EXPECT_EQ(entriesOf(list), (QStringList{"x", "y", "d", "z"}));

    // An append while removals are pending keeps the order of events.
    index.beginBatch();
    index.removeFirst("x");
    EXPECT_TRUE(index.appendIfNew("X"));
    index.endBatch();
    EXPECT_EQ(entriesOf(list), (QStringList{"y", "d", "z", "X"}));
}

TEST(CheckedElementIndexTest, FollowsChangesMadeDirectlyOnTheList)
{
    QListWidget list;
    CheckedElementIndex index(&list);
    list.addItem("p");
    EXPECT_TRUE(index.contains("P"));
    delete list.takeItem(0);
    EXPECT_FALSE(index.contains("p"));
    list.addItems({"q", "r"});
    list.item(0)->setText("s");
    EXPECT_FALSE(index.contains("q"));
    EXPECT_TRUE(index.contains("s"));
    list.clear();
    EXPECT_EQ(index.count(), 0);
    EXPECT_TRUE(index.appendIfNew("r"));
}
