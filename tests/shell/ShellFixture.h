#pragma once

#include "clearcase/CCase.h"
#include "platform/SystemRoutines.h"
#include "shell/BusyState.h"
#include "shell/DetailWindow.h"
#include "shell/ErrorReporter.h"
#include "shell/MainContext.h"
#include "shell/MainWindow.h"
#include "shell/MainWindowController.h"
#include "shell/Registry.h"
#include "shell/SettingsStore.h"
#include "support/FakePlatform.h"
#include "support/ScriptedPrompter.h"
#include "util/ZanError.h"

#include <QTemporaryDir>
#include <memory>

// The main window with its shell services and no subsystem controllers.
struct ShellFixture {
    QTemporaryDir settingsDir;
    FakePlatform platform;
    ScriptedPrompter prompter;
    SettingsStore store{settingsDir.path()};
    MainWindow form;
    BusyState busy{form, platform, prompter};
    ErrorReporter errors{prompter, busy};
    Registry registry{store, prompter, [this] { busy.setBusy(false); }};
    DetailWindow detail{platform};
    SystemRoutines system{platform, prompter};
    CCase ccase{[]() -> ClearCase & {
                    throw ZanError(ZanError::ClearCaseFailure, QStringLiteral("ClearCase"), QStringLiteral("no backend"));
                },
                prompter, platform};
    MainContext context{form, platform, prompter, registry, busy, errors, detail, ccase, system, {}};
    std::unique_ptr<MainWindowController> window = std::make_unique<MainWindowController>(context, QStringLiteral("1.5.6"));
};
