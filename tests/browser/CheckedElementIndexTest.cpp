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

TEST(CheckedElementIndexTest, KeepsOrderAndRefusesCaseDuplicates)
{
    QListWidget list;
    CheckedElementIndex index(&list);
    EXPECT_TRUE(index.appendIfNew(QStringLiteral("m:\\v\\proj\\src")));
    EXPECT_TRUE(index.appendIfNew(QStringLiteral("m:\\v\\proj\\src\\a.c")));
    EXPECT_FALSE(index.appendIfNew(QStringLiteral("M:\\V\\PROJ\\SRC")));
    EXPECT_EQ(entries(list), (QStringList{QStringLiteral("m:\\v\\proj\\src"), QStringLiteral("m:\\v\\proj\\src\\a.c")}));
    EXPECT_TRUE(index.contains(QStringLiteral("m:\\V\\proj\\src\\A.C")));
}

TEST(CheckedElementIndexTest, RemovalTakesTheFirstExactEntryOnly)
{
    QListWidget list;
    list.addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("a"), QStringLiteral("A")});
    CheckedElementIndex index(&list);
    index.removeFirst(QStringLiteral("a"));
    EXPECT_EQ(entries(list), (QStringList{QStringLiteral("b"), QStringLiteral("a"), QStringLiteral("A")}));
    index.removeFirst(QStringLiteral("B")); // differs in case: nothing to remove
    EXPECT_EQ(index.count(), 3);
    index.removeFirst(QStringLiteral("a"));
    index.removeFirst(QStringLiteral("a"));
    EXPECT_EQ(entries(list), (QStringList{QStringLiteral("b"), QStringLiteral("A")}));
    EXPECT_TRUE(index.contains(QStringLiteral("a")));
}

TEST(CheckedElementIndexTest, BatchedRemovalsMatchOneByOneRemovals)
{
    QListWidget list;
    list.addItems({QStringLiteral("x"), QStringLiteral("d"), QStringLiteral("d\\1"), QStringLiteral("y"),
                   QStringLiteral("d\\2"), QStringLiteral("d"), QStringLiteral("z")});
    CheckedElementIndex index(&list);
    index.beginBatch();
    for (const QString &path : {QStringLiteral("d"), QStringLiteral("d\\1"), QStringLiteral("d\\2"), QStringLiteral("absent")})
        index.removeFirst(path);
    // Seen as gone before the list is touched.
    EXPECT_EQ(list.count(), 7);
    EXPECT_EQ(index.count(), 4);
    EXPECT_TRUE(index.contains(QStringLiteral("d"))); // its second entry stays
    EXPECT_FALSE(index.contains(QStringLiteral("d\\1")));
    index.endBatch();
    EXPECT_EQ(entries(list), (QStringList{QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("d"), QStringLiteral("z")}));
}

TEST(CheckedElementIndexTest, AppendAfterPendingRemovalKeepsOrder)
{
    QListWidget list;
    list.addItems({QStringLiteral("a"), QStringLiteral("b")});
    CheckedElementIndex index(&list);
    index.beginBatch();
    index.removeFirst(QStringLiteral("a"));
    EXPECT_TRUE(index.appendIfNew(QStringLiteral("A")));
    index.endBatch();
    EXPECT_EQ(entries(list), (QStringList{QStringLiteral("b"), QStringLiteral("A")}));
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
