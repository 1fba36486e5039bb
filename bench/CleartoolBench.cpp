// 1,000 attribute reads through one "cleartool -status" co-process against 1,000
// single-command cleartool runs, both against cleartool-sim over a seeded sandbox; and one
// 32 MB answer read from a co-process.
// Usage: bench_cleartool [--emulator=<path to cleartool-sim>] [benchmark options]
#include "clearcase/cleartool/CleartoolClearCase.h"
#include "clearcase/sandbox/SandboxStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

constexpr int reads = 1000;
const QString element = QStringLiteral("m:\\bob_dev\\proj\\src\\main.c@@/main/0");

QString g_emulator;
QString g_sandbox;
double g_coProcessSeconds = 0;
double g_singleSeconds = 0;
double g_largeReplySeconds = 0;
constexpr int largeReplyMegabytes = 32;

QProcessEnvironment sandboxEnvironment()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ZAN_SANDBOX"), g_sandbox);
    return environment;
}

void CoProcessReads(benchmark::State &state)
{
    CleartoolClearCase clearCase(g_emulator);
    clearCase.process().setEnvironment(sandboxEnvironment());
    clearCase.attributes(element); // the co-process starts once, outside the measurement
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < reads; ++i)
            benchmark::DoNotOptimize(clearCase.attributes(element));
        g_coProcessSeconds = timer.nsecsElapsed() / 1e9;
    }
}

void SingleCommandReads(benchmark::State &state)
{
    const QStringList arguments = {QStringLiteral("describe"), QStringLiteral("-aattr"), QStringLiteral("-all"), element};
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < reads; ++i) {
            QProcess process;
            process.setProcessEnvironment(sandboxEnvironment());
            process.start(g_emulator, arguments);
            if (!process.waitForFinished(60000) || process.exitCode() != 0) {
                state.SkipWithError("cleartool-sim failed");
                return;
            }
            benchmark::DoNotOptimize(process.readAllStandardOutput());
        }
        g_singleSeconds = timer.nsecsElapsed() / 1e9;
    }
}

// A stand-in co-process whose every answer is 32 MB of lines.
void LargeReply(benchmark::State &state)
{
    QTemporaryDir folder;
    const QString script = folder.filePath(QStringLiteral("large"));
    QFile file(script);
    file.open(QIODevice::WriteOnly);
    file.write(QStringLiteral("#!/bin/sh\nn=0\nwhile read -r line; do n=$((n+1))\n"
                              "  case \"$line\" in zan-end-*) echo \"cleartool: Error: Unrecognized command: \\\"$line\\\"\" >&2 ;;\n"
                              "  *) yes 'a line of output from a long listing' | head -c %1; echo ;; esac\n"
                              "  echo \"Command $n returned status 0\"\ndone\n")
                   .arg(largeReplyMegabytes << 20).toLocal8Bit());
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    CleartoolProcess process(script);
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        if (process.execute(QStringLiteral("lshistory")).size() < largeReplyMegabytes << 20)
            state.SkipWithError("short answer");
        g_largeReplySeconds = timer.nsecsElapsed() / 1e9;
    }
}

BENCHMARK(LargeReply)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(CoProcessReads)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(SingleCommandReads)->Iterations(1)->Unit(benchmark::kMillisecond);

QString emulatorFrom(int &argc, char **argv)
{
    QString emulator = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("cleartool-sim"));
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        if (argument.startsWith(QLatin1String("--emulator=")))
            emulator = argument.mid(11);
    }
    return emulator;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    g_emulator = emulatorFrom(argc, argv);
    QTemporaryDir folder;
    g_sandbox = folder.filePath(QStringLiteral("sandbox"));
    {
        SandboxStore store(g_sandbox); // seeds the sample site
        store.addAttributeType(QStringLiteral("\\proj"), {QStringLiteral("__checkout"), 8, QString(), {}});
        store.attachAttribute(QStringLiteral("\\proj"), QStringLiteral("src/main.c"), QStringLiteral("__checkout"),
                              QStringLiteral("bob,alice,ALL"), QString(), false);
    }

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (g_coProcessSeconds > 0 && g_singleSeconds > 0)
        std::printf("\n%d attribute reads: co-process %.2f s, single commands %.2f s, ratio %.1fx\n", reads,
                    g_coProcessSeconds, g_singleSeconds, g_singleSeconds / g_coProcessSeconds);
    if (g_largeReplySeconds > 0)
        std::printf("one %d MB answer from the co-process: %.2f s\n", largeReplyMegabytes, g_largeReplySeconds);
    return 0;
}
