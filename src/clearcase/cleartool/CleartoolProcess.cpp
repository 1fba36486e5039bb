#include "clearcase/cleartool/CleartoolProcess.h"

#include "clearcase/cleartool/CleartoolQuoting.h"
#include "util/ZanError.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>

#if defined(Q_OS_UNIX)
#include <csignal>
#include <unistd.h>
#endif
#if defined(Q_OS_LINUX)
#include <sys/prctl.h>
#endif
#if defined(Q_OS_WIN)
#include <windows.h>
#endif

namespace {

const QString source = QStringLiteral("cleartool");

// Variables the program changes in its own environment while it runs (the Settings dialog's
// override): the co-process is restarted when one of them no longer has the value it got.
const char *const kFollowedVariables[] = {"CLEARCASE_OVERRIDE"};

const QRegularExpression &diagnosticPattern()
{
    static const QRegularExpression pattern(QStringLiteral("^(?:clear|multi)tool[^:]*: (Error|Warning): "));
    return pattern;
}

QString decode(QByteArrayView bytes)
{
    return QString::fromLocal8Bit(bytes).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A word no cleartool command starts with, different for every command sent. Nothing but
// cleartool itself, reading it as the next command, can print it back.
QByteArray freshEndMark()
{
    return "zan-end-" + QByteArray::number(QRandomGenerator::system()->generate64(), 16);
}

// The co-process must not outlive the program: a killed zanctl or window would otherwise
// leave cleartool holding the VOB's locks and writing for a while. It gets a process group
// of its own, so that ending it ends what it started (trigger scripts), and on Linux the
// kernel kills it when its parent dies. Other Unix systems only get the process group.
void bindToParent(QProcess &process)
{
#if defined(Q_OS_UNIX)
    const pid_t parent = ::getpid();
    process.setChildProcessModifier([parent] {
        ::setpgid(0, 0);
#if defined(Q_OS_LINUX)
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
#endif
        if (::getppid() != parent) // the parent died before the signal was armed
            ::_exit(127);
    });
#else
    Q_UNUSED(process);
#endif
}

// Windows: every co-process joins one job that is killed when its last handle, held by
// this program until it ends, is closed.
void joinParentJob(QProcess &process)
{
#if defined(Q_OS_WIN)
    static const HANDLE job = [] {
        const HANDLE created = ::CreateJobObjectW(nullptr, nullptr);
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        if (created)
            ::SetInformationJobObject(created, JobObjectExtendedLimitInformation, &limits, sizeof(limits));
        return created;
    }();
    const HANDLE child = ::OpenProcess(PROCESS_SET_QUOTA | PROCESS_TERMINATE, FALSE, DWORD(process.processId()));
    if (job && child)
        ::AssignProcessToJobObject(job, child);
    if (child)
        ::CloseHandle(child);
#else
    Q_UNUSED(process);
#endif
}

// Ends the co-process and, on Unix, everything in its process group.
void killGroup(QProcess &process)
{
#if defined(Q_OS_UNIX)
    if (process.processId() > 0)
        ::kill(-pid_t(process.processId()), SIGKILL);
#endif
    process.kill();
    process.waitForFinished(2000);
}

} // namespace

// Only the end of what has arrived is looked at, so reading a long answer stays linear.
// The line must carry the number of the command in flight: text in the output that merely
// looks like a status line (a config spec comment, an attribute value) never ends a reply.
// It starts a line, or follows output that had no final newline.
CleartoolProcess::StatusLine CleartoolProcess::findStatusLine(const QByteArray &output, int commandNumber)
{
    if (!output.endsWith('\n'))
        return {};
    qsizetype end = output.size() - 1;
    if (end > 0 && output.at(end - 1) == '\r')
        --end;
    qsizetype digits = end;
    while (digits > 0 && isDigit(output.at(digits - 1)))
        --digits;
    if (digits == end)
        return {};
    const qsizetype number = digits > 0 && output.at(digits - 1) == '-' ? digits - 1 : digits;
    const QByteArray prefix = "Command " + QByteArray::number(commandNumber) + " returned status ";
    const qsizetype start = number - prefix.size();
    if (start < 0 || QByteArrayView(output).sliced(start, prefix.size()) != prefix)
        return {};
    return {start, QByteArrayView(output).sliced(number, end - number).toInt()};
}

CleartoolProcess::CleartoolProcess(QString program, int timeoutMs)
    : m_program(std::move(program)), m_timeoutMs(timeoutMs), m_environment(QProcessEnvironment::systemEnvironment())
{
}

CleartoolProcess::~CleartoolProcess()
{
    stop();
}

qint64 CleartoolProcess::processId() const
{
    return m_process && m_process->state() != QProcess::NotRunning ? m_process->processId() : 0;
}

// Every command is followed by an end mark, a command cleartool does not know: its error
// line on stderr, which carries this call's random word, comes only after everything the
// command printed on either pipe, and its status line follows the command's own on stdout.
// Output that merely looks like a status line (a trigger script's) can therefore never end
// a reply early or stand in for the command's status.
CleartoolProcess::Reply CleartoolProcess::run(const QString &commandLine)
{
    CleartoolQuoting::requireSingleLine(commandLine);
    if (commandLine.trimmed().isEmpty())
        throw ZanError(ZanError::General, source, QStringLiteral("Empty cleartool command line"));
    ensureRunning();
    // Output after the last answer was not cleartool's own (a script's process still
    // printing): start over rather than read it as this answer.
    if (m_process->bytesAvailable() > 0 || m_process->waitForReadyRead(0)) {
        m_lost = true;
        start();
    }
    m_stderr.clear();
    m_process->readAllStandardError();
    const QByteArray endMark = freshEndMark();
    if (m_process->write(commandLine.toLocal8Bit() + '\n' + endMark + '\n') < 0)
        failLost(commandLine);
    m_commandNumber += 2;

    const QByteArray output = readUntilEndMark(commandLine, endMark);
    const StatusLine status = findStatusLine(output.first(findStatusLine(output, m_commandNumber).start), m_commandNumber - 1);
    if (status.start < 0)
        failGarbled(commandLine);

    Reply reply;
    reply.output = decode(QByteArrayView(output).first(status.start));
    reply.status = status.status;
    classifyDiagnostics(reply, endMark);
    return reply;
}

QString CleartoolProcess::execute(const QString &commandLine)
{
    const Reply reply = run(commandLine);
    if (reply.status != 0 || !reply.errors.isEmpty())
        throw ZanError(ZanError::ClearCaseFailure, source, describeFailure(commandLine, reply));
    return reply.output;
}

QString CleartoolProcess::describeFailure(const QString &commandLine, const Reply &reply)
{
    // A refusing trigger prints its reason before cleartool's own error lines; warnings
    // only say something when nothing else was printed.
    QStringList lines;
    for (const QString &line : reply.diagnostics) {
        if (!reply.warnings.contains(line))
            lines << line;
    }
    if (lines.isEmpty())
        lines = reply.warnings;
    if (!lines.isEmpty())
        return lines.join(QLatin1Char('\n'));
    return QStringLiteral("cleartool %1: returned status %2").arg(commandLine).arg(reply.status);
}

bool CleartoolProcess::isAlive()
{
    // A death while idle is only noticed when someone looks: poll without waiting.
    if (m_process && m_process->state() == QProcess::Running)
        m_process->waitForFinished(0);
    return m_process && m_process->state() == QProcess::Running;
}

QStringList CleartoolProcess::followedValues()
{
    QStringList values;
    for (const char *name : kFollowedVariables)
        values << (qEnvironmentVariableIsSet(name) ? qEnvironmentVariable(name) : QStringLiteral("<unset>"));
    return values;
}

void CleartoolProcess::ensureRunning()
{
    const bool alive = isAlive();
    if (alive && followedValues() == m_startedWith)
        return;
    if (m_process && !alive)
        m_lost = true; // died while idle
    start(); // also when a followed setting changed: it takes effect with the next command
}

void CleartoolProcess::start()
{
    const bool restarting = m_lost;
    stop();
    m_process = std::make_unique<QProcess>();
    QProcessEnvironment environment = m_environment;
    m_startedWith = followedValues();
    for (const char *name : kFollowedVariables) {
        if (qEnvironmentVariableIsSet(name))
            environment.insert(QString::fromLatin1(name), qEnvironmentVariable(name));
    }
    // A profile could supply default comments or prompts that would stall the co-process.
    environment.remove(QStringLiteral("CLEARCASE_PROFILE"));
    m_process->setProcessEnvironment(environment);
    m_process->setProgram(m_program);
    m_process->setArguments({QStringLiteral("-status")});
    bindToParent(*m_process);
    m_process->start();
    ++m_startCount;
    m_commandNumber = 0;
    if (!m_process->waitForStarted(m_timeoutMs)) {
        const QString reason = m_process->errorString();
        m_process.reset();
        m_lost = restarting;
        throw ZanError(ZanError::CommandFailure, source,
                       restarting ? QStringLiteral("The cleartool co-process (%1) stopped and could not be restarted: %2")
                                        .arg(m_program, reason)
                                  : QStringLiteral("Unable to start cleartool (%1): %2").arg(m_program, reason));
    }
    joinParentJob(*m_process);
    m_lost = false;
}

void CleartoolProcess::stop()
{
    if (!m_process)
        return;
    if (m_process->state() == QProcess::Running) {
        m_process->write("exit\n");
        m_process->closeWriteChannel();
        if (!m_process->waitForFinished(2000))
            killGroup(*m_process);
    }
    m_process.reset();
}

void CleartoolProcess::end()
{
    m_lost = true;
    killGroup(*m_process);
}

void CleartoolProcess::failLost(const QString &commandLine)
{
    const QString detail = decode(m_stderr + m_process->readAllStandardError()).trimmed();
    end();
    QString description = QStringLiteral("The cleartool co-process (%1) ended unexpectedly while running \"%2\"; "
                                         "it will be restarted for the next command.")
                              .arg(m_program, commandLine);
    if (!detail.isEmpty())
        description += QLatin1Char('\n') + detail;
    throw ZanError(ZanError::CommandFailure, source, description);
}

void CleartoolProcess::failTimeout(const QString &commandLine)
{
    end();
    throw ZanError(ZanError::CommandFailure, source,
                   QStringLiteral("cleartool (%1) did not answer \"%2\" within %3 seconds; the co-process was ended.")
                       .arg(m_program, commandLine)
                       .arg(m_timeoutMs / 1000.0));
}

// Reads both pipes until the end mark's error line is on stderr and its status line ends
// stdout. Until the mark is seen, stdout is waited on (its status line follows the mark);
// once stdout shows a status line of the mark's number but stderr no mark yet, stderr is.
QByteArray CleartoolProcess::readUntilEndMark(const QString &commandLine, const QByteArray &endMark)
{
    const QByteArray markError = '"' + endMark + '"';
    QByteArray output;
    QDeadlineTimer deadline(m_timeoutMs);
    for (;;) {
        output += m_process->readAllStandardOutput();
        m_stderr += m_process->readAllStandardError();
        const bool marked = m_stderr.contains(markError);
        if (marked) {
            // Everything before the mark's status line is in the pipe by now.
            while (m_process->waitForReadyRead(0))
                output += m_process->readAllStandardOutput();
        }
        const bool markStatus = findStatusLine(output, m_commandNumber).start >= 0;
        if (marked && markStatus)
            return output;
        if (m_process->state() != QProcess::Running)
            failLost(commandLine);
        if (deadline.hasExpired())
            failTimeout(commandLine);
        m_process->setReadChannel(markStatus ? QProcess::StandardError : QProcess::StandardOutput);
        m_process->waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())));
        m_process->setReadChannel(QProcess::StandardOutput);
    }
}

