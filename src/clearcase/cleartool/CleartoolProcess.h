#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <memory>

class QProcess;

// One long-lived "cleartool -status" co-process, started on first use and kept for the run.
// Each command is one line on its stdin, followed by an end mark: a line no cleartool
// command starts with, holding a random word new for every call. Its answer is everything on
// stdout up to "Command N returned status M", N being the number of that command in the
// session (the line may be glued to output that has no final newline), plus the
// diagnostics on stderr, both ending where cleartool's "Unrecognized command" error for the
// end mark begins. A status line a trigger script prints is thus never taken for the
// command's; an answer that does not end in the command's status line directly followed by
// the mark's fails the command.
//
// A co-process that dies is noticed: the command in flight fails, and the next command
// starts a fresh co-process once; if that fails too, the error says so. A command that
// gets no answer before the deadline fails and the co-process is ended, so that a stuck
// cleartool never hangs the program. Output that arrives between answers (a script's
// process still printing) makes the next command start a fresh co-process rather than read
// it as its answer. The co-process runs in a process group of its own and dies with the
// program (Linux: the parent-death signal; Windows: a job object).
class CleartoolProcess
{
public:
    struct Reply {
        QString output;        // stdout without the status line, "\r\n" turned into "\n"
        int status = 0;        // M of the status line
        QStringList errors;    // "cleartool: Error: ..." lines, as printed
        QStringList warnings;  // "cleartool: Warning: ..." lines
        QStringList otherDiagnostics; // any other stderr line (a trigger script's output, ...)
        QStringList diagnostics; // every stderr line, in the order printed
    };

    static constexpr int defaultTimeoutMs = 120000;

    explicit CleartoolProcess(QString program, int timeoutMs = defaultTimeoutMs);
    ~CleartoolProcess();
    CleartoolProcess(const CleartoolProcess &) = delete;
    CleartoolProcess &operator=(const CleartoolProcess &) = delete;

    const QString &program() const { return m_program; }
    // Environment for co-processes started from now on (default: the program's own). The
    // override variable always follows the program's own environment: when the program
    // changes it, the co-process is restarted before the next command.
    void setEnvironment(const QProcessEnvironment &environment) { m_environment = environment; }
    void setTimeout(int milliseconds) { m_timeoutMs = milliseconds; }

    // Sends one command line and returns the answer whatever its status. Throws ZanError
    // when the line cannot be sent as one command, or the co-process cannot be started,
    // dies or does not answer in time.
    Reply run(const QString &commandLine);

    // As run(), but anything short of a clean success (a non-zero status, or error lines
    // with status 0) throws a ZanError described by describeFailure(). Returns the output.
    QString execute(const QString &commandLine);

    // Process id of the running co-process, 0 when none runs (tests use it).
    qint64 processId() const;
    // Whether the co-process still runs; notices a death that happened while idle.
    bool isAlive();
    // How many co-processes were started so far.
    int startCount() const { return m_startCount; }

    // The error description of a failed reply: what it printed on stderr, in order (a
    // refusing trigger's own reason, then cleartool's errors), its warnings when that is
    // all, else a generic text naming the command and status.
    static QString describeFailure(const QString &commandLine, const Reply &reply);

    struct StatusLine {
        qsizetype start = -1; // where the status line begins in the output; -1: none yet
        int status = 0;
    };
    // The status line of command number commandNumber at the very end of output.
    static StatusLine findStatusLine(const QByteArray &output, int commandNumber);

private:
    void ensureRunning();
    static QStringList followedValues();
    void start();
    void stop();
    [[noreturn]] void failLost(const QString &commandLine);
    [[noreturn]] void failTimeout(const QString &commandLine);
    void end();
    [[noreturn]] void failGarbled(const QString &commandLine);
    QByteArray readUntilEndMark(const QString &commandLine, const QByteArray &endMark);
    void classifyDiagnostics(Reply &reply, const QByteArray &endMark);

    QString m_program;
    int m_timeoutMs;
    QProcessEnvironment m_environment;
    std::unique_ptr<QProcess> m_process;
    QByteArray m_stderr;
    int m_startCount = 0;
    QStringList m_startedWith; // followedValues() when the running co-process started
    int m_commandNumber = 0; // of the last command sent to the running co-process
    bool m_lost = false; // the previous co-process died or was ended after a timeout
};
