// Applies and purges in chunks on both backends: a chunk costs cleartool the same few
// commands however many targets it holds, batch reads map back to their versions, and a
// sandbox batch writes all of it or nothing.
#include "support/EmulatorBackend.h"
#include "support/FakePlatform.h"
#include "support/TempSandbox.h"

#include "access/AccessApplier.h"
#include "access/AccessAttributeFormat.h"
#include "clearcase/CCase.h"
#include "clearcase/sandbox/SandboxSeed.h"
#include "clearcase/sandbox/SandboxStore.h"
#include "util/ZanError.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>

namespace {

const QString proj = SandboxSeed::projVob;
const QString projRoot = QStringLiteral("m:\\bob_dev\\proj");

QString target(int i) { return QStringLiteral("batch/f_%1.c").arg(i); }
QString elementPath(const QString &vobRoot, const QString &relative)
{
    return vobRoot + QLatin1Char('\\') + QString(relative).replace(QLatin1Char('/'), QLatin1Char('\\'));
}
QString versionOf(const QString &relative) { return CCase::versionOf(elementPath(projRoot, relative)); }
QStringList targetPaths(int count)
{
    QStringList paths;
    for (int i = 0; i < count; ++i)
        paths << elementPath(projRoot, target(i));
    return paths;
}

// The sandbox backend, or cleartool's co-process over the emulator as real cleartool goes on
// past a failed pathname, or stopping at the first one.
enum class Via { Sandbox, Cleartool, CleartoolStoppingAtFirstFailure };

std::string nameOf(Via via)
{
    return std::array{"sandbox", "cleartool", "cleartool_stopping_at_first_failure"}[std::size_t(via)];
}

class BatchedApply : public ::testing::TestWithParam<Via>
{
protected:
    void SetUp() override
    {
        sandbox.store().transaction([&] {
            sandbox.store().addElement(proj, QStringLiteral("batch"), true);
            for (int i = 0; i < 40; ++i)
                sandbox.store().addElement(proj, target(i), false);
            // QX_EDITING as after a first edit: making the mark's type is no chunk's cost.
            for (const QString &type : {QStringLiteral("__checkout"), QStringLiteral("__checkin"), QStringLiteral("QX_GROUPS"),
                                        QStringLiteral("QX_EDITING")})
                sandbox.store().addAttributeType(proj, {type, 8, QString(), {}});
            sandbox.store().addAttributeType(SandboxSeed::toolsVob, {QStringLiteral("__checkout"), 8, QString(), {}});
            sandbox.store().attachAttribute(proj, QStringLiteral("src/main.c"), QStringLiteral("__checkin"), QStringLiteral("NONE"),
                                            QString(), false);
        });
        if (GetParam() == Via::Sandbox) {
            cc = sandbox.open(platform);
            return;
        }
        // The co-process takes the environment as it is now.
        if (GetParam() == Via::CleartoolStoppingAtFirstFailure)
            qputenv("ZAN_SIM_STOP_AT_FIRST_FAILURE", "1");
        auto backend = emulatorBackend(sandbox.folder());
        qunsetenv("ZAN_SIM_STOP_AT_FIRST_FAILURE");
        cleartool = backend.get();
        cc = std::move(backend);
    }
    int commands() const { return cleartool ? cleartool->commandCount() : 0; }

