#include "clearcase/cleartool/CleartoolProcess.h"
#include "support/ErrorText.h"
#include "support/QtPrinters.h"
#include "util/ZanError.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <csignal>

namespace {

// A stand-in co-process speaking the status protocol, with commands that misbehave.
const char *fakeCleartool = R"(#!/bin/sh
n=0
while IFS= read -r line; do
  n=$((n+1))
  case "$line" in
    exit|quit) exit 0 ;;
    glued) printf 'a.c' ;;
    override) echo "override=$CLEARCASE_OVERRIDE" ;;
    catcs) printf '# Command 1 returned status 0\n'; sleep 0.1; printf 'Command 9 returned status 1\n'; sleep 0.1
           printf 'Command %s returned status 1\n# Command %s returned status 1\nlast\n' $n $n ;;
    unterminated) printf 'x\nCommand %s returned status 1' $n ;;
    late-fail) echo "Command $n returned status 1"; sleep 0.1; echo 'cleartool: Error: late' >&2; continue ;;
    spoof) printf 'Command %s returned status 0\n' $n; sleep 0.2
           echo 'cleartool: Error: Unable to create attribute "a".' >&2 ;;
    spoof-both) printf 'Command %s returned status 0\nCommand %s returned status 1\n' $n $((n+1)); sleep 0.2 ;;
    stray) echo "Command $n returned status 0"; echo 'stray'; continue ;;
    zan-end-*) echo "cleartool: Error: Unrecognized command: \"$line\"" >&2 ;;
    lines) printf 'one\r\ntwo\r\n' ;;
    fail) echo 'cleartool: Warning: Trigger "t" has refused to let rmelem proceed.' >&2
          echo 'cleartool: Error: Unable to remove element "x".' >&2 ;;
    quiet-fail) echo "Command $n returned status 2"; continue ;;
    error-ok) echo 'cleartool: Error: Unable to create attribute "a".' >&2 ;;
    refused) echo 'proj: QX_CHECKOUT may only be changed by the administrators (vobadm)' >&2
             echo 'cleartool: Warning: Trigger "t" has refused to let mkattr proceed.' >&2
             echo 'cleartool: Error: Unable to create attribute "a".' >&2 ;;
    die) echo 'cleartool: Error: fatal' >&2; exit 3 ;;
    hang) sleep 30; continue ;;
    *) echo "ran: $line" ;;
  esac
  case "$line" in fail|refused|spoof|spoof-both|zan-end-*) s=1 ;; *) s=0 ;; esac
  echo "Command $n returned status $s"
done
)";

class CleartoolProcessTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        script = dir.filePath(QStringLiteral("cleartool"));
        QFile file(script);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(fakeCleartool);
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QTemporaryDir dir;
    QString script;
};

} // namespace

TEST_F(CleartoolProcessTest, OneCoProcessAnswersEveryCommandUpToItsStatusLineAndGoesOnAfterErrors)
{
    CleartoolProcess process(script);
    // Multi-line commands are never sent.
    for (const QString &refused : {QStringLiteral("lsvob\nrmvob x"), QStringLiteral(" \t\u00a0")})
        EXPECT_THROW(process.execute(refused), ZanError);
    EXPECT_EQ(process.startCount(), 0);

    // Text that only looks like a status line (another number, not at a line's start, or
    // not at the end of the answer) stays output, with or without a final newline.
    const QList<std::pair<QString, QString>> answers{
        {QStringLiteral("lsvob -s"), QStringLiteral("ran: lsvob -s\n")},
        {QStringLiteral("glued"), QStringLiteral("a.c")},
        {QStringLiteral("lines"), QStringLiteral("one\ntwo\n")},
        {QStringLiteral("catcs"), QStringLiteral("# Command 1 returned status 0\nCommand 9 returned status 1\n"
                                                 "Command 7 returned status 1\n# Command 7 returned status 1\nlast\n")},
        {QStringLiteral("unterminated"), QStringLiteral("x\nCommand 9 returned status 1")},
        {QStringLiteral("lsvob -s"), QStringLiteral("ran: lsvob -s\n")},
    };
    for (const auto &[command, output] : answers)
        EXPECT_EQ(process.execute(command), output) << command.toStdString();

    // Error lines that trail the status line stay with their own command.
    EXPECT_EQ(process.run(QStringLiteral("late-fail")).errors, QStringList{QStringLiteral("cleartool: Error: late")});
    EXPECT_TRUE(process.run(QStringLiteral("x")).errors.isEmpty());

    const CleartoolProcess::Reply reply = process.run(QStringLiteral("fail"));
    EXPECT_EQ(reply.status, 1);
    EXPECT_EQ(reply.errors, QStringList{QStringLiteral("cleartool: Error: Unable to remove element \"x\".")});
    EXPECT_EQ(reply.warnings.size(), 1);
    // Error lines fail the command whatever its status; a trigger's own reason leads.
    for (const auto &[command, error] : {std::pair{"fail", "cleartool: Error: Unable to remove element \"x\"."},
                                         {"quiet-fail", "cleartool quiet-fail: returned status 2"},
                                         {"error-ok", "cleartool: Error: Unable to create attribute \"a\"."},
                                         {"refused", "proj: QX_CHECKOUT may only be changed by the administrators (vobadm)\n"
                                                     "cleartool: Error: Unable to create attribute \"a\"."}})
        EXPECT_EQ(errorOf([&, line = QString::fromUtf8(command)] { process.execute(line); }), QString::fromUtf8(error)) << command;
    EXPECT_EQ(process.execute(QStringLiteral("x")), QStringLiteral("ran: x\n"));
    EXPECT_EQ(process.startCount(), 1);
}

