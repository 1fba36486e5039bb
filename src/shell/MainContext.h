#pragma once

class BusyState;
class CCase;
class ClearCase;
class DetailWindow;
class ErrorReporter;
class MainWindow;
class Platform;
class Prompter;
class Registry;
class SystemRoutines;
class WorkingState;

// What every controller works with: the main window's controls, the working state they
// show, and the services below them. Nothing else is shared; a controller that needs
// another one is handed it.
struct MainContext {
    MainWindow &form;
    Platform &platform;
    Prompter &prompter;
    Registry &registry;
    BusyState &busy;
    ErrorReporter &errors;
    DetailWindow &detail;
    CCase &ccase;
    SystemRoutines &system;
    WorkingState &state;

    // The pickers and choosers that open over the access-control panel close, and with them
    // the stop message.
    void hideSubLists() const;
};
