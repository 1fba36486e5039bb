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

// The access core alone over a fresh sandbox: no window, no prompter.
class AccessCore : public ::testing::Test
{
protected:
    void SetUp() override { clearCase = sandbox.open(platform); }

    static ElementLocation at(const QString &relative)
    {
        return {relative.isEmpty() ? vobRoot + QStringLiteral("\\.") : vobRoot + QLatin1Char('\\') + relative, vobRoot,
                SandboxSeed::projVob};
    }
    void attach(QString relative, const QString &typeName, const QString &value)
    {
        SandboxStore &store = sandbox.store();
        if (!store.hasAttributeType(SandboxSeed::projVob, typeName))
            store.addAttributeType(SandboxSeed::projVob, {typeName, 8, QStringLiteral("test"), {}});
        store.attachAttribute(SandboxSeed::projVob, relative.replace(QLatin1Char('\\'), QLatin1Char('/')), typeName, value,
                              QStringLiteral("test"), true);
    }

    TempSandbox sandbox;
    FakePlatform platform;
    std::unique_ptr<ClearCase> clearCase;
};

} // namespace

TEST_F(AccessCore, ReadsEachOperationFromWhereItIsEnforced)
{
    attach(SandboxSeed::mainC, QStringLiteral("__checkout"), QStringLiteral("bob,ALL"));
    attach(SandboxSeed::mainC, QStringLiteral("__mktype"), QStringLiteral("bob")); // a stale copy
    attach(SandboxSeed::mainC, QStringLiteral("QX_GROUPS"), QStringLiteral("devs,qa"));
    attach(QString(), QStringLiteral("__mktype"), QStringLiteral("bob,carol"));
    attach(QString(), QStringLiteral("__rmelem"), QStringLiteral("NONE"));
    AccessSettingsReader reader(*clearCase);

    const ElementSettings settings = reader.read(at(SandboxSeed::mainC), privileged);
    ASSERT_EQ(settings.operations.size(), 2);
    const OperationSetting &checkout = settings.operations[0];
    EXPECT_EQ(checkout.operation, QStringLiteral("checkout"));
    EXPECT_EQ(checkout.home, SettingHome::Element);
    EXPECT_EQ(checkout.users, (QStringList{QStringLiteral("bob"), QStringLiteral("ALL")}));
    const OperationSetting &mktype = settings.operations[1];
    EXPECT_EQ(mktype.home, SettingHome::VobRoot);
    EXPECT_EQ(mktype.value, QStringLiteral("bob,carol"));
    EXPECT_TRUE(mktype.hasElementCopy);
    EXPECT_EQ(mktype.elementCopy, QStringLiteral("bob"));
    ASSERT_EQ(settings.vobWideSettings.size(), 1);
    EXPECT_EQ(settings.vobWideSettings[0].operation, QStringLiteral("rmelem"));
    EXPECT_TRUE(settings.vobWideSettings[0].users.isEmpty());
    EXPECT_EQ(settings.groups, (QStringList{QStringLiteral("devs"), QStringLiteral("qa")}));

    // The list in force decides the home: with checkout privileged the root (unset) governs.
    EXPECT_EQ(reader.enforcedValue(at(SandboxSeed::mainC), QStringLiteral("mktype"), privileged), QStringLiteral("bob,carol"));
    EXPECT_EQ(reader.enforcedValue(at(SandboxSeed::mainC), QStringLiteral("checkout"), QStringLiteral("checkout")), QString());
    EXPECT_FALSE(reader.read(at(QString()), privileged).operations.isEmpty());

    EXPECT_EQ(reader.privilegedListInForce(at(QString()), privileged), privileged);
    attach(QString(), QStringLiteral("QX_PRIVOPER"), QStringLiteral("checkout"));
    EXPECT_EQ(reader.recordedPrivilegedList(at(QString())), std::optional<QString>(QStringLiteral("checkout")));
}

TEST_F(AccessCore, ApplyPlanListsGainsAndLossesPerTarget)
{
    attach(SandboxSeed::mainC, QStringLiteral("__checkout"), QStringLiteral("bob,ALL"));
    attach(SandboxSeed::mainC, QStringLiteral("QX_GROUPS"), QStringLiteral("devs"));
    attach(SandboxSeed::utilC, QStringLiteral("__checkout"), QStringLiteral("carol,BOB"));
    const QString util = at(SandboxSeed::utilC).path;
    const QString readme = at(SandboxSeed::readmeTxt).path;
    const QString privateFile = at(SandboxSeed::privateFile).path;

    AccessPlanner planner(*clearCase);
    const AccessPlan plan = planner.planApply(at(SandboxSeed::mainC), {QStringLiteral("checkout"), QStringLiteral("lock")},
                                              {at(SandboxSeed::mainC).path, util, privateFile, vobRoot, readme});
    EXPECT_EQ(plan.skipped, (QStringList{at(SandboxSeed::mainC).path, privateFile}));
    ASSERT_EQ(plan.targets.size(), 3);
    EXPECT_TRUE(plan.targets[1].isVobRoot);
    EXPECT_EQ(plan.targets[1].target, vobRoot + QStringLiteral("\\."));
    EXPECT_EQ(plan.describe().split(QLatin1Char('\n')).mid(0, 5),
              (QStringList{util, QStringLiteral("  checkout: gains ALL; loses carol"), QStringLiteral("  lock: new (nobody)"),
                           QStringLiteral("  groups: new (devs)"), vobRoot + QStringLiteral("\\. (VOB root, asked first)")}));
    EXPECT_EQ(plan.changedTargetCount(), 3);
    EXPECT_TRUE(sandbox.store().attributes(SandboxSeed::projVob, QStringLiteral("src/util.c")).size() == 1); // read only
}

TEST_F(AccessCore, PurgePlanRemovesToolAttributesOnly)
{
    attach(SandboxSeed::utilC, QStringLiteral("x__y"), QStringLiteral("z"));
    attach(SandboxSeed::utilC, QStringLiteral("QX_GROUPS"), QStringLiteral("devs"));
    attach(SandboxSeed::utilC, QStringLiteral("Owner"), QStringLiteral("bob"));

    const AccessPlan plan = AccessPlanner(*clearCase).planPurge(at(QString()), {at(SandboxSeed::utilC).path, vobRoot + QStringLiteral("\\nothing")});
    ASSERT_EQ(plan.targets.size(), 2);
    EXPECT_EQ(plan.describe().split(QLatin1Char('\n')).mid(0, 3),
              (QStringList{at(SandboxSeed::utilC).path, QStringLiteral("  y: removed (z)"), QStringLiteral("  groups: removed (devs)")}));
    EXPECT_FALSE(plan.targets[1].error.isEmpty());
}
