// Importing a configuration file of 100,000 records through File › Load Config File, and
// opening a settings store of 100,000 keys.
// Usage: bench_config_import [records]   (default: 100000)
#include "app/AppComposer.h"
#include "clearcase/sandbox/SandboxClearCase.h"
#include "shell/MainWindow.h"
#include "shell/SettingsStore.h"
#include "support/FakePlatform.h"
#include "support/ScriptedPrompter.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {

QString writeConfigFile(const QString &folder, int records)
{
    const QString path = folder + QStringLiteral("/zan_config.txt");
    QByteArray content("#ZAN#\r\n");
    for (int i = 0; i < records; ++i)
        content += "group_" + QByteArray::number(i) + ":bob,alice,carol_" + QByteArray::number(i) + "\r\n";
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(content);
    return path;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int records = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;

    QTemporaryDir dir;
    FakePlatform platform;
    ScriptedPrompter prompter;
    AppComposer::Options options;
    options.platform = &platform;
    options.prompter = &prompter;
    options.settingsFolder = dir.filePath(QStringLiteral("settings"));
    const QString sandbox = dir.filePath(QStringLiteral("sandbox"));
    options.clearCaseFactory = [sandbox](Platform &p) -> std::unique_ptr<ClearCase> { return SandboxClearCase::open(p, sandbox); };
    AppComposer app(options);
    app.start(false);

    prompter.files.enqueue(writeConfigFile(dir.path(), records));
    QElapsedTimer clock;
    clock.start();
    app.form().loadConfigFile->trigger();
    const qint64 importMs = clock.elapsed();

    clock.restart();
    SettingsStore reopened(options.settingsFolder);
    const QString last = reopened.value(QStringLiteral("GROUP_%1").arg(records - 1));
    const qint64 openMs = clock.elapsed();

    const bool verified = last == QStringLiteral("bob,alice,carol_%1").arg(records - 1) && reopened.entries().size() >= records;
    std::printf("%d records: import %lld ms (one store write), opening the store of %d keys %lld ms, verified %s\n", records,
                static_cast<long long>(importMs), records, static_cast<long long>(openMs), verified ? "yes" : "NO");
    return verified ? 0 : 1;
}