// A status line printed during the command (a trigger script's), even with the number of the
// command in flight and in an output chunk of its own, never stands in for cleartool's.
TEST_F(CleartoolProcessTest, OnlyCleartoolsOwnStatusLineEndsAnAnswer)
{
    CleartoolProcess process(script);
    struct Row {
        QString command;
        int status;
        QString output;
    } rows[] = {
        {QStringLiteral("spoof"), 1, QStringLiteral("Command 1 returned status 0\n")},
        {QStringLiteral("spoof-both"), 1, QStringLiteral("Command 5 returned status 0\nCommand 6 returned status 1\n")},
    };
    for (const Row &row : rows) {
        const CleartoolProcess::Reply reply = process.run(row.command);
        EXPECT_EQ(reply.status, row.status) << row.command.toStdString();
        EXPECT_EQ(reply.output, row.output) << row.command.toStdString();
        EXPECT_THROW(process.execute(row.command), ZanError) << row.command.toStdString();
    }
    // Anything between the command's status line and the end mark's fails the command.
    const QString stray = errorOf([&] { process.execute(QStringLiteral("stray")); });
    EXPECT_TRUE(stray.contains(QLatin1String("output after its status line"))) << stray.toStdString();
    EXPECT_EQ(process.execute(QStringLiteral("x")), QStringLiteral("ran: x\n"));
    EXPECT_EQ(process.startCount(), 2);
}

TEST_F(CleartoolProcessTest, ADeadOrSilentCoProcessFailsItsCommandAndIsReplacedForTheNext)
{
    CleartoolProcess process(script);
    const QString lost = errorOf([&] { process.execute(QStringLiteral("die")); });
    EXPECT_TRUE(lost.contains(QLatin1String("ended unexpectedly while running \"die\"")) &&
                lost.contains(QLatin1String("cleartool: Error: fatal"))) << lost.toStdString();
    EXPECT_EQ(process.execute(QStringLiteral("again")), QStringLiteral("ran: again\n"));

    process.setTimeout(300);
    const QString timeout = errorOf([&] { process.execute(QStringLiteral("hang")); });
    EXPECT_TRUE(timeout.contains(QLatin1String("did not answer \"hang\""))) << timeout.toStdString();
    process.setTimeout(CleartoolProcess::defaultTimeoutMs);
    EXPECT_EQ(process.execute(QStringLiteral("x")), QStringLiteral("ran: x\n"));

    // Killed while idle: noticed before the next command is sent.
    ::kill(pid_t(process.processId()), SIGKILL);
    for (QDeadlineTimer deadline(10000); process.isAlive() && !deadline.hasExpired();) {
    }
    EXPECT_EQ(process.execute(QStringLiteral("after kill")), QStringLiteral("ran: after kill\n"));
    EXPECT_EQ(process.startCount(), 4);

    ASSERT_TRUE(QFile::remove(script));
    errorOf([&] { process.execute(QStringLiteral("die")); });
    const QString restart = errorOf([&] { process.execute(QStringLiteral("x")); });
    EXPECT_TRUE(restart.contains(QLatin1String("stopped and could not be restarted"))) << restart.toStdString();
    CleartoolProcess missing(dir.filePath(QStringLiteral("nothing-here")));
    EXPECT_TRUE(errorOf([&] { missing.execute(QStringLiteral("x")); }).startsWith(QLatin1String("Unable to start cleartool")));
}

TEST_F(CleartoolProcessTest, AChangedOverrideSettingReachesTheNextCommand)
{
    const QByteArray before = qgetenv("CLEARCASE_OVERRIDE");
    CleartoolProcess process(script);
    for (const char *value : {"False", "True", "True"}) {
        qputenv("CLEARCASE_OVERRIDE", value);
        EXPECT_EQ(process.execute(QStringLiteral("override")), QStringLiteral("override=%1\n").arg(QLatin1String(value)));
    }
    EXPECT_EQ(process.startCount(), 2);
    before.isNull() ? qunsetenv("CLEARCASE_OVERRIDE") : qputenv("CLEARCASE_OVERRIDE", before);
}
