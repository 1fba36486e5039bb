#include "triggers/TriggerInstallController.h"

#include "clearcase/CCase.h"
#include "platform/InstallLayout.h"
#include "platform/Platform.h"
#include "platform/SystemRoutines.h"
#include "shell/BusyState.h"
#include "shell/ErrorReporter.h"
#include "shell/MainContext.h"
#include "shell/MainWindow.h"
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

namespace {

const QString backslash = QStringLiteral("\\");

} // namespace

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
        } else {
            m_ctx.busy.setBusy(true);
            copyScript(source);
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
    if (MainWindow::isShown(form.trigLocationUnixTxt) && !TriggerPaths::isFilledIn(form.trigLocationUnixTxt->text()))
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

void TriggerInstallController::copyScript(const QString &source)
{
    MainWindow &form = m_ctx.form;
    const QString &name = TriggerCommandLines::scriptName;
    // A copy that fails is no reason to leave the VOB unprotected: the types are made anyway.
    m_ctx.platform.copyFile(source, form.trigLocationTxt->text() + backslash + name);
    if (form.checkboxUnixOrWindowsLocation->isChecked())
        m_ctx.platform.copyFile(source, form.txtUnixWork->text() + backslash + name);
}

TriggerCommandLines TriggerInstallController::commandLines()
{
    MainWindow &form = m_ctx.form;
    TriggerCommandLines::Inputs inputs;
    inputs.windowsLocation = form.trigLocationTxt->text();
    inputs.unixLocation = form.trigLocationUnixTxt->text();
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
        replaceAndCreate(vobTag, definition);
        if (!ucm) {
            removeIfPresent(vobTag, TriggerCommandLines::typeTriggerName);
            clearCase.runCommand(lines.typeTriggerCommand(vobTag));
        }
    } catch (...) {
        m_ctx.errors.reportBoxed(ZanError::current(QStringLiteral("doApplyTrigger")),
                                 QStringLiteral("doApplyTrigger()::") + definition.name);
    }
}

void TriggerInstallController::replaceAndCreate(const QString &vobTag, const TriggerTypeDefinition &definition)
{
    removeIfPresent(vobTag, definition.name);
    m_ctx.ccase.clearCase().createTriggerType(vobTag, definition);
}

void TriggerInstallController::removeIfPresent(const QString &vobTag, const QString &name)
{
    if (m_ctx.ccase.isTrTypeExist(name, vobTag))
        m_ctx.ccase.clearCase().removeTriggerType(vobTag, name);
}
