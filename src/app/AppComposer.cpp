#include "app/AppComposer.h"

#include "access/AccessListController.h"
#include "access/AccessToolsController.h"
#include "access/ApplyPurgeController.h"
#include "access/OperationsController.h"
#include "browser/ElementHistoryController.h"
#include "browser/ElementTreeController.h"
#include "browser/UcmController.h"
#include "browser/ViewsController.h"
#include "clearcase/CCase.h"
#include "clearcase/ClearCaseFactory.h"
#include "groups/GroupsController.h"
#include "shell/DesktopPlatform.h"
#include "platform/SystemRoutines.h"
#include "shell/BusyState.h"
#include "shell/DetailWindow.h"
#include "shell/ErrorReporter.h"
#include "shell/LoggingPrompter.h"
#include "shell/MainContext.h"
#include "shell/MainWindow.h"
#include "shell/MainWindowController.h"
#include "shell/QtPrompter.h"
#include "shell/Registry.h"
#include "shell/SettingsController.h"
#include "shell/SettingsStore.h"
#include "shell/StateBinding.h"
#include "shell/WorkingState.h"
#include "triggers/ConfigFileController.h"
#include "triggers/TriggerInstallController.h"
#include "triggers/TriggerLocationsController.h"
#include "triggers/TriggerStatusController.h"
#include "util/AppInfo.h"

#include <QApplication>
#include <QFileInfo>

struct AppComposer::Parts {
    std::unique_ptr<Platform> ownPlatform;
    std::unique_ptr<Prompter> ownPrompter;
    Platform *platform = nullptr;
    Prompter *prompter = nullptr;
    std::function<std::unique_ptr<ClearCase>(Platform &)> clearCaseFactory;
    std::unique_ptr<ClearCase> clearCase;

    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<MainWindow> form;
    std::unique_ptr<BusyState> busy;
    std::unique_ptr<ErrorReporter> errors;
    std::unique_ptr<Registry> registry;
    std::unique_ptr<DetailWindow> detail;
    std::unique_ptr<SystemRoutines> system;
    std::unique_ptr<CCase> ccase;
    std::unique_ptr<WorkingState> state;
    std::unique_ptr<MainContext> context;

    std::unique_ptr<MainWindowController> window;
    std::unique_ptr<SettingsController> settings;
    std::unique_ptr<ConfigFileController> configFile;
    std::unique_ptr<ViewsController> views;
    std::unique_ptr<ElementTreeController> tree;
    std::unique_ptr<ElementHistoryController> elementHistory;
    std::unique_ptr<UcmController> ucm;
    std::unique_ptr<OperationsController> operations;
    std::unique_ptr<AccessListController> accessLists;
    std::unique_ptr<ApplyPurgeController> applyPurge;
    std::unique_ptr<GroupsController> groups;
    std::unique_ptr<TriggerLocationsController> triggerLocations;
    std::unique_ptr<TriggerStatusController> triggerStatus;
    std::unique_ptr<TriggerInstallController> triggerInstall;
    std::unique_ptr<AccessToolsController> accessTools;

    ClearCase &clearCaseObject()
    {
        if (!clearCase) {
            clearCase = clearCaseFactory(*platform);
            state->setSiteStyle(clearCase->siteStyle());
        }
        return *clearCase;
    }
};

AppComposer::AppComposer() : AppComposer(Options()) {}

