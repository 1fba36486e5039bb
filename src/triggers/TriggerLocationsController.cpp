#include "triggers/TriggerLocationsController.h"

#include "shell/MainContext.h"
#include "shell/MainWindow.h"
#include "shell/Registry.h"
#include "shell/WorkingState.h"
#include "triggers/TriggerPaths.h"
#include "util/AppInfo.h"
#include "util/Prompter.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QStyle>
#include <QTabWidget>

namespace {

// The key that types a backslash on a US keyboard (Windows virtual key 220).
constexpr quint32 backslashVirtualKey = 220;

bool isBackslashKey(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Backslash || event->key() == Qt::Key_Bar ||
           event->nativeVirtualKey() == backslashVirtualKey;
}

QString placeholderOf(const QLineEdit *field)
{
    return field->property("tag").toString();
}

} // namespace

TriggerLocationsController::TriggerLocationsController(MainContext &context)
    : m_ctx(context), m_settings(context), m_windowsCaption(context.form.trigLbl[4]->text()),
      m_windowsCaptionTip(context.form.trigLbl[4]->toolTip()), m_windowsFieldTip(context.form.trigLocationTxt->toolTip())
{
    MainWindow &form = m_ctx.form;
    // The site's style is known once its VOBs are listed, before any of them is selected.
    connect(form.vobTagTxt, &QLineEdit::textChanged, this, &TriggerLocationsController::showLocationCaption);
    connect(form.mainTabStrip, &QTabWidget::currentChanged, this, &TriggerLocationsController::showLocationCaption);
    connect(form.trigLocationTxt, &QLineEdit::textChanged, this, [this] { trigLocationTxt_Change(); });
    connect(form.trigLocationUnixTxt, &QLineEdit::textChanged, this, [this] { trigLocationUnixTxt_Change(); });
    connect(form.checkboxUnixOrWindowsLocation, &QCheckBox::toggled, this,
            &TriggerLocationsController::checkboxUnixOrWindowsLocation_Click);
    connect(form.interopSupportCB, &QCheckBox::toggled, this, &TriggerLocationsController::interopSupportCB_Click);
    form.trigLocationUnixTxt->installEventFilter(this);
    checkboxUnixOrWindowsLocation_Click(form.checkboxUnixOrWindowsLocation->isChecked());
    showLocationCaption();
}

QString TriggerLocationsController::interopNote()
{
    return QStringLiteral("Note: by default, the trigger are expected to be stored on the unix platform in the interop") +
           AppInfo::crlf + QStringLiteral("mode.  Copy the trigger to a directory on unix accessible by both ") +
           QStringLiteral("windows and unix clients");
}

void TriggerLocationsController::processVobTrigSettings(bool save, bool remove)
{
    m_settings.processVobTrigSettings(save, remove);
}

bool TriggerLocationsController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_ctx.form.trigLocationUnixTxt && event->type() == QEvent::KeyRelease &&
        isBackslashKey(static_cast<QKeyEvent *>(event)))
        trigLocationUnixTxt_KeyUp();
    return QObject::eventFilter(watched, event);
}

void TriggerLocationsController::followWindowsLocation()
{
    QLineEdit *unixField = m_ctx.form.trigLocationUnixTxt;
    const QString unixPath = TriggerPaths::toUnixPath(m_ctx.form.trigLocationTxt->text());
    unixField->setText(unixPath.contains(QLatin1Char('<')) ? placeholderOf(unixField) : unixPath);
}

void TriggerLocationsController::trigLocationTxt_Change()
{
    MainWindow &form = m_ctx.form;
    if (form.interopSupportCB->isChecked() && !form.checkboxUnixOrWindowsLocation->isChecked())
        followWindowsLocation();
}

void TriggerLocationsController::trigLocationUnixTxt_Change()
{
    MainWindow &form = m_ctx.form;
    if (form.checkboxUnixOrWindowsLocation->isChecked())
        form.txtUnixWork->setText(TriggerPaths::toWindowsPath(form.trigLocationUnixTxt->text()));
}

void TriggerLocationsController::trigLocationUnixTxt_KeyUp()
{
    MainWindow &form = m_ctx.form;
    if (!form.checkboxUnixOrWindowsLocation->isChecked())
        return;
    m_ctx.prompter.message(QStringLiteral("Path must be in Unix format (e.g., /net/unixserver/triggers)"),
                           QStringLiteral("Must use Unix style paths..."), Prompter::Icon::Exclamation);
    form.trigLocationUnixTxt->setText(form.trigLocationUnixTxt->text().replace(QLatin1Char('\\'), QLatin1Char('/')));
}

void TriggerLocationsController::checkboxUnixOrWindowsLocation_Click(bool checked)
{
    QLineEdit *unixField = m_ctx.form.trigLocationUnixTxt;
    unixField->setReadOnly(!checked);
    QPalette palette = unixField->palette();
    const QPalette standard = unixField->style()->standardPalette();
    palette.setColor(QPalette::Base, checked ? QColor(Qt::white) : standard.color(QPalette::Button));
    palette.setColor(QPalette::Text, checked ? standard.color(QPalette::Text) : QColor(Qt::gray));
    unixField->setPalette(palette);
}

bool TriggerLocationsController::vobIsStoredAsInterop()
{
    const QString vobName = TriggerPaths::vobNameOf(m_ctx.form.vobTagTxt->text(), m_ctx.state.siteStyle());
    if (vobName.isEmpty())
        return false;
    bool isNumber = false;
    const int stored = m_ctx.registry.readFromReg(QStringLiteral("Interop") + vobName).toInt(&isNumber);
    return isNumber && stored != 0;
}

void TriggerLocationsController::showLocationCaption()
{
    MainWindow &form = m_ctx.form;
    const bool forUnixClients = m_ctx.state.siteStyle().isUnix() && !form.interopSupportCB->isChecked();
    form.trigLbl[4]->setText(forUnixClients ? unixClientsCaption : m_windowsCaption);
    form.trigLbl[4]->setToolTip(forUnixClients ? unixClientsCaptionTip : m_windowsCaptionTip);
    form.trigLocationTxt->setToolTip(forUnixClients ? unixClientsFieldTip : m_windowsFieldTip);
}

void TriggerLocationsController::interopSupportCB_Click(bool checked)
{
    MainWindow &form = m_ctx.form;
    showLocationCaption();
    form.trigLocationUnixTxt->setVisible(checked);
    form.trigLbl[5]->setVisible(checked);
    form.checkboxUnixOrWindowsLocation->setVisible(checked);
    if (!checked)
        return;
    if (!vobIsStoredAsInterop())
        m_ctx.prompter.message(interopNote(), interopNoteTitle, Prompter::Icon::Information);
    followWindowsLocation();
}
