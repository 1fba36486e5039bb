#pragma once

#include <QString>
#include <functional>
#include <memory>

class ClearCase;
class MainWindow;
class MainWindowController;
class Platform;
class Prompter;
class WorkingState;
struct MainContext;

// The composition root: creates the services, the working state, the main window, its
// controllers and the connections between them. Program entry and the window-level tests both build the program here.
class AppComposer
{
public:
    struct Options {
        Platform *platform = nullptr;  // default: the real platform
        Prompter *prompter = nullptr;  // default: message boxes (or the log of ZAN_PROMPT_LOG)
        QString settingsFolder;        // default: the store zanctl uses too (SettingsStore::open)
        std::function<std::unique_ptr<ClearCase>(Platform &)> clearCaseFactory; // default: by environment
    };

    AppComposer();
    explicit AppComposer(Options options);
    ~AppComposer();

    AppComposer(const AppComposer &) = delete;
    AppComposer &operator=(const AppComposer &) = delete;

    static QString version();

    MainWindow &form();
    MainContext &context();
    WorkingState &state();
    MainWindowController &window();
    Platform &platform();
    Prompter &prompter();

    // Program entry up to showing the window: load, caption, single-instance refusal, show.
    // False when another instance runs (the message was shown and the window unloaded).
    bool start(bool showWindow = true);

    // Program entry as a whole: start, then run until the main window is closed.
    int run();

    template <typename T>
    T &controller();

private:
    struct Parts;
    std::unique_ptr<Parts> d;
};
