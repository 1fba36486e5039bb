#include "triggers/TriggerInstallController.h"

#include "clearcase/CCase.h"
#include "clearcase/SiteStyle.h"
#include "platform/InstallLayout.h"
#include "platform/Platform.h"
#include "platform/SystemRoutines.h"
#include "shell/BusyState.h"
#include "shell/ErrorReporter.h"
#include "shell/MainContext.h"
#include "shell/MainWindow.h"
#include "triggers/RecordedPrivilegedList.h"
#include "triggers/TriggerPaths.h"
#include "util/AppInfo.h"
#include "util/Prompter.h"

#include <QCheckBox>
#include <QDate>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

TriggerInstallController::TriggerInstallController(MainContext &context) : m_ctx(context), m_settings(context)
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
        if (!inputsAreValid())
            return;
        const QString source = scriptSource();
        if (!m_ctx.system.isFileExist(source, false)) {
            m_ctx.prompter.message(QStringLiteral("Missing required security trigger file") + AppInfo::crlf +
                                       QStringLiteral("Send bug report to: ") + AppInfo::supportAddress + AppInfo::crlf,
                                   QStringLiteral("Missing required file.."), Prompter::Icon::Critical);
        } else if (!deployScript(source)) {
            return; // nothing has changed; what was typed stays for the next try
        } else {
            m_ctx.busy.setBusy(true);
            doApplyTrigger(m_ctx.form.vobTagTxt->text());
            m_settings.processVobTrigSettings(true, false);
        }
        m_ctx.hooks.setTrigStatus();
        m_ctx.busy.setBusy(false);
    } catch (...) {
        const ZanError error = ZanError::current(QStringLiteral("applyTriggers"));
        m_ctx.errors.reportBoxed(error, QStringLiteral("applyTriggers(): Error encountered:: Verify that ") +
                                            QStringLiteral("triggers have been copied and applied::") + error.description());
    }
}

QString TriggerInstallController::copyFailure(const QStringList &locations)
{
    return QStringLiteral("The security trigger file could not be copied to:") + AppInfo::crlf +
           locations.join(AppInfo::crlf) + AppInfo::crlf + AppInfo::crlf +
           QStringLiteral("No trigger was installed. Check the location and your permission to write there, ") +
           QStringLiteral("then apply the triggers again.");
}

QString TriggerInstallController::unreachableQuestion(const QList<ScriptDeployment::Unreachable> &locations)
{
    QStringList named;
    for (const ScriptDeployment::Unreachable &location : locations)
        named << location.location + AppInfo::crlf + location.reason;
    return QStringLiteral("This machine cannot reach the trigger location:") + AppInfo::crlf +
           named.join(AppInfo::crlf) + AppInfo::crlf + AppInfo::crlf +
           QStringLiteral("The security trigger file was not copied there. Unless ") + TriggerCommandLines::scriptName +
           QStringLiteral(" is there, the triggers will refuse every guarded operation.") + AppInfo::crlf + AppInfo::crlf +
           QStringLiteral("Install the triggers anyway?");
}

// The script goes to every location a trigger action runs it from. False when it could
// not be put there (reported) or the user chose not to install without it.
bool TriggerInstallController::deployScript(const QString &source)
{
    MainWindow &form = m_ctx.form;
    QStringList locations{form.trigLocationTxt->text()};
    if (form.interopSupportCB->isChecked())
        locations << form.trigLocationUnixTxt->text();
    const ScriptDeployment::Outcome outcome =
        ScriptDeployment(m_ctx.platform, TriggerCommandLines::scriptName).deploy(source, locations);
    if (!outcome.notCopied.isEmpty()) {
        m_ctx.prompter.message(copyFailure(outcome.notCopied), copyFailureTitle, Prompter::Icon::Critical);
        return false;
    }
    // Installing without the script makes the triggers refuse everything: Enter cancels.
    return outcome.unreachable.isEmpty() ||
           m_ctx.prompter.ask(unreachableQuestion(outcome.unreachable), unreachableTitle, Prompter::Icon::Exclamation,
                              Prompter::Buttons::OkCancel, Prompter::Answer::Cancel) == Prompter::Answer::Ok;
}

