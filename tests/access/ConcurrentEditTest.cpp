// Administrators editing one element at once keep each other's edits: an edit is applied to
// the value stored just before writing, and read back; an apply or a purge over the same
// elements edits each of them holding its mark, as one edit does.
#include "support/EmulatorBackend.h"
#include "support/FakePlatform.h"
#include "support/ForwardingClearCase.h"
#include "support/QtPrinters.h"
#include "support/TempSandbox.h"

#include "access/AccessApplier.h"
#include "access/AccessAttributeFormat.h"
#include "access/AccessEditor.h"
#include "access/ElementEditLock.h"
#include "clearcase/sandbox/SandboxClearCase.h"
#include "clearcase/sandbox/SandboxSeed.h"
#include "clearcase/sandbox/SandboxStore.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

const char *const folderVariable = "ZAN_CONCURRENT_EDIT_FOLDER";
const char *const roleVariable = "ZAN_CONCURRENT_EDIT_ROLE";
const char *const backendVariable = "ZAN_CONCURRENT_EDIT_BACKEND";
const QString vobRoot = QStringLiteral("m:\\bob_dev\\proj");
const QString mainC = vobRoot + QStringLiteral("\\src\\main.c");
const ElementLocation location{mainC, vobRoot, SandboxSeed::projVob};
constexpr int rounds = 30;
constexpr int runRounds = 8;
constexpr int targetCount = 40;

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

QString relativeTarget(int i) { return QStringLiteral("batch/f_%1.c").arg(i); }
QStringList targets()
{
    QStringList paths;
    for (int i = 0; i < targetCount; ++i)
        paths << vobRoot + QStringLiteral("\\batch\\f_%1.c").arg(i);
    return paths;
}
// The edit made on every target, again and again, while an apply and a purge run over them.
const AccessListChange targetChange{{QStringLiteral("dave")}, {QStringLiteral("bob")}};

std::unique_ptr<ClearCase> openBackend(const QString &kind, const QString &folder, FakePlatform &platform)
{
    if (kind == QLatin1String("cleartool"))
        return emulatorBackend(folder);
    return SandboxClearCase::open(platform, folder);
}

QString doneFile(const QString &folder) { return folder + QStringLiteral("/run.done"); }

// Runs applies and purges in turn over the targets, the given one last.
void runAppliesAndPurges(ClearCase &clearCase, const QString &last)
{
    AccessApplier applier(clearCase, 16);
    for (int step = 0; step < 2 * runRounds; ++step) {
        const bool apply = (step % 2 == 1) == (last == QLatin1String("apply"));
        if (apply)
            EXPECT_TRUE(applier.apply(location, {QStringLiteral("checkout")}, targets()).failures.isEmpty());
        else
            applier.purge(location, targets());
    }
}

// The processes a test starts, by role: "editor:<prefix>" makes the rounds above on main.c;
// "targets" edits every target until the run is done; "run:<apply|purge>" is that run.
void runRole(const QString &role, ClearCase &clearCase, const QString &folder)
{
    AccessEditor editor(clearCase);
    const QString kind = role.section(QLatin1Char(':'), 0, 0);
    const QString argument = role.section(QLatin1Char(':'), 1);
    if (kind == QLatin1String("editor")) {
        for (int round = 0; round < rounds; ++round)
            editor.changeUsers(location, QStringLiteral("checkout"), roundChange(argument, round), QString());
    } else if (kind == QLatin1String("targets")) {
        while (!QFile::exists(doneFile(folder))) {
            for (const QString &target : targets())
                editor.changeUsers({target, vobRoot, SandboxSeed::projVob}, QStringLiteral("checkout"), targetChange, QString());
        }
    } else {
        runAppliesAndPurges(clearCase, argument);
        QFile(doneFile(folder)).open(QIODevice::WriteOnly);
    }
}

QStringList storedUsers(SandboxStore &store, const QString &relative)
{
    return AccessAttributeFormat::splitUsers(AccessAttributeFormat::valueOf(store.attributes(SandboxSeed::projVob, relative),
                                                                            QStringLiteral("__checkout")));
}

class ConcurrentEdits : public ::testing::TestWithParam<const char *>
{
protected:
    void SetUp() override
    {
        sandbox.store().transaction([&] {
            sandbox.store().addElement(SandboxSeed::projVob, QStringLiteral("batch"), true);
            for (int i = 0; i < targetCount; ++i)
                sandbox.store().addElement(SandboxSeed::projVob, relativeTarget(i), false);
            for (const QString &type : {QStringLiteral("__checkout"), QStringLiteral("QX_GROUPS")})
                sandbox.store().addAttributeType(SandboxSeed::projVob, {type, 8, QString(), {}});
        });
    }

