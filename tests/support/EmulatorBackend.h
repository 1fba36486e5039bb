#pragma once

#include "clearcase/cleartool/CleartoolClearCase.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcessEnvironment>
#include <memory>

inline QString emulatorProgram()
{
    const QString binDir = qEnvironmentVariable("ZAN_BIN_DIR", QCoreApplication::applicationDirPath());
    return QDir(binDir).filePath(QStringLiteral("cleartool-sim"));
}

// The cleartool backend driving the emulator over a sandbox folder, acting as bob.
inline std::unique_ptr<CleartoolClearCase> emulatorBackend(const QString &sandboxFolder)
{
    auto backend = std::make_unique<CleartoolClearCase>(emulatorProgram());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ZAN_SANDBOX"), sandboxFolder);
    // The emulator runs a VOB's triggers before type operations; the tests' user is exempted.
    environment.insert(QStringLiteral("CLEARCASE_USER"), QStringLiteral("bob"));
    backend->process().setEnvironment(environment);
    return backend;
}
