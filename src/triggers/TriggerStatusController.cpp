#include "triggers/TriggerStatusController.h"

#include "clearcase/CCase.h"
#include "shell/BusyState.h"
#include "shell/DetailWindow.h"
#include "shell/ErrorReporter.h"
#include "shell/MainContext.h"
#include "shell/MainWindow.h"
#include "shell/WorkingState.h"
#include "triggers/RecordedPrivilegedList.h"
#include "triggers/TriggerCommandLines.h"
#include "triggers/TriggerInstaller.h"
#include "util/AppInfo.h"
#include "util/Prompter.h"

#include <QComboBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

namespace {

constexpr int triggerTab = 2;
// Any two of the listed trigger types make the VOB count as protected (an installation
// makes the element and the type trigger).
constexpr int appliedCount = 2;

QStringList triggerNames(const QComboBox *combo)
{
    QStringList names;
    for (int i = 0; i < combo->count(); ++i)
        names << combo->itemText(i);
    return names;
}

} // namespace

TriggerStatusController::TriggerStatusController(MainContext &context) : m_ctx(context), m_settings(context)
{
    MainWindow &form = m_ctx.form;
    connect(form.butTriggerDetail, &QPushButton::clicked, this, &TriggerStatusController::butTriggerDetail_Click);
    connect(form.removeAllTriggersBut, &QPushButton::clicked, this, &TriggerStatusController::removeAllTriggersBut_Click);
    // The list in Settings may have changed since the VOB was selected.
    connect(form.mainTabStrip, &QTabWidget::currentChanged, this, [this](int tab) {
        if (tab == triggerTab)
            checkPrivilegedList();
    });
    // Settings saved with OK reactivate the window, possibly while the trigger tab is shown.
    connect(&form, &MainWindow::activated, this, [this] {
        if (m_ctx.form.mainTabStrip->currentIndex() == triggerTab)
            checkPrivilegedList();
    });
}

QString TriggerStatusController::removalWarning(const QString &vobTag)
{
    return TriggerInstaller::removalWarning(vobTag);
}

void TriggerStatusController::setTrigStatus()
{
    MainWindow &form = m_ctx.form;
    try {
        if (form.trigNamesCombo->count() == 0)
            return;
        m_settings.processVobTrigSettings(false, false);
        const QString vobTag = form.vobTagTxt->text();
        m_ctx.ccase.clearCase().requireVob(vobTag);
        int present = 0;
        for (const QString &name : triggerNames(form.trigNamesCombo)) {
            if (m_ctx.ccase.isTrTypeExist(name, vobTag))
                ++present;
        }
        m_ctx.state.setUcmVob(false);
        showApplied(present >= appliedCount);
        checkPrivilegedList();
    } catch (...) {
        m_ctx.errors.reportBoxed(ZanError::current(QStringLiteral("setTrigStatus")), QStringLiteral("setTrigStatus()"));
    }
}

void TriggerStatusController::showApplied(bool applied)
{
    MainWindow &form = m_ctx.form;
    form.trigStatusImage[0]->setVisible(applied);
    form.trigStatusImage[1]->setVisible(!applied);
    form.removeAllTriggersBut->setVisible(applied);
    form.mainTabStrip->setTabIcon(triggerTab, applied ? QIcon() : form.smallIcon(QStringLiteral("stop")));
    form.applyTriggerBut->setText(applied ? QStringLiteral("Update Trigger") : QStringLiteral("Apply Trigger"));
}

QString TriggerStatusController::privilegedListWarning(const QString &enforced)
{
    return QStringLiteral("Warning: the privileged operations in Settings differ from the list the triggers of this VOB ") +
           QStringLiteral("enforce: ") + enforced + QStringLiteral(". Click \"Update Trigger\" to enforce the list in Settings.");
}

// Only installed triggers enforce anything; a VOB root that cannot be read shows no warning.
void TriggerStatusController::checkPrivilegedList()
{
    QLabel *warning = m_ctx.form.privListWarningLbl;
    warning->hide();
    if (!MainWindow::isShown(m_ctx.form.removeAllTriggersBut))
        return;
    try {
        const QString enforced = RecordedPrivilegedList::inForce(m_ctx.ccase.clearCase(), m_ctx.state.location().vobRoot);
        if (enforced == m_ctx.state.privilegedList())
            return;
        warning->setText(privilegedListWarning(enforced));
        warning->show();
    } catch (const std::exception &e) {
        qWarning("checkPrivilegedList: %s", e.what());
    }
}

void TriggerStatusController::butTriggerDetail_Click()
{
    if (!m_ctx.state.hasVob())
        return;
    const QString vobTag = m_ctx.state.location().vobTag;
    const QString name = m_ctx.form.trigNamesCombo->currentText();
    QString description;
    try {
        description = m_ctx.ccase.clearCase().runCommand(QStringLiteral("desc -l trtype:") + name + QLatin1Char('@') + vobTag);
    } catch (const std::exception &e) {
        // The detail window then shows what there is: the warning, or nothing.
        qWarning("butTriggerDetail: %s", e.what());
    }
    if (MainWindow::isShown(m_ctx.form.privListWarningLbl))
        description += AppInfo::crlf + m_ctx.form.privListWarningLbl->text() + AppInfo::crlf;
    try {
        m_ctx.detail.setCaption(QStringLiteral("Detail for Trigger: ") + name + QStringLiteral(" in VOB: ") + vobTag);
        m_ctx.detail.setDetail(description);
        m_ctx.detail.showModal();
    } catch (...) {
        m_ctx.errors.reportWithSupportLine(ZanError::current(QStringLiteral("butTriggerDetail")));
    }
}

void TriggerStatusController::removeAllTriggersBut_Click()
{
    const QString vobTag = m_ctx.form.vobTagTxt->text();
    if (m_ctx.prompter.message(removalWarning(vobTag), QStringLiteral("Removing Triggers..."), Prompter::Icon::Exclamation,
                               Prompter::Buttons::OkCancel) != Prompter::Answer::Ok)
        return;
    try {
        m_settings.processVobTrigSettings(false, true);
        m_ctx.ccase.clearCase().requireVob(vobTag);
        m_ctx.busy.setBusy(true);
        removeExistingTriggers(vobTag);
        setTrigStatus();
        m_ctx.busy.setBusy(false);
    } catch (...) {
        const ZanError error = ZanError::current(QStringLiteral("removeAllTriggersBut"));
        m_ctx.busy.setBusy(false);
        m_ctx.prompter.message(QStringLiteral("ERROR: encountered an error removing trigger:: ") + error.description() +
                                   AppInfo::crlf,
                               QStringLiteral("ERROR..."), Prompter::Icon::Critical);
        m_ctx.errors.reportBoxed(error, QStringLiteral("ERROR::removeAllTriggersBut()"));
    }
}

void TriggerStatusController::removeExistingTriggers(const QString &vobTag)
{
    ClearCase &clearCase = m_ctx.ccase.clearCase();
    const QList<TriggerInstaller::Failure> failures = TriggerInstaller::run(clearCase, TriggerInstaller::removalSteps(clearCase, vobTag));
    if (!failures.isEmpty())
        throw failures.first().error;
}
