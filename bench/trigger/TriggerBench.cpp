// What one decision of the security trigger costs: N runs of the shipped script with the
// trigger variables cleartool-sim sets for a checkout of m:\bob_dev\proj\src\main.c (bob
// listed, eve not), against the floor of a Perl start plus the one describe the decision
// needs. Both reach cleartool-sim through the same counting "cleartool" on the PATH, as the
// emulator's triggers reach it through <sandbox>/bin/cleartool; the runs interleave, so the
// machine's load falls on both alike.
// Usage: bench_trigger [--emulator=<cleartool-sim>] [--script=<_qx_security_trigger.pl>] [--ops=N]
// Prints: trigger ops=<n> cleartool_calls_per_op=<c> ms_per_op=<t> floor_ms_per_op=<f> ratio=<t/f>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

namespace {

const QString element = QStringLiteral("m:\\bob_dev\\proj\\src\\main.c");
const QString root = QStringLiteral("m:\\bob_dev\\proj\\.");

struct Options {
    QString emulator;
    QString script = QStringLiteral(ZAN_SOURCE_DIR "/trigger/_qx_security_trigger.pl");
    int ops = 200;
};

Options parse(const QStringList &arguments)
{
    Options options;
    options.emulator = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("cleartool-sim"));
    for (const QString &argument : arguments.mid(1)) {
        const QString value = argument.section(QLatin1Char('='), 1);
        if (argument.startsWith(QLatin1String("--emulator=")))
            options.emulator = value;
        else if (argument.startsWith(QLatin1String("--script=")))
            options.script = value;
        else if (argument.startsWith(QLatin1String("--ops=")))
            options.ops = qMax(1, value.toInt());
    }
    return options;
}

class Bench
{
public:
    explicit Bench(const Options &options) : m_options(options)
    {
        m_sandbox = m_folder.filePath(QStringLiteral("sandbox"));
        m_count = m_folder.filePath(QStringLiteral("calls"));
        m_view = QDir(m_sandbox).filePath(QStringLiteral("drives/m/bob_dev/proj"));
    }

    bool prepare()
    {
        const QString bin = m_folder.filePath(QStringLiteral("bin"));
        QDir().mkpath(bin);
        m_wrapper = QDir(bin).filePath(QStringLiteral("cleartool"));
        QFile wrapper(m_wrapper);
        if (!wrapper.open(QIODevice::WriteOnly))
            return false;
        wrapper.write(QStringLiteral("#!/bin/sh\necho >>'%1'\nZAN_SANDBOX='%2' exec '%3' \"$@\"\n")
                          .arg(m_count, m_sandbox, QFileInfo(m_options.emulator).absoluteFilePath())
                          .toLocal8Bit());
        wrapper.close();
        wrapper.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_path = bin + QLatin1Char(':') + qEnvironmentVariable("PATH");
        // The first run seeds the sandbox; then main.c gets its checkout setting.
        return cleartool({QStringLiteral("lsvob")}) && cleartool({QStringLiteral("mkattype"), QStringLiteral("-nc"), QStringLiteral("-vtype"),
                                                                 QStringLiteral("string"), QStringLiteral("__checkout@\\proj")})
               && cleartool({QStringLiteral("mkattr"), QStringLiteral("-nc"), QStringLiteral("__checkout"), QStringLiteral("\"bob\""),
                             element + QStringLiteral("@@/main/0")});
    }

    // One decision by the script; false when it decided other than expected.
    bool decide(const QString &user, int expectedStatus)
    {
        QProcessEnvironment env = triggerEnvironment(user);
        return run(env, {m_options.script, QStringLiteral("m"), QStringLiteral("admin1")}) == expectedStatus;
    }

    // A Perl start and the describe the decision sends: the element's and the root's /main/0
    // with the privileged list and the checkout setting.
    bool floor()
    {
        const QString marker = QStringLiteral("@zan1.2.3@");
        const QString format = marker + QStringLiteral("o\\n%m\\n%En\\n%Vn\\n") + marker + QStringLiteral("a\\n%[QX_PRIVOPER]a\\n") + marker
                               + QStringLiteral("a\\n%[__checkout]a\\n") + marker + QStringLiteral("e\\n");
        return run(triggerEnvironment(QStringLiteral("eve")),
                   {QStringLiteral("-e"), QStringLiteral("exit(system { 'cleartool' } 'cleartool', @ARGV) >> 8"), QStringLiteral("describe"),
                    QStringLiteral("-fmt"), format, root + QStringLiteral("@@/main/0"), element + QStringLiteral("@@/main/0")})
               == 0;
    }

