#pragma once

#include "clearcase/ClearCase.h"
#include "clearcase/cleartool/CleartoolClearCase.h"
#include "support/FakePlatform.h"
#include "support/TempSandbox.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcessEnvironment>

#include <memory>

// The two backends every contract test runs against, each over a fresh seeded sandbox.

inline QString emulatorProgram()
{
    const QString binDir = qEnvironmentVariable("ZAN_BIN_DIR", QCoreApplication::applicationDirPath());
    return QDir(binDir).filePath(QStringLiteral("cleartool-sim"));
}

struct SandboxBackend {
    static constexpr bool refusesUnsafeValues = false;

    SandboxBackend() : backend(sandbox.open(platform)) {}
    ClearCase &clearCase() { return *backend; }

    TempSandbox sandbox;
    FakePlatform platform;
    std::unique_ptr<ClearCase> backend;
};

// The cleartool backend driving the emulator over the same kind of sandbox.
struct CleartoolBackend {
    static constexpr bool refusesUnsafeValues = true;

    CleartoolBackend() : backend(emulatorProgram())
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("ZAN_SANDBOX"), sandbox.folder());
        backend.process().setEnvironment(environment);
    }
    ClearCase &clearCase() { return backend; }

    TempSandbox sandbox;
    CleartoolClearCase backend;
};
