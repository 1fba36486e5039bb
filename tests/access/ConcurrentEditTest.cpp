// Two administrators editing one element's lists at once keep each other's edits: an edit
// is applied to the value stored just before writing, and read back.
#include "support/EmulatorBackend.h"
#include "support/FakePlatform.h"
#include "support/ForwardingClearCase.h"
#include "support/QtPrinters.h"
#include "support/TempSandbox.h"

#include "access/AccessAttributeFormat.h"
#include "access/AccessEditor.h"
#include "clearcase/sandbox/SandboxClearCase.h"
#include "clearcase/sandbox/SandboxSeed.h"
#include "clearcase/sandbox/SandboxStore.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

const char *const folderVariable = "ZAN_CONCURRENT_EDIT_FOLDER";
const char *const prefixVariable = "ZAN_CONCURRENT_EDIT_PREFIX";
const char *const backendVariable = "ZAN_CONCURRENT_EDIT_BACKEND";
const QString vobRoot = QStringLiteral("m:\\bob_dev\\proj");
const QString mainC = vobRoot + QStringLiteral("\\src\\main.c");
const ElementLocation location{mainC, vobRoot, SandboxSeed::projVob};
constexpr int rounds = 30;

QString user(const QString &prefix, int round) { return prefix + QString::number(round); }

// Each round adds one user; every even-numbered user is removed again in the next round,
// and the first round revokes eve, who was there before both editors started.
AccessListChange roundChange(const QString &prefix, int round)
{
    QStringList removed;
    if (round == 0)
        removed << QStringLiteral("eve");
    else if ((round - 1) % 2 == 0)
        removed << user(prefix, round - 1);
    return {{user(prefix, round)}, removed};
}

QStringList survivorsOf(const QString &prefix)
{
    QStringList users;
    for (int round = 0; round < rounds; ++round) {
        if (round % 2 == 1 || round == rounds - 1)
            users << user(prefix, round);
    }
    return users;
}

std::unique_ptr<ClearCase> openBackend(const QString &kind, const QString &folder, FakePlatform &platform)
{
    if (kind == QLatin1String("cleartool"))
        return emulatorBackend(folder);
    return SandboxClearCase::open(platform, folder);
}

} // namespace

// Run by the test below in two child processes at once.
TEST(ConcurrentEditor, EditsRoundAfterRound)
{
    const QString folder = qEnvironmentVariable(folderVariable);
    if (folder.isEmpty())
        GTEST_SKIP() << "runs only as a child of ConcurrentEdits";
    const QString prefix = qEnvironmentVariable(prefixVariable);
    FakePlatform platform;
    const auto clearCase = openBackend(qEnvironmentVariable(backendVariable), folder, platform);
    AccessEditor editor(*clearCase);
    for (int round = 0; round < rounds; ++round)
        editor.changeUsers(location, QStringLiteral("checkout"), roundChange(prefix, round), QString());
}

class ConcurrentEdits : public ::testing::TestWithParam<const char *>
{
};

TEST_P(ConcurrentEdits, EveryAdditionAndEveryRemovalOfBothEditorsSurvives)
{
    TempSandbox sandbox;
    sandbox.store().addAttributeType(SandboxSeed::projVob, {QStringLiteral("__checkout"), 8, QString(), {}});
    sandbox.store().attachAttribute(SandboxSeed::projVob, QStringLiteral("src/main.c"), QStringLiteral("__checkout"),
                                    QStringLiteral("bob,eve"), QString(), true);
    QProcess editors[2];
    const QString prefixes[2] = {QStringLiteral("a"), QStringLiteral("b")};
    for (int i = 0; i < 2; ++i) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(folderVariable), sandbox.folder());
        environment.insert(QString::fromLatin1(prefixVariable), prefixes[i]);
        environment.insert(QString::fromLatin1(backendVariable), QString::fromLatin1(GetParam()));
        editors[i].setProcessEnvironment(environment);
        editors[i].setProcessChannelMode(QProcess::ForwardedChannels);
        editors[i].start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=ConcurrentEditor.*")});
    }
    for (QProcess &editor : editors) {
        ASSERT_TRUE(editor.waitForFinished(300000));
        ASSERT_EQ(editor.exitCode(), 0);
    }
    const QStringList stored = AccessAttributeFormat::splitUsers(AccessAttributeFormat::valueOf(
        sandbox.store().attributes(SandboxSeed::projVob, QStringLiteral("src/main.c")), QStringLiteral("__checkout")));
    QStringList expected = QStringList{QStringLiteral("bob")} + survivorsOf(prefixes[0]) + survivorsOf(prefixes[1]);
    EXPECT_EQ(QSet<QString>(stored.begin(), stored.end()), QSet<QString>(expected.begin(), expected.end()));
}