    int calls() const
    {
        QFile file(m_count);
        return file.open(QIODevice::ReadOnly) ? int(file.readAll().count('\n')) : 0;
    }

private:
    bool cleartool(const QStringList &arguments)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("PATH"), m_path);
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(m_wrapper, arguments);
        return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    }

    // What cleartool-sim's TriggerRunner gives the element trigger's action for the checkout.
    QProcessEnvironment triggerEnvironment(const QString &user) const
    {
        QProcessEnvironment env;
        for (const char *name : {"HOME", "LANG", "TMPDIR"}) {
            if (qEnvironmentVariableIsSet(name))
                env.insert(QString::fromLatin1(name), qEnvironmentVariable(name));
        }
        const QHash<QString, QString> variables{
            {QStringLiteral("CLEARCASE_OP_KIND"), QStringLiteral("checkout")},
            {QStringLiteral("CLEARCASE_TRTYPE_KIND"), QStringLiteral("pre-operation")},
            {QStringLiteral("CLEARCASE_USER"), user},
            {QStringLiteral("CLEARCASE_VOB_PN"), QStringLiteral("\\proj")},
            {QStringLiteral("CLEARCASE_TRTYPE"), QStringLiteral("_KORVANE_SECURITY1")},
            {QStringLiteral("CLEARCASE_PN"), element},
            {QStringLiteral("CLEARCASE_XPN"), element + QStringLiteral("@@\\main\\0")},
            {QStringLiteral("CLEARCASE_XN_SFX"), QStringLiteral("@@")},
            {QStringLiteral("CLEARCASE_ID_STR"), QStringLiteral("\\main\\0")},
            {QStringLiteral("CLEARCASE_ELTYPE"), QStringLiteral("text_file")},
            {QStringLiteral("CLEARCASE_MTYPE"), QStringLiteral("element")},
            {QStringLiteral("CLEARCASE_BRTYPE"), QStringLiteral("main")},
            {QStringLiteral("CLEARCASE_VIEW_TAG"), QStringLiteral("bob_dev")},
            {QStringLiteral("CLEARCASE_VIEW_KIND"), QStringLiteral("dynamic")},
            {QStringLiteral("CLEARCASE_CMDLINE"), QStringLiteral("checkout -nc ") + element},
            {QStringLiteral("PATH"), m_path}};
        for (auto it = variables.constBegin(); it != variables.constEnd(); ++it)
            env.insert(it.key(), it.value());
        return env;
    }

    int run(const QProcessEnvironment &env, const QStringList &arguments)
    {
        QProcess process;
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(m_view);
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        process.start(QStringLiteral("perl"), arguments);
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
            return -1;
        return process.exitCode();
    }

    Options m_options;
    QTemporaryDir m_folder;
    QString m_sandbox, m_count, m_view, m_path, m_wrapper;
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const Options options = parse(app.arguments());
    Bench bench(options);
    if (!bench.prepare() || !bench.decide(QStringLiteral("bob"), 0) || !bench.decide(QStringLiteral("eve"), 1) || !bench.floor()) {
        std::fprintf(stderr, "bench_trigger: the sandbox, the script or cleartool-sim (%s) does not work as expected\n",
                     qPrintable(options.emulator));
        return 1;
    }
    qint64 scriptNs = 0, floorNs = 0;
    int scriptCalls = 0;
    for (int i = 0; i < options.ops; ++i) {
        const bool bob = i % 2 == 0;
        const int before = bench.calls();
        QElapsedTimer timer;
        timer.start();
        const bool right = bench.decide(bob ? QStringLiteral("bob") : QStringLiteral("eve"), bob ? 0 : 1);
        scriptNs += timer.nsecsElapsed();
        scriptCalls += bench.calls() - before;
        timer.restart();
        const bool floorRan = bench.floor();
        floorNs += timer.nsecsElapsed();
        if (!right || !floorRan) {
            std::fprintf(stderr, "bench_trigger: run %d: %s\n", i, right ? "the floor failed" : "the decision came out wrong");
            return 1;
        }
    }
    const double ms = scriptNs / 1e6 / options.ops;
    const double floorMs = floorNs / 1e6 / options.ops;
    std::printf("trigger ops=%d cleartool_calls_per_op=%.2f ms_per_op=%.1f floor_ms_per_op=%.1f ratio=%.2f\n", options.ops,
                double(scriptCalls) / options.ops, ms, floorMs, ms / floorMs);
    return 0;
}
