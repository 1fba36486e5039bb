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
#include "shell/SettingsController.h"
#include "shell/SettingsStore.h"
#include "shell/StateBinding.h"
#include "shell/WorkingState.h"
#include "support/FakePlatform.h"
#include "support/MessageTable.h"
#include "support/ScriptedPrompter.h"
#include "util/ZanError.h"

#include <QTemporaryDir>
#include <memory>

// The main window with its shell services, the working state and the window's own and the
// settings controller; no subsystem controllers.
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
    WorkingState state;
    StateBinding binding{form, state};
    MainContext context{form, platform, prompter, registry, busy, errors, detail, ccase, system, state};
    SettingsController settings{context};
    std::unique_ptr<MainWindowController> window =
        std::make_unique<MainWindowController>(context, settings, QStringLiteral("1.5.6"));

    QString stored(const char *key) { return store.value(QLatin1String(key)); }
    void storeValue(const char *key, const QString &value) { store.setValue(QLatin1String(key), value); }
    QString env() { return platform.environment.value(QStringLiteral("CLEARCASE_OVERRIDE"), QStringLiteral("<unset>")); }
};

// Captions and tool tips by control name: {objectName, property ("text", "toolTip", "title"), expected}.
struct ControlText {
    const char *name;
    const char *property;
    QString expected;
};

inline void expectTexts(const QObject &window, const std::vector<ControlText> &texts)
{
    for (const ControlText &t : texts) {
        const QObject *control = window.objectName() == QLatin1String(t.name) ? &window : window.findChild<QObject *>(t.name);
        ASSERT_NE(control, nullptr) << t.name;
        EXPECT_EQ(control->property(t.property).toString(), t.expected) << t.name << "." << t.property;
    }
}