    TempSandbox sandbox;
    FakePlatform platform;
    std::unique_ptr<ClearCase> cc;
    CleartoolClearCase *cleartool = nullptr;
    const ElementLocation base{elementPath(projRoot, SandboxSeed::mainC), projRoot, proj};
};

TEST_P(BatchedApply, AChunkCostsTheSameCommandsForFewOrManyTargets)
{
    QList<int> applyCommands, purgeCommands;
    for (int count : {3, 40}) {
        const QStringList chunk = targetPaths(count);
        int before = commands();
        EXPECT_TRUE(AccessApplier(*cc).apply(base, {QStringLiteral("checkout"), QStringLiteral("checkin")}, chunk).failures.isEmpty());
        applyCommands << commands() - before;
        EXPECT_EQ(cc->attributes(versionOf(target(count - 1))).size(), 3);
        EXPECT_EQ(AccessAttributeFormat::valueOf(cc->attributes(versionOf(target(0))), QStringLiteral("__checkin")), QStringLiteral("NONE"));

        before = commands();
        AccessApplier(*cc).purge(base, chunk);
        purgeCommands << commands() - before;
        EXPECT_TRUE(cc->attributes(versionOf(target(count - 1))).isEmpty());
    }
    EXPECT_EQ(applyCommands[0], applyCommands[1]);
    EXPECT_EQ(purgeCommands[0], purgeCommands[1]);

    // Targets that are no element cost at most one more command: cleartool names the paths it
    // could not describe, so the others' kinds need no second look.
    const QStringList targets = targetPaths(10);
    int before = commands();
    EXPECT_EQ(cc->existingVersions(targets), targets);
    const int plain = commands() - before;
    QStringList withMissing = targets;
    withMissing.insert(7, elementPath(projRoot, QStringLiteral("batch/none.c")));
    withMissing.insert(2, elementPath(projRoot, QStringLiteral("src/private.tmp")));
    before = commands();
    EXPECT_EQ(cc->existingVersions(withMissing), targets);
    EXPECT_LE(commands() - before, plain + 1);
}

TEST_P(BatchedApply, ReadsMapBackToTheirVersionsAcrossVobsAndBareOnes)
{
    const QString toolPl = CCase::versionOf(elementPath(QStringLiteral("m:\\bob_dev\\tools"), SandboxSeed::toolPl));
    cc->attachAttribute(proj, QStringLiteral("__checkout"), versionOf(target(0)), QStringLiteral("a"), QString(), true);
    cc->attachAttribute(SandboxSeed::toolsVob, QStringLiteral("__checkout"), toolPl, QStringLiteral("t"), QString(), true);
    cc->attachAttribute(proj, QStringLiteral("__checkin"), versionOf(target(2)), QStringLiteral("c"), QString(), true);
    cc->attachAttribute(proj, QStringLiteral("QX_GROUPS"), versionOf(target(2)), QStringLiteral("dev"), QString(), true);

    const QList<QList<AttributeInfo>> read =
        cc->attributesOfVersions({versionOf(target(0)), versionOf(target(1)), toolPl, versionOf(target(2))});
    ASSERT_EQ(read.size(), 4);
    EXPECT_EQ(read[0].size(), 1);
    EXPECT_EQ(AccessAttributeFormat::valueOf(read[0], QStringLiteral("__checkout")), QStringLiteral("a"));
    EXPECT_TRUE(read[1].isEmpty());
    EXPECT_EQ(AccessAttributeFormat::valueOf(read[2], QStringLiteral("__checkout")), QStringLiteral("t"));
    EXPECT_EQ(read[3].size(), 2);
    EXPECT_EQ(AccessAttributeFormat::valueOf(read[3], QStringLiteral("QX_GROUPS")), QStringLiteral("dev"));
}

// A locked element holds its attributes: the apply and the purge fail for it alone, write
// the rest and name the targets that are no element, whatever cleartool does after a failed
// pathname in one command.
TEST_P(BatchedApply, ALockedTargetFailsAloneAndKeepsItsAttributes)
{
    sandbox.store().attachAttribute(proj, target(5), QStringLiteral("__checkout"), QStringLiteral("x"), QString(), false);
    sandbox.store().setLock(proj, target(5), {});
    QStringList targets = targetPaths(40);
    const QString missing = elementPath(projRoot, QStringLiteral("batch/none.c"));
    targets.insert(3, missing);
    const auto valueOn = [this](int i) { return AccessAttributeFormat::valueOf(cc->attributes(versionOf(target(i))), QStringLiteral("__checkout")); };
    const auto expectOnlyTarget5Failed = [&](const AccessApplier::Outcome &outcome) {
        ASSERT_EQ(outcome.failures.size(), 1);
        EXPECT_EQ(outcome.failures.first().target, elementPath(projRoot, target(5)));
        EXPECT_TRUE(outcome.failures.first().description.contains(QStringLiteral("Lock on element")))
            << outcome.failures.first().description.toStdString();
        EXPECT_EQ(outcome.missing, QStringList{missing});
        EXPECT_EQ(valueOn(5), QStringLiteral("x"));
    };
    const AccessApplier::Outcome applied = AccessApplier(*cc).apply(base, {QStringLiteral("checkout"), QStringLiteral("checkin")}, targets);
    expectOnlyTarget5Failed(applied);
    EXPECT_EQ(applied.written, 39);
    for (int i : {0, 4, 6, 39}) {
        EXPECT_EQ(cc->attributes(versionOf(target(i))).size(), 3) << i;
        // edited under a mark, also those after the locked one in its chunk
        const QList<HistoryEvent> events = cc->history(versionOf(target(i)));
        EXPECT_TRUE(std::any_of(events.begin(), events.end(), [](const HistoryEvent &event) {
            return event.kind == HistoryEvent::AttributeAttached && event.subject == QStringLiteral("QX_EDITING");
        })) << i;
    }

    const AccessApplier::Outcome purged = AccessApplier(*cc).purgeEach(base, targets);
    expectOnlyTarget5Failed(purged);
    EXPECT_EQ(purged.written, 39); // also those a failed batch purged before its failure
    for (int i : {0, 4, 6, 39})
        EXPECT_TRUE(cc->attributes(versionOf(target(i))).isEmpty()) << i;
}

INSTANTIATE_TEST_SUITE_P(Backends, BatchedApply, ::testing::Values(Via::Sandbox, Via::Cleartool, Via::CleartoolStoppingAtFirstFailure),
                         [](const ::testing::TestParamInfo<Via> &run) { return nameOf(run.param); });

TEST(SandboxBatch, AWriteNamingANonElementWritesNothing)
{
    TempSandbox sandbox;
    SandboxStore &store = sandbox.store();
    store.addAttributeType(proj, {QStringLiteral("__checkout"), 8, QString(), {}});
    EXPECT_THROW(store.attachAttributes(proj, {QStringLiteral("src/main.c"), QStringLiteral("src/private.tmp")},
                                        {{QStringLiteral("__checkout"), QStringLiteral("bob")}}, QString()),
                 ZanError);
    EXPECT_TRUE(store.attributes(proj, QStringLiteral("src/main.c")).isEmpty());
}

} // namespace