void CleartoolProcess::failGarbled(const QString &commandLine)
{
    end();
    throw ZanError(ZanError::CommandFailure, source,
                   QStringLiteral("cleartool (%1) answered \"%2\" with output after its status line; the command counts "
                                  "as failed and the co-process was ended.")
                       .arg(m_program, commandLine));
}

// The command's diagnostics are what stderr holds before the end mark's error line.
void CleartoolProcess::classifyDiagnostics(Reply &reply, const QByteArray &endMark)
{
    static const QRegularExpression markLine(QStringLiteral("(?:clear|multi)tool[^:\n]*: Error: [^\n]*$"));
    QString diagnostics = decode(m_stderr);
    m_stderr.clear();
    diagnostics.truncate(diagnostics.indexOf(QLatin1Char('"') + QString::fromLatin1(endMark) + QLatin1Char('"')));
    const QRegularExpressionMatch mark = markLine.match(diagnostics);
    if (mark.hasMatch())
        diagnostics.truncate(mark.capturedStart());
    const QStringList lines = diagnostics.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    reply.diagnostics = lines;
    for (const QString &line : lines) {
        const QRegularExpressionMatch match = diagnosticPattern().match(line);
        if (!match.hasMatch())
            reply.otherDiagnostics << line;
        else if (match.captured(1) == QLatin1String("Error"))
            reply.errors << line;
        else
            reply.warnings << line;
    }
}