bool TriggerInstallController::inputsAreValid()
{
    MainWindow &form = m_ctx.form;
    auto refuse = [this](const QString &text, const QString &title) {
        m_ctx.prompter.message(text, title, Prompter::Icon::Exclamation);
        return false;
    };
    const QString vobRoot = form.vobRootTxt->text();
    if (vobRoot.isEmpty() || vobRoot == QLatin1String("UNDEFINED"))
        return refuse(QStringLiteral("Must first load and start a view, then select a VOB to apply the triggers."),
                      QStringLiteral("VOB not selected"));
    if (!TriggerPaths::isFilledIn(form.trigLocationTxt->text()))
        return refuse(QStringLiteral("Must define a valid absolute Windows path (\\\\myhost\\triggers) to copy the triggers."),
                      QStringLiteral("Invalid Windows path"));
    if (form.interopSupportCB->isChecked() && !TriggerPaths::isFilledIn(form.trigLocationUnixTxt->text().trimmed()))
        return refuse(QStringLiteral("Must define a valid absolute Unix (e.g., //net/myhost/triggers) path to copy the triggers."),
                      QStringLiteral("Invalid Unix path"));
    if (const QString problem = commandLines().quotingProblem(); !problem.isEmpty())
        return refuse(problem, QStringLiteral("Invalid trigger setting"));
    if (form.checkboxUnixOrWindowsLocation->isChecked() && !form.trigLocationUnixTxt->text().contains(QLatin1String("/net")))
        m_ctx.prompter.message(QStringLiteral("Unix Path: ") + form.trigLocationUnixTxt->text() + AppInfo::crlf +
                                   QStringLiteral("for copying trigger on Unix does not appear to be an") + AppInfo::crlf +
                                   QStringLiteral("absolute path."),
                               QStringLiteral("Unix path may not be absolute"), Prompter::Icon::Exclamation);
    return true;
}

TriggerCommandLines TriggerInstallController::commandLines()
{
    MainWindow &form = m_ctx.form;
    TriggerCommandLines::Inputs inputs;
    inputs.windowsLocation = form.trigLocationTxt->text();
    inputs.unixSite = SiteStyle::current().isUnix();
    // Without interop a UNIX site's clients run the script from the one location, in its
    // Unix form.
    inputs.unixLocation = inputs.unixSite && !form.interopSupportCB->isChecked()
                              ? TriggerPaths::toUnixPath(form.trigLocationTxt->text())
                              : form.trigLocationUnixTxt->text();
    inputs.adminUsersText = form.adminUsersTxt->text();
    inputs.viewDrive = m_ctx.hooks.getViewDrive();
    inputs.exemptUser = MainWindow::isShown(form.nuserImage) ? m_ctx.system.getLoginName() : QString();
    inputs.interop = form.interopSupportCB->isChecked();
    inputs.date = QLocale().toString(QDate::currentDate(), QLocale::ShortFormat);
    return TriggerCommandLines(inputs);
}

void TriggerInstallController::doApplyTrigger(const QString &vobTag)
{
    const TriggerCommandLines lines = commandLines();
    ClearCase &clearCase = m_ctx.ccase.clearCase();
    clearCase.requireVob(vobTag);
    const bool ucm = MainWindow::isShown(m_ctx.form.ucmVobImage);
    const TriggerTypeDefinition definition = ucm ? lines.ucmTrigger() : lines.elementTrigger();
    try {
        // All old types go first, so that none of them (a broken one included) judges the
        // recording of the list or the making of the new ones.
        removeIfPresent(vobTag, definition.name);
        if (!ucm)
            removeIfPresent(vobTag, TriggerCommandLines::typeTriggerName);
        recordPrivilegedList(vobTag);
        clearCase.createTriggerType(vobTag, definition);
        if (!ucm)
            clearCase.runCommand(lines.typeTriggerCommand(vobTag));
    } catch (...) {
        m_ctx.errors.reportBoxed(ZanError::current(QStringLiteral("doApplyTrigger")),
                                 QStringLiteral("doApplyTrigger()::") + definition.name);
    }
}

// A list that cannot be recorded leaves the script on the one recorded before (or the
// default); the status then shows the difference.
void TriggerInstallController::recordPrivilegedList(const QString &vobTag)
{
    try {
        RecordedPrivilegedList::record(m_ctx.ccase.clearCase(), vobTag, m_ctx.form.vobRootTxt->text(),
                                       m_ctx.hooks.getPrivOperations());
    } catch (...) {
        m_ctx.errors.reportBoxed(ZanError::current(QStringLiteral("doApplyTrigger")),
                                 QStringLiteral("doApplyTrigger()::") + RecordedPrivilegedList::attributeName);
    }
}

void TriggerInstallController::removeIfPresent(const QString &vobTag, const QString &name)
{
    if (m_ctx.ccase.isTrTypeExist(name, vobTag))
        m_ctx.ccase.clearCase().removeTriggerType(vobTag, name);
}
