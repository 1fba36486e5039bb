#include "triggers/TriggerInstallController.h"

#include "clearcase/CCase.h"
#include "clearcase/ClearCase.h"
#include "platform/InstallLayout.h"
#include "platform/Platform.h"
#include "platform/SystemRoutines.h"
#include "shell/BusyState.h"
#include "shell/ErrorReporter.h"
#include "shell/MainContext.h"
#include "shell/MainWindow.h"
#include "shell/SettingsController.h"
#include "shell/WorkingState.h"
#include "triggers/TriggerStatusController.h"
#include "util/AppInfo.h"
#include "util/Prompter.h"

#include <QCheckBox>
#include <QDate>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

TriggerInstallController::TriggerInstallController(MainContext &context, SettingsController &settings,
                                                   TriggerStatusController &status)
    : m_ctx(context), m_generalSettings(settings), m_status(status), m_settings(context)
{
    connect(m_ctx.form.applyTriggerBut, &QPushButton::clicked, this, &TriggerInstallController::applyTriggerBut_Click);
}

QString TriggerInstallController::scriptSource() const
{
    // The program folder is a host path, so it is joined with the host's separator
    // ("\" on Windows, "/" elsewhere).
    return QDir::toNativeSeparators(InstallLayout(m_ctx.platform.programFolder()).triggerScript(TriggerCommandLines::scriptName));
}

void TriggerInstallController::applyTriggerBut_Click()
{
    try {
        const TriggerInstaller checked = installer();
        if (!inputsAreValid(checked))
            return;
        const QString source = scriptSource();
        if (!m_ctx.system.isFileExist(source, false)) {
            m_ctx.prompter.message(TriggerInstaller::missingScript(), QStringLiteral("Missing required file.."), Prompter::Icon::Critical);
        } else if (!deployScript(checked, source)) {
            return; // nothing has changed; what was typed stays for the next try
        } else {
            m_ctx.busy.setBusy(true);
            doApplyTrigger(m_ctx.state.location().vobTag);
            m_settings.processVobTrigSettings(true, false);
        }
        m_status.setTrigStatus();
        m_ctx.busy.setBusy(false);
    } catch (...) {
        const ZanError error = ZanError::current(QStringLiteral("applyTriggers"));
        m_ctx.errors.reportBoxed(error, QStringLiteral("applyTriggers(): Error encountered:: Verify that ") +
                                            QStringLiteral("triggers have been copied and applied::") + error.description());
    }
}

QString TriggerInstallController::copyFailure(const QStringList &locations)
{
    return TriggerInstaller::copyFailure(locations);
}

QString TriggerInstallController::unreachableQuestion(const QList<ScriptDeployment::Unreachable> &locations)
{
    return TriggerInstaller::unreachableQuestion(locations);
}

// The script goes to every location a trigger action runs it from. False when it could
// not be put there (reported) or the user chose not to install without it.
bool TriggerInstallController::deployScript(const TriggerInstaller &installer, const QString &source)
{
    const ScriptDeployment::Outcome outcome = installer.deployScript(m_ctx.platform, source);
    if (!outcome.notCopied.isEmpty()) {
        m_ctx.prompter.message(copyFailure(outcome.notCopied), copyFailureTitle, Prompter::Icon::Critical);
        return false;
    }
    // Installing without the script makes the triggers refuse everything: Enter cancels.
    return outcome.unreachable.isEmpty() ||
           m_ctx.prompter.ask(unreachableQuestion(outcome.unreachable), unreachableTitle, Prompter::Icon::Exclamation,
                              Prompter::Buttons::OkCancel, Prompter::Answer::Cancel) == Prompter::Answer::Ok;
}

bool TriggerInstallController::inputsAreValid(const TriggerInstaller &installer)
{
    if (const std::optional<TriggerInstaller::Refusal> refusal = installer.refusal()) {
        m_ctx.prompter.message(refusal->text, refusal->title, Prompter::Icon::Exclamation);
        return false;
    }
    if (const QString warning = installer.unixPathWarning(); !warning.isEmpty())
        m_ctx.prompter.message(warning, QStringLiteral("Unix path may not be absolute"), Prompter::Icon::Exclamation);
    return true;
}

TriggerInstaller TriggerInstallController::installer()
{
    MainWindow &form = m_ctx.form;
    TriggerInstaller::Request request;
    TriggerCommandLines::Inputs &inputs = request.inputs;
    inputs.windowsLocation = form.trigLocationTxt->text();
    inputs.unixSite = m_ctx.state.siteStyle().isUnix();
    inputs.unixLocation = form.trigLocationUnixTxt->text();
    inputs.adminUsersText = form.adminUsersTxt->text();
    inputs.viewDrive = m_generalSettings.viewDrive();
    inputs.exemptUser = m_ctx.state.exemptLogin() ? m_ctx.system.getLoginName() : QString();
    inputs.interop = form.interopSupportCB->isChecked();
    inputs.date = QLocale().toString(QDate::currentDate(), QLocale::ShortFormat);
    request.vobTag = m_ctx.state.location().vobTag;
    request.vobRoot = m_ctx.state.location().vobRoot;
    request.ucm = m_ctx.state.ucmVob();
    request.separateUnixLocation = form.checkboxUnixOrWindowsLocation->isChecked();
    request.privilegedList = m_ctx.state.privilegedList();
    return TriggerInstaller(request);
}

void TriggerInstallController::doApplyTrigger(const QString &vobTag)
{
    TriggerInstaller::Request request = installer().request();
    request.vobTag = vobTag;
    const TriggerInstaller installer(request);
    ClearCase &clearCase = m_ctx.ccase.clearCase();
    clearCase.requireVob(vobTag);
    const QString made = request.ucm ? TriggerCommandLines::ucmTriggerName : TriggerCommandLines::elementTriggerName;
    QList<TriggerInstaller::Failure> failures;
    try {
        failures = TriggerInstaller::run(clearCase, installer.installSteps(clearCase));
    } catch (const std::exception &) {
        failures.append({made, ZanError::current(QStringLiteral("doApplyTrigger"))});
    }
    // A list that cannot be recorded leaves the script on the one recorded before (or the
    // default); the status then shows the difference.
    for (const TriggerInstaller::Failure &failure : failures)
        m_ctx.errors.reportBoxed(failure.error, QStringLiteral("doApplyTrigger()::") + failure.reportAs);
}
