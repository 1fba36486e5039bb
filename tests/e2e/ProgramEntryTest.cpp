#include "ProcessHarness.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

bool instanceLockExists(const ProcessHarness &harness)
{
    return !QDir(harness.path(QStringLiteral("runtime"))).entryList({QStringLiteral("QXSECURITY-zan-*.lock")}, QDir::Files).isEmpty();
}

// A free X display number for Xvfb.
int freeDisplay()
{
    for (int display = 90; display < 140; ++display) {
        if (!QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(display)) &&
            !QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(display)))
            return display;
    }
    return -1;
}

} // namespace

TEST(ProgramEntry, ASecondInstanceIsRefusedAndLeavesNoProcessBehind)
{
    ProcessHarness harness;
    QProcess first;
    harness.start(first, QStringLiteral("first.log"));
    ASSERT_TRUE(first.waitForStarted(10000));
    ASSERT_TRUE(ProcessHarness::waitFor([&] { return instanceLockExists(harness); })) << "the first instance never claimed its lock";

    QProcess second;
    harness.start(second, QStringLiteral("second.log"));
    ASSERT_TRUE(second.waitForStarted(10000));
    EXPECT_TRUE(second.waitForFinished(30000)) << "the second instance kept running";
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(harness.log(QStringLiteral("second.log")),
              QStringLiteral("message\tAlready running...\tzan is already Running...\n"));

    EXPECT_EQ(first.state(), QProcess::Running);
    ProcessHarness::stop(first);
}

TEST(ProgramEntry, TheRealWindowOpensWithItsCaptionOnAnXServer)
{
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("xwininfo")).isEmpty())
        GTEST_SKIP() << "Xvfb and xwininfo are needed (the test script installs them)";
    const int display = freeDisplay();
    ASSERT_GE(display, 0);
    const QString displayName = QStringLiteral(":%1").arg(display);

    QProcess xserver;
    xserver.start(QStringLiteral("Xvfb"), {displayName, QStringLiteral("-screen"), QStringLiteral("0"),
                                           QStringLiteral("1280x900x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    ASSERT_TRUE(xserver.waitForStarted(10000));
    ASSERT_TRUE(ProcessHarness::waitFor([&] { return QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(display)); }));

    ProcessHarness harness;
    harness.environment().insert(QStringLiteral("DISPLAY"), displayName);
    harness.environment().insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    QProcess program;
    harness.start(program, QStringLiteral("smoke.log"));
    ASSERT_TRUE(program.waitForStarted(10000));

    const QString caption = QStringLiteral("Zan Utility - www.korvane.com (Beta Release) - ");
    QString windows;
    const bool found = ProcessHarness::waitFor([&] {
        QProcess lister;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), displayName);
        lister.setProcessEnvironment(env);
        lister.start(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-tree")});
        lister.waitForFinished(5000);
        windows = QString::fromLocal8Bit(lister.readAllStandardOutput());
        return windows.contains(caption);
    });
    EXPECT_TRUE(found) << windows.toStdString();
    EXPECT_EQ(program.state(), QProcess::Running);

    ProcessHarness::stop(program);
    ProcessHarness::stop(xserver);
}
