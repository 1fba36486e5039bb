#pragma once

#include <QString>
#include <functional>

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

// Steps of one subsystem that another subsystem's flow calls. Each controller fills in its
// own steps when it is created; until then a step does nothing.
struct MainHooks {
    std::function<void(bool load, bool save)> processRegistrySettings = [](bool, bool) {};
    std::function<QString()> getPrivOperations = [] { return QString(); };
    std::function<QString()> getViewDrive = [] { return QString(); };
    std::function<void(bool skipBaseLists, bool includeUcm)> populateOperationsList = [](bool, bool) {};
    std::function<void()> hideSubLists = [] {};
    std::function<void()> doApplyAllChecked = [] {};
    std::function<void()> setTrigStatus = [] {};
    std::function<void(const QString &vobTag)> doMakeGroupAttype = [](const QString &) {};
    std::function<void()> clearAllChecked = [] {};
    std::function<void()> updateCheckedButtons = [] {};
    std::function<void(bool on)> setUcmMode = [](bool) {};
    std::function<void()> showSettingsDialog = [] {};
    // Steps of the access-control panel shared between its controllers.
    std::function<void(bool show)> showStopMsg = [](bool) {};
    std::function<void()> selectOperation = [] {};
    // Writes the edit from `before` to the users list now shown; the list then shows what is stored.
    std::function<bool(const QStringList &before)> saveUserListToElem = [](const QStringList &) { return false; };
    std::function<void()> deleteOperation = [] {};
};

// What every controller works with: the main window's controls, the services below them,
// and the hooks into the other subsystems. Nothing else is shared.
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
    MainHooks hooks;
};
