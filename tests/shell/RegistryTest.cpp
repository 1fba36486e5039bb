#include "ShellFixture.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(Registry, StoreFailuresGiveTheBoxedErrorLeaveBusyAndReadAsEmpty)
{
    ShellFixture f;
    ASSERT_TRUE(QDir().mkpath(f.store.filePath())); // the store cannot be read

    f.busy.setBusy(true, QStringLiteral("test"));
    EXPECT_EQ(f.registry.readFromReg(QStringLiteral("NUSERS")), QString());
    EXPECT_FALSE(f.busy.isBusy());
    ASSERT_EQ(f.prompter.count(), 1);
    EXPECT_EQ(f.prompter.last().title, QStringLiteral("Error..."));
    EXPECT_TRUE(f.prompter.last().text.contains(QStringLiteral("* Error encountered!\r\n")));
    EXPECT_TRUE(f.prompter.last().text.contains(QDir::toNativeSeparators(f.store.filePath())));

    f.busy.setBusy(true, QStringLiteral("test"));
    f.registry.saveToReg(QStringLiteral("NUSERS"), QStringLiteral("1"));
    EXPECT_FALSE(f.busy.isBusy());
    EXPECT_EQ(f.prompter.count(), 2);
    EXPECT_TRUE(f.prompter.last().text.contains(QStringLiteral("* Error encountered!\r\n")));

    f.registry.DeleteFromReg(QStringLiteral("NUSERS"));
    f.registry.delFromReg(QVariant(QStringLiteral("NUSERS")));
    EXPECT_EQ(f.prompter.count(), 2);
}

TEST(Registry, AnUnreadableStoreIsReportedOnceUntilItChanges)
{
    ShellFixture f;
    const auto activateTimes = [&](int times) {
        for (int i = 0; i < times; ++i)
            emit f.form.activated();
    };
    ASSERT_TRUE(QDir().mkpath(f.store.filePath()));
    activateTimes(3);
    EXPECT_EQ(f.prompter.count(), 1);
    ASSERT_TRUE(QDir().rmdir(f.store.filePath()));
    activateTimes(2);
    EXPECT_EQ(f.prompter.count(), 1);
    ASSERT_TRUE(QDir().mkpath(f.store.filePath()));
    activateTimes(2);
    EXPECT_EQ(f.prompter.count(), 2);
}