    // Starts one child per role at once and waits for all of them.
    void runAtOnce(const QStringList &roles)
    {
        std::vector<std::unique_ptr<QProcess>> children;
        for (const QString &role : roles) {
            auto child = std::make_unique<QProcess>();
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QString::fromLatin1(folderVariable), sandbox.folder());
            environment.insert(QString::fromLatin1(roleVariable), role);
            environment.insert(QString::fromLatin1(backendVariable), QString::fromLatin1(GetParam()));
            child->setProcessEnvironment(environment);
            child->setProcessChannelMode(QProcess::ForwardedChannels);
            child->start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=ConcurrentEditor.*")});
            children.push_back(std::move(child));
        }
        for (const auto &child : children) {
            ASSERT_TRUE(child->waitForFinished(300000));
            ASSERT_EQ(child->exitCode(), 0);
        }
    }

    TempSandbox sandbox;
};

} // namespace

TEST(ConcurrentEditor, PlaysItsRole)
{
    const QString folder = qEnvironmentVariable(folderVariable);
    if (folder.isEmpty())
        GTEST_SKIP() << "runs only as a child of ConcurrentEdits";
    FakePlatform platform;
    const auto clearCase = openBackend(qEnvironmentVariable(backendVariable), folder, platform);
    runRole(qEnvironmentVariable(roleVariable), *clearCase, folder);
}

// Two administrators' processes editing one element at once, as they would at a site: the
// edit mark and the redo after a read-back together keep every addition and every removal.
TEST_P(ConcurrentEdits, EveryAdditionAndEveryRemovalOfBothEditorsSurvives)
{
    sandbox.store().attachAttribute(SandboxSeed::projVob, QStringLiteral("src/main.c"), QStringLiteral("__checkout"),
                                    QStringLiteral("bob,eve"), QString(), true);
    runAtOnce({QStringLiteral("editor:a"), QStringLiteral("editor:b")});
    const QStringList stored = storedUsers(sandbox.store(), QStringLiteral("src/main.c"));
    QStringList expected = QStringList{QStringLiteral("bob")} + survivorsOf(QStringLiteral("a")) + survivorsOf(QStringLiteral("b"));
    EXPECT_EQ(QSet<QString>(stored.begin(), stored.end()), QSet<QString>(expected.begin(), expected.end()));
}

// An edit that lands while an apply or a purge writes the same target is neither lost nor
// undoes it: after one more edit of each target (the last word), every target holds the
// last run's value with the edit made to it. A stale copy written over the run would bring
// back what the purge removed (bob, carol) or drop what the apply added (carol).
TEST_P(ConcurrentEdits, AnApplyOrAPurgeAndEditsOfItsTargetsKeepEachOther)
{
    const struct {
        QString last;
        QStringList expected;
    } rows[] = {{QStringLiteral("apply"), {QStringLiteral("carol"), QStringLiteral("dave")}},
                {QStringLiteral("purge"), {QStringLiteral("dave")}}};
    sandbox.store().attachAttribute(SandboxSeed::projVob, QStringLiteral("src/main.c"), QStringLiteral("__checkout"),
                                    QStringLiteral("bob,carol"), QString(), true);
    for (const auto &row : rows) {
        QFile::remove(doneFile(sandbox.folder()));
        runAtOnce({QStringLiteral("run:") + row.last, QStringLiteral("targets")});
        FakePlatform platform;
        const auto clearCase = sandbox.open(platform);
        AccessEditor editor(*clearCase);
        for (int i = 0; i < targetCount; ++i) {
            editor.changeUsers({targets()[i], vobRoot, SandboxSeed::projVob}, QStringLiteral("checkout"), targetChange, QString());
            EXPECT_EQ(storedUsers(sandbox.store(), relativeTarget(i)), row.expected) << row.last.toStdString() << ' ' << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Backends, ConcurrentEdits, ::testing::Values("sandbox", "cleartool"));

// Another writer's stale copy lands at a chosen point of one edit: before the editor reads
// (an ordinary earlier edit) or between its write and its read-back (which undid the edit).
// The mark's type is made beforehand: taking the mark then reads nothing, so the editor's
// own read is the first and its read-back the second.
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
        for (const QString &type : {QStringLiteral("__checkout"), ElementEditLock::typeName})
            store.addAttributeType(SandboxSeed::projVob, {type, 8, QString(), {}});
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
