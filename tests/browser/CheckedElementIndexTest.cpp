// The checked-element list: order, the case-insensitive duplicate rule, exact removals
// (deferred or not) and an index that follows changes made by others.
#include "browser/CheckedElementIndex.h"
#include "support/QtPrinters.h"

#include <QListWidget>
#include <gtest/gtest.h>

namespace {

QStringList entries(const QListWidget &list)
{
    QStringList result;
    for (int i = 0; i < list.count(); ++i)
        result << list.item(i)->text();
    return result;
}

} // namespace

TEST(CheckedElementIndexTest, RefusesCaseDuplicatesAndRemovesTheFirstExactEntry)
{
    QListWidget list;
    list.addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("a"), QStringLiteral("A")});
    CheckedElementIndex index(&list);
    EXPECT_FALSE(index.appendIfNew(QStringLiteral("B")));
    EXPECT_TRUE(index.appendIfNew(QStringLiteral("c")));
    index.removeFirst(QStringLiteral("a"));
    index.removeFirst(QStringLiteral("C")); // differs in case: nothing to remove
    EXPECT_EQ(entries(list), (QStringList{QStringLiteral("b"), QStringLiteral("a"), QStringLiteral("A"), QStringLiteral("c")}));
    index.removeFirst(QStringLiteral("a"));
    index.removeFirst(QStringLiteral("a"));
    EXPECT_EQ(entries(list), (QStringList{QStringLiteral("b"), QStringLiteral("A"), QStringLiteral("c")}));
    EXPECT_TRUE(index.contains(QStringLiteral("a")));
}

TEST(CheckedElementIndexTest, BatchedRemovalsMatchOneByOneRemovals)
{
    QListWidget list;
    list.addItems({QStringLiteral("x"), QStringLiteral("d"), QStringLiteral("d\\1"), QStringLiteral("y"), QStringLiteral("d\\2"),
                   QStringLiteral("d"), QStringLiteral("z")});
    CheckedElementIndex index(&list);
    index.beginBatch();
    for (const QString &path : {QStringLiteral("d"), QStringLiteral("d\\1"), QStringLiteral("d\\2"), QStringLiteral("absent")})
        index.removeFirst(path);
    EXPECT_EQ(list.count(), 7); // seen as gone before the list is touched
    EXPECT_EQ(index.count(), 4);
    EXPECT_TRUE(index.contains(QStringLiteral("d"))); // its second entry stays
    EXPECT_FALSE(index.contains(QStringLiteral("d\\1")));
    index.endBatch();
    EXPECT_EQ(entries(list), (QStringList{QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("d"), QStringLiteral("z")}));

    // An append while removals are pending keeps the order of events.
    index.beginBatch();
    index.removeFirst(QStringLiteral("x"));
    EXPECT_TRUE(index.appendIfNew(QStringLiteral("X")));
    index.endBatch();
    EXPECT_EQ(entries(list), (QStringList{QStringLiteral("y"), QStringLiteral("d"), QStringLiteral("z"), QStringLiteral("X")}));
}

TEST(CheckedElementIndexTest, FollowsChangesMadeDirectlyOnTheList)
{
    QListWidget list;
    CheckedElementIndex index(&list);
    list.addItem(QStringLiteral("p"));
    EXPECT_TRUE(index.contains(QStringLiteral("P")));
    delete list.takeItem(0);
    EXPECT_FALSE(index.contains(QStringLiteral("p")));
    list.addItems({QStringLiteral("q"), QStringLiteral("r")});
    list.item(0)->setText(QStringLiteral("s"));
    EXPECT_FALSE(index.contains(QStringLiteral("q")));
    EXPECT_TRUE(index.contains(QStringLiteral("s")));
    list.clear();
    EXPECT_EQ(index.count(), 0);
    EXPECT_TRUE(index.appendIfNew(QStringLiteral("r")));
}