INSTANTIATE_TEST_SUITE_P(Backends, ConcurrentEdits, ::testing::Values("sandbox", "cleartool"));

// Another writer's stale copy lands at a chosen point of one edit: before the editor reads
// (an ordinary earlier edit) or between its write and its read-back (which undid the edit).
TEST(InterleavedEdit, TheEditHoldsWhereverAnotherWriteLands)
{
    struct Row {
        int atRead;         // the other write lands before this read of the editor (1: first)
        QString other;      // what the other writer stores
        AccessListChange change;
        QString expected;
    } rows[] = {
        {1, "bob,eve,dave", {{}, {"eve"}}, "bob,dave"},
        {2, "bob,eve,dave", {{}, {"eve"}}, "bob,dave"},  // revocation undone by a stale copy: redone
        {2, "bob,eve", {{"carol"}, {}}, "bob,eve,carol"}, // addition overwritten: redone
        {2, "NONE", {{"carol"}, {}}, "carol"},
    };
    for (const Row &row : rows) {
        TempSandbox sandbox;
        FakePlatform platform;
        SandboxStore &store = sandbox.store();
        store.addAttributeType(SandboxSeed::projVob, {"__checkout", 8, QString(), {}});
        store.attachAttribute(SandboxSeed::projVob, "src/main.c", "__checkout", "bob,eve", QString(), true);
        int reads = 0;
        ForwardingClearCase clearCase(sandbox.open(platform), [&](const QString &call, const QString &) {
            if (call == QLatin1String("attributes") && ++reads == row.atRead)
                store.attachAttribute(SandboxSeed::projVob, "src/main.c", "__checkout", row.other, QString(), true);
        });
        const QStringList shown = AccessEditor(clearCase).changeUsers(location, "checkout", row.change, QString());
        EXPECT_EQ(shown.join(','), row.expected) << row.atRead << ' ' << row.other.toStdString();
        EXPECT_EQ(AccessAttributeFormat::valueOf(store.attributes(SandboxSeed::projVob, "src/main.c"), "__checkout"),
                  row.expected);
    }
}

TEST(AccessListChange, IsTheDifferenceAppliedToWhatIsStored)
{
    struct Row {
        QStringList before, after, stored, expected;
    } rows[] = {
        {{"bob"}, {"bob", "carol"}, {"bob", "dave"}, {"bob", "dave", "carol"}},
        {{"bob", "eve"}, {"bob"}, {"bob", "eve", "dave"}, {"bob", "dave"}},
        {{"bob"}, {"bob", "Carol"}, {"bob", "carol"}, {"bob", "carol"}}, // case-blind duplicate test
        {{"bob", "eve"}, {"eve", "bob"}, {"bob", "eve"}, {"bob", "eve"}}, // a reorder is no edit
        {{"bob"}, {}, {}, {}},                                            // removed by both
    };
    for (const Row &row : rows) {
        const AccessListChange change = AccessListChange::between(row.before, row.after);
        EXPECT_EQ(change.appliedTo(row.stored), row.expected) << row.after.join(',').toStdString();
        EXPECT_TRUE(change.isShownBy(row.expected));
    }
}
