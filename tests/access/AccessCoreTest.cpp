#include "support/FakePlatform.h"
#include "support/QtPrinters.h"
#include "support/TempSandbox.h"

#include "access/AccessPlanner.h"
#include "access/AccessSettingsReader.h"
#include "clearcase/sandbox/SandboxSeed.h"
#include "clearcase/sandbox/SandboxStore.h"

#include <gtest/gtest.h>

namespace {

const QString vobRoot = QStringLiteral("m:\\bob_dev\\proj");
const QString privileged = QStringLiteral("mktype,rmelem,chevent");
const QString mainC = SandboxSeed::mainC;
const QString utilC = SandboxSeed::utilC;

// The access core alone over a fresh sandbox: no window, no prompter.
class AccessCore : public ::testing::Test
{
protected:
    void SetUp() override { clearCase = sandbox.open(platform); }

    static ElementLocation at(const QString &relative)
    {
        return {relative.isEmpty() ? vobRoot + "\\." : vobRoot + '\\' + relative, vobRoot, SandboxSeed::projVob};
    }
    void attach(QString relative, const QString &typeName, const QString &value)
    {
        SandboxStore &store = sandbox.store();
        if (!store.hasAttributeType(SandboxSeed::projVob, typeName))
            store.addAttributeType(SandboxSeed::projVob, {typeName, 8, "test", {}});
        store.attachAttribute(SandboxSeed::projVob, relative.replace('\\', '/'), typeName, value, "test", true);
    }

    TempSandbox sandbox;
    FakePlatform platform;
    std::unique_ptr<ClearCase> clearCase;
};

} // namespace

TEST_F(AccessCore, ReadsEachOperationFromWhereItIsEnforced)
{
    attach(mainC, "__checkout", "bob,ALL");
    attach(mainC, "__mktype", "bob"); // a stale copy
    attach(mainC, "QX_GROUPS", "devs,qa");
    attach(QString(), "__mktype", "bob,carol");
    attach(QString(), "__rmelem", "NONE");
    AccessSettingsReader reader(*clearCase);

    const ElementSettings settings = reader.read(at(mainC), privileged);
    ASSERT_EQ(settings.operations.size(), 2);
    const OperationSetting &checkout = settings.operations[0];
    EXPECT_EQ(checkout.operation, "checkout");
    EXPECT_EQ(checkout.home, SettingHome::Element);
    EXPECT_EQ(checkout.users, (QStringList{"bob", "ALL"}));
    const OperationSetting &mktype = settings.operations[1];
    EXPECT_EQ(mktype.home, SettingHome::VobRoot);
    EXPECT_EQ(mktype.value, "bob,carol");
    EXPECT_TRUE(mktype.hasElementCopy);
    EXPECT_EQ(mktype.elementCopy, "bob");
    ASSERT_EQ(settings.vobWideSettings.size(), 1);
    EXPECT_EQ(settings.vobWideSettings[0].operation, "rmelem");
    EXPECT_TRUE(settings.vobWideSettings[0].users.isEmpty());
    EXPECT_EQ(settings.groups, (QStringList{"devs", "qa"}));

    // The list in force decides the home: with checkout privileged the root (unset) governs.
    EXPECT_EQ(reader.enforcedValue(at(mainC), "mktype", privileged), "bob,carol");
    EXPECT_EQ(reader.enforcedValue(at(mainC), "checkout", "checkout"), QString());
    EXPECT_FALSE(reader.read(at(QString()), privileged).operations.isEmpty());

    EXPECT_EQ(reader.privilegedListInForce(at(QString()), privileged), privileged);
    attach(QString(), "QX_PRIVOPER", "checkout");
    EXPECT_EQ(reader.recordedPrivilegedList(at(QString())), std::optional<QString>("checkout"));
}

// Plans only read: an apply lists gains and losses per target, a purge the tool's own attributes.
TEST_F(AccessCore, PlansListTheChangesPerTarget)
{
    attach(mainC, "__checkout", "bob,ALL");
    attach(mainC, "QX_GROUPS", "devs");
    attach(utilC, "__checkout", "carol,BOB");
    const QString util = at(utilC).path;
    const QString privateFile = at(SandboxSeed::privateFile).path;
    AccessPlanner planner(*clearCase);
    const AccessPlan apply =
        planner.planApply(at(mainC), {"checkout", "lock"}, {at(mainC).path, util, privateFile, vobRoot, at(SandboxSeed::readmeTxt).path});
    EXPECT_EQ(apply.skipped, (QStringList{at(mainC).path, privateFile}));
    ASSERT_EQ(apply.targets.size(), 3);
    EXPECT_TRUE(apply.targets[1].isVobRoot);
    EXPECT_EQ(apply.targets[1].target, vobRoot + "\\.");
    EXPECT_EQ(apply.describe().split('\n').mid(0, 5), (QStringList{util, "  checkout: gains ALL; loses carol", "  lock: new (nobody)",
                                                                   "  groups: new (devs)", vobRoot + "\\. (VOB root, asked first)"}));
    EXPECT_EQ(apply.changedTargetCount(), 3);
    EXPECT_EQ(sandbox.store().attributes(SandboxSeed::projVob, "src/util.c").size(), 1);

    attach(utilC, "x__y", "z");
    attach(utilC, "QX_GROUPS", "devs");
    attach(utilC, "Owner", "bob");
    const AccessPlan purge = planner.planPurge(at(QString()), {util, vobRoot + "\\nothing"});
    ASSERT_EQ(purge.targets.size(), 2);
    EXPECT_EQ(purge.describe().split('\n').mid(0, 4), (QStringList{util, "  checkout: removed (carol, BOB)", "  y: removed (z)",
                                                                   "  groups: removed (devs)"}));
    EXPECT_FALSE(purge.targets[1].error.isEmpty());
}