AppComposer::AppComposer(Options options) : d(std::make_unique<Parts>())
{
    if (options.platform) {
        d->platform = options.platform;
    } else {
        d->ownPlatform = std::make_unique<DesktopPlatform>();
        d->platform = d->ownPlatform.get();
    }
    if (options.prompter) {
        d->prompter = options.prompter;
    } else if (const QString log = qEnvironmentVariable("ZAN_PROMPT_LOG"); !log.isEmpty()) {
        d->ownPrompter = std::make_unique<LoggingPrompter>(log);
        d->prompter = d->ownPrompter.get();
    } else {
        d->ownPrompter = std::make_unique<QtPrompter>();
        d->prompter = d->ownPrompter.get();
    }
    d->clearCaseFactory = options.clearCaseFactory ? options.clearCaseFactory : &ClearCaseFactory::create;

    d->store = SettingsStore::open(options.settingsFolder);
    d->form = std::make_unique<MainWindow>();
    if (auto *qtPrompter = dynamic_cast<QtPrompter *>(d->prompter))
        qtPrompter->setParent(d->form.get());
    d->busy = std::make_unique<BusyState>(*d->form, *d->platform, *d->prompter);
    d->errors = std::make_unique<ErrorReporter>(*d->prompter, *d->busy);
    d->registry = std::make_unique<Registry>(*d->store, *d->prompter, [this] { d->busy->setBusy(false); });
    d->detail = std::make_unique<DetailWindow>(*d->platform);
    d->system = std::make_unique<SystemRoutines>(*d->platform, *d->prompter);
    d->ccase = std::make_unique<CCase>([this]() -> ClearCase & { return d->clearCaseObject(); }, *d->prompter, *d->platform);
    d->state = std::make_unique<WorkingState>();
    new StateBinding(*d->form, *d->state);
    d->context = std::make_unique<MainContext>(MainContext{*d->form, *d->platform, *d->prompter, *d->registry, *d->busy,
                                                           *d->errors, *d->detail, *d->ccase, *d->system, *d->state});

    MainContext &ctx = *d->context;
    d->settings = std::make_unique<SettingsController>(ctx);
    d->window = std::make_unique<MainWindowController>(ctx, *d->settings, version());
    d->configFile = std::make_unique<ConfigFileController>(ctx);
    d->views = std::make_unique<ViewsController>(ctx);
    d->tree = std::make_unique<ElementTreeController>(ctx);
    d->elementHistory = std::make_unique<ElementHistoryController>(ctx);
    d->ucm = std::make_unique<UcmController>(ctx);
    d->applyPurge = std::make_unique<ApplyPurgeController>(ctx);
    d->operations = std::make_unique<OperationsController>(ctx, *d->applyPurge);
    d->accessLists = std::make_unique<AccessListController>(ctx, *d->operations);
    d->groups = std::make_unique<GroupsController>(ctx);
    d->triggerLocations = std::make_unique<TriggerLocationsController>(ctx);
    d->triggerStatus = std::make_unique<TriggerStatusController>(ctx);
    d->triggerInstall = std::make_unique<TriggerInstallController>(ctx, *d->settings, *d->triggerStatus);
    d->accessTools = std::make_unique<AccessToolsController>(ctx);

    // A VOB root selected shows its trigger status, then makes sure its groups type exists.
    QObject::connect(d->state.get(), &WorkingState::vobRootSelected, d->triggerStatus.get(),
                     &TriggerStatusController::setTrigStatus);
    QObject::connect(d->state.get(), &WorkingState::vobRootSelected, d->groups.get(),
                     &GroupsController::doMakeGroupAttype);
}

AppComposer::~AppComposer()
{
    // Controllers go before the window whose controls they hold.
    d->accessTools.reset();
    d->triggerInstall.reset();
    d->triggerStatus.reset();
    d->triggerLocations.reset();
    d->groups.reset();
    d->accessLists.reset();
    d->operations.reset();
    d->applyPurge.reset();
    d->ucm.reset();
    d->elementHistory.reset();
    d->tree.reset();
    d->views.reset();
    d->configFile.reset();
    d->window.reset();
    d->settings.reset();
    d->detail.reset();
}

QString AppComposer::version()
{
    return AppInfo::version();
}

MainWindow &AppComposer::form() { return *d->form; }
MainContext &AppComposer::context() { return *d->context; }
WorkingState &AppComposer::state() { return *d->state; }
MainWindowController &AppComposer::window() { return *d->window; }
Platform &AppComposer::platform() { return *d->platform; }
Prompter &AppComposer::prompter() { return *d->prompter; }

bool AppComposer::start(bool showWindow)
{
    d->window->load();
    d->form->setWindowTitle(d->window->caption());
    if (!d->platform->claimSingleInstance(QStringLiteral("QXSECURITY-zan"))) {
        const QString program = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
        d->prompter->message(program + QStringLiteral(" is already Running..."), QStringLiteral("Already running..."),
                             Prompter::Icon::Exclamation);
        d->window->unload();
        return false;
    }
    if (showWindow)
        d->form->show();
    return true;
}

int AppComposer::run()
{
    if (!start())
        return 0;
    return QApplication::exec();
}

template <> MainWindowController &AppComposer::controller<MainWindowController>() { return *d->window; }
template <> SettingsController &AppComposer::controller<SettingsController>() { return *d->settings; }
template <> ConfigFileController &AppComposer::controller<ConfigFileController>() { return *d->configFile; }
template <> ViewsController &AppComposer::controller<ViewsController>() { return *d->views; }
template <> ElementTreeController &AppComposer::controller<ElementTreeController>() { return *d->tree; }
template <> ElementHistoryController &AppComposer::controller<ElementHistoryController>() { return *d->elementHistory; }
template <> UcmController &AppComposer::controller<UcmController>() { return *d->ucm; }
template <> OperationsController &AppComposer::controller<OperationsController>() { return *d->operations; }
template <> AccessListController &AppComposer::controller<AccessListController>() { return *d->accessLists; }
template <> ApplyPurgeController &AppComposer::controller<ApplyPurgeController>() { return *d->applyPurge; }
template <> GroupsController &AppComposer::controller<GroupsController>() { return *d->groups; }
template <> TriggerLocationsController &AppComposer::controller<TriggerLocationsController>() { return *d->triggerLocations; }
template <> TriggerStatusController &AppComposer::controller<TriggerStatusController>() { return *d->triggerStatus; }
template <> TriggerInstallController &AppComposer::controller<TriggerInstallController>() { return *d->triggerInstall; }
