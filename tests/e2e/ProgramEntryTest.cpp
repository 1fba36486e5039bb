#include "ProcessHarness.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <gtest/gtest.h>

TEST(ProgramEntry, ASecondInstanceIsRefusedAndLeavesNoProcessBehind)
{
    ProcessHarness harness;
    QProcess first;
    harness.start(first, "first.log");
    ASSERT_TRUE(first.waitForStarted(10000));
    ASSERT_TRUE(ProcessHarness::waitFor([&] {
        return !QDir(harness.path("runtime")).entryList({"QXSECURITY-zan-*.lock"}, QDir::Files).isEmpty();
    })) << "the first instance never claimed its lock";

    QProcess second;
    harness.start(second, "second.log");
    ASSERT_TRUE(second.waitForStarted(10000));
    EXPECT_TRUE(second.waitForFinished(30000)) << "the second instance kept running";
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(harness.log("second.log"), "message\tAlready running...\tzan is already Running...\n");
    EXPECT_EQ(first.state(), QProcess::Running);
    ProcessHarness::stop(first);
}

TEST(ProgramEntry, TheRealWindowOpensWithItsCaptionOnAnXServer)
{
    if (QStandardPaths::findExecutable("Xvfb").isEmpty() || QStandardPaths::findExecutable("xwininfo").isEmpty())
        GTEST_SKIP() << "Xvfb and xwininfo are needed (the test script installs them)";
    int display = 90;
    const auto socket = [&] { return QStringLiteral("/tmp/.X11-unix/X%1").arg(display); };
    while (display < 140 && (QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(display)) || QFileInfo::exists(socket())))
        ++display;
    ASSERT_LT(display, 140) << "no free X display";
    const QString displayName = QStringLiteral(":%1").arg(display);

    QProcess xserver;
    xserver.start("Xvfb", {displayName, "-screen", "0", "1280x900x24", "-nolisten", "tcp"});
    ASSERT_TRUE(xserver.waitForStarted(10000));
    ASSERT_TRUE(ProcessHarness::waitFor([&] { return QFileInfo::exists(socket()); }));

    ProcessHarness harness;
    harness.environment().insert("DISPLAY", displayName);
    harness.environment().insert("QT_QPA_PLATFORM", "xcb");
    QProcess program;
    harness.start(program, "smoke.log");
    ASSERT_TRUE(program.waitForStarted(10000));

    QString windows;
    const bool found = ProcessHarness::waitFor([&] {
        QProcess lister;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", displayName);
        lister.setProcessEnvironment(env);
        lister.start("xwininfo", {"-root", "-tree"});
        lister.waitForFinished(5000);
        windows = QString::fromLocal8Bit(lister.readAllStandardOutput());
        return windows.contains("Zan Utility - www.korvane.com (Beta Release) - ");
    });
    EXPECT_TRUE(found) << windows.toStdString();
    EXPECT_EQ(program.state(), QProcess::Running);
    ProcessHarness::stop(program);
    ProcessHarness::stop(xserver);
}
