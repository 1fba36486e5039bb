#include "shell/MainWindowController.h"

#include "clearcase/CCase.h"
#include "platform/InstallLayout.h"
#include "platform/Platform.h"
#include "platform/SystemRoutines.h"
#include "shell/AboutDialog.h"
#include "shell/ErrorReporter.h"
#include "shell/GettingHelpDialog.h"
#include "shell/MainContext.h"
#include "shell/MainWindow.h"
#include "shell/Registry.h"
#include "shell/SettingsController.h"
#include "shell/SettingsStore.h"
#include "shell/WorkingState.h"
#include "util/ErrorBox.h"
#include "util/AppInfo.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QLabel>
#include <QLocale>

MainWindowController::MainWindowController(MainContext &context, SettingsController &settings, QString version)
    : m_ctx(context), m_settings(settings), m_version(std::move(version))
{
    MainWindow &form = m_ctx.form;
    connect(&form, &MainWindow::activated, this, &MainWindowController::activate);
    connect(&form, &MainWindow::unloading, this, &MainWindowController::unload);
    connect(form.Exit, &QAction::triggered, this, &MainWindowController::unloadAllForms);
    connect(form.settings, &QAction::triggered, this, &MainWindowController::showSettings);
    connect(form.content, &QAction::triggered, this, &MainWindowController::showHelpContent);
    connect(form.GettingHelp, &QAction::triggered, this, &MainWindowController::showGettingHelp);
    connect(form.about, &QAction::triggered, this, &MainWindowController::showAbout);
}

QString MainWindowController::caption() const
{
    return AppInfo::title + QStringLiteral(" - ") + AppInfo::webAddress + QStringLiteral(" (Beta Release)") +
           QStringLiteral(" - ") + m_version;
}

void MainWindowController::load()
{
    MainWindow &form = m_ctx.form;
    try {
        form.statusPanel->setText(QStringLiteral("Status"));
        form.datePanel->setText(QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
        form.headerLbl[0]->setText(AppInfo::title);
        form.selectUserCombo->addItem(QStringLiteral("<select_or_enter_user>"));
        form.selectUserCombo->addItem(QStringLiteral("ALL"));
        form.selectUserCombo->setCurrentIndex(0);
        form.trigNamesCombo->addItem(QStringLiteral("_KORVANE_SECURITY1"));
        form.trigNamesCombo->addItem(QStringLiteral("_KORVANE_SECURITY2"));
        form.trigNamesCombo->addItem(QStringLiteral("_UCM_KORVANE_SECURITY"));
        form.trigNamesCombo->setCurrentIndex(0);
        m_settings.processRegistrySettings(true, false);
    } catch (...) {
        m_ctx.errors.reportWithSupportLine(ZanError::current(QStringLiteral("frmMain")));
    }
}

void MainWindowController::activate()
{
    if (m_closing)
        return;
    QString override;
    QString nusers;
    try {
        override = m_ctx.registry.store().value(QStringLiteral("CLEARCASE_OVERRIDE"));
        nusers = m_ctx.registry.store().value(QStringLiteral("NUSERS"));
        m_reportedStoreFailure.clear();
    } catch (const std::exception &) {
        reportStoreFailureOnce(ZanError::current(QStringLiteral("readFromReg")));
    }
    m_ctx.state.setOverrideOn(override == QLatin1String("True"));
    m_ctx.state.setExemptLogin(nusers == QLatin1String("1"));
}

// The window is activated again and again; a store that stays unreadable is reported once,
// and again only when its failure changes or after it could be read.
void MainWindowController::reportStoreFailureOnce(const ZanError &error)
{
    if (error.description() == m_reportedStoreFailure)
        return;
    m_reportedStoreFailure = error.description();
    ErrorBox::showErrorBox(m_ctx.prompter, error, QStringLiteral("Error encountered!"));
}

void MainWindowController::unload()
{
    m_ctx.system.setEnvVar(QStringLiteral("CLEARCASE_OVERRIDE"), QString());
    unloadAllForms();
}

void MainWindowController::unloadAllForms()
{
    if (m_closing)
        return;
    m_closing = true;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isWindow())
            window->close();
    }
    if (!m_ctx.form.isHidden())
        m_ctx.form.close();
}

void MainWindowController::showSettings()
{
    try {
        m_settings.processRegistrySettings(true, false);
        m_settings.showSettingsDialog();
    } catch (...) {
        m_ctx.errors.reportWithSupportLine(ZanError::current(QStringLiteral("frmMain")));
    }
}

void MainWindowController::showHelpContent()
{
    try {
        const QString document = InstallLayout(m_ctx.platform.programFolder()).helpDocument();
        if (!m_ctx.platform.openDocument(document))
            m_ctx.prompter.message(helpNotOpened(document), QStringLiteral("Help"), Prompter::Icon::Exclamation);
    } catch (...) {
        m_ctx.errors.reportWithSupportLine(ZanError::current(QStringLiteral("frmMain")));
    }
}

QString MainWindowController::helpNotOpened(const QString &document)
{
    return QStringLiteral("The help document could not be opened:") + AppInfo::crlf + QDir::toNativeSeparators(document) +
           AppInfo::crlf + AppInfo::crlf + QStringLiteral("Open it in a web browser, or check that the program is installed completely.");
}

void MainWindowController::showGettingHelp()
{
    auto *dialog = new GettingHelpDialog(&m_ctx.form);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void MainWindowController::showAbout()
{
    try {
        QString backend;
        try {
            backend = m_ctx.ccase.clearCase().description();
        } catch (const std::exception &) {
            backend = ZanError::current().description();
        }
        auto *dialog = new AboutDialog(m_version, backend, &m_ctx.form);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->open();
    } catch (...) {
        m_ctx.errors.reportWithSupportLine(ZanError::current(QStringLiteral("frmMain")));
    }
}
