// What outlives a program and what two programs share: the cleartool co-process dies with
// the program that started it, and the window and zanctl meet in one settings store.
#include "ProcessHarness.h"
#include "support/KilledRerun.h"

#include "clearcase/cleartool/CleartoolProcess.h"
#include "shell/SettingsStore.h"

#include <QFileInfo>
#include <cstdio>
#include <gtest/gtest.h>
#include <csignal>

namespace {

const char *const childVariable = "ZAN_COPROCESS_PARENT_SANDBOX";

} // namespace

// The parent the test below kills: starts a co-process, says its pid, then waits.
TEST(CoProcessParent, StartsACoProcessAndWaits)
{
    if (qEnvironmentVariableIsEmpty(childVariable))
        GTEST_SKIP() << "runs only as the child of CoProcessLifetime";
    // A cleartool that answers, then stays busy whatever happens to its input, as one
    // in the middle of a long write does.
    const QString program = QDir(qEnvironmentVariable(childVariable)).filePath(QStringLiteral("cleartool"));
    QFile script(program);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nread line\nread mark\necho 'Command 1 returned status 0'\n"
                 "echo \"cleartool: Error: Unrecognized command: \\\"$mark\\\"\" >&2\n"
                 "echo 'Command 2 returned status 1'\nexec sleep 60\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    CleartoolProcess process(program);
    process.execute(QStringLiteral("lsvob -s"));
    std::printf("coprocess %lld\n", static_cast<long long>(process.processId()));
    std::fflush(stdout);
    QThread::sleep(60);
}

TEST(CoProcessLifetime, AKilledProgramTakesItsCleartoolWithIt)
{
#ifndef Q_OS_LINUX
    GTEST_SKIP() << "the parent-death signal is Linux's";
#endif
    ProcessHarness harness;
    QProcessEnvironment environment = harness.environment();
    environment.insert(QString::fromLatin1(childVariable), harness.path(QStringLiteral("tmp")));
    QProcess parent;
    parent.setProcessEnvironment(environment);
    parent.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=CoProcessParent.*")});
    qint64 coProcess = 0;
    ASSERT_TRUE(ProcessHarness::waitFor([&] {
        parent.waitForReadyRead(100);
        const QByteArray out = parent.readAll();
        const qsizetype at = out.indexOf("coprocess ");
        if (at >= 0)
            coProcess = out.mid(at + 10).trimmed().toLongLong();
        return coProcess > 0;
    }, 60000)) << "the parent never started its co-process";
    ASSERT_FALSE(KilledRerun::ended(coProcess));
    ::kill(pid_t(parent.processId()), SIGKILL);
    parent.waitForFinished(5000);
    EXPECT_TRUE(ProcessHarness::waitFor([&] { return KilledRerun::ended(coProcess); }, 5000)) << "cleartool " << coProcess << " outlived its parent";
}

// zanctl killed in the middle of an apply takes its cleartool with it and leaves its edit
// marks behind; the rerun repairs every target regardless, on either backend.
TEST(KilledApply, TheRerunRepairsEveryTargetAndTheKilledRunsCleartoolIsGone)
{
#ifndef Q_OS_LINUX
    GTEST_SKIP() << "the parent-death signal is Linux's";
#endif
    for (const QString &backend : {QStringLiteral("cleartool"), QStringLiteral("sandbox")}) {
        SCOPED_TRACE(backend.toStdString());
        ProcessHarness harness;
        KilledRerun run(harness.path(QStringLiteral("killed")), 500, backend);
        run.setBase(QStringLiteral("first"));
        const KilledRerun::Run first = run.apply();
        ASSERT_EQ(first.status, 0);
        ASSERT_EQ(run.unrepaired(QStringLiteral("first")), 0);

        run.setBase(QStringLiteral("second"));
        const qint64 coProcess = run.applyKilledAfter(int(first.seconds * 500));
        if (backend == QLatin1String("cleartool")) {
            ASSERT_GT(coProcess, 0) << "killed before it started cleartool";
            EXPECT_TRUE(ProcessHarness::waitFor([&] { return KilledRerun::ended(coProcess); }, 5000)) << "cleartool outlived zanctl";
        }
        ASSERT_GT(run.unrepaired(QStringLiteral("second")), 0) << "killed after it was done";
        EXPECT_EQ(run.apply().status, 0);
        EXPECT_EQ(run.unrepaired(QStringLiteral("second")), 0);
    }
}

// The window opens the store zanctl opens: a group defined in one is seen by the other, and
// a store either program kept in its former folder is taken over.
TEST(SharedSettings, TheWindowAndZanctlMeetInOneStore)
{
    ProcessHarness harness;
    const QString config = harness.path(QStringLiteral("config"));
    qputenv("XDG_CONFIG_HOME", config.toLocal8Bit());
    qunsetenv("ZAN_SETTINGS");
    ASSERT_TRUE(QDir().mkpath(config + QStringLiteral("/zanctl")));
    {
        const auto seed = std::make_unique<SettingsStore>(config + QStringLiteral("/zanctl"));
        seed->setValue(QStringLiteral("PrivOper"), QStringLiteral("rmelem"));
    }
    const auto windowStore = SettingsStore::open(QString()); // as the window opens it
    EXPECT_EQ(windowStore->value(QStringLiteral("PrivOper")), QStringLiteral("rmelem"));
    windowStore->setValue(QStringLiteral("QXGROUPS"), QStringLiteral("dev"));
    windowStore->setValue(QStringLiteral("dev"), QStringLiteral("bob,ann"));

    QProcessEnvironment environment = harness.environment();
    environment.remove(QStringLiteral("ZAN_SETTINGS"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    const auto zanctl = [&](const QStringList &arguments, const QByteArray &input = {}) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(ProcessHarness::binary(QStringLiteral("zanctl")), arguments);
        process.write(input);
        process.closeWriteChannel();
        EXPECT_TRUE(process.waitForFinished(30000));
        return std::pair(process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()));
    };
    const auto [exported, file] = zanctl({QStringLiteral("export"), QStringLiteral("-")});
    EXPECT_EQ(exported, 0);
    EXPECT_TRUE(file.contains(QStringLiteral("QXGROUPS:dev\r\n")) && file.contains(QStringLiteral("dev:bob,ann\r\n")))
        << file.toStdString();

    QFile imported(harness.path(QStringLiteral("in.txt")));
    ASSERT_TRUE(imported.open(QIODevice::WriteOnly));
    imported.write("#ZAN#\r\nQXGROUPS:dev,qa\r\nqa:carol\r\n");
    imported.close();
    EXPECT_EQ(zanctl({QStringLiteral("import"), imported.fileName()}).first, 0);
    const auto reopened = SettingsStore::open(QString()); // the window after a restart
    EXPECT_EQ(reopened->value(QStringLiteral("QXGROUPS")), QStringLiteral("dev,qa"));
    EXPECT_EQ(reopened->value(QStringLiteral("qa")), QStringLiteral("carol"));
    qunsetenv("XDG_CONFIG_HOME");
}
