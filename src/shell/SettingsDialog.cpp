#include "shell/SettingsDialog.h"

#include "platform/SystemRoutines.h"
#include "shell/Registry.h"
#include "shell/WorkingState.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QStringList driveLetters{"m", "f", "g", "h", "i", "j", "k", "l", "n", "o", "p",
                               "q", "r", "s", "t", "u", "v", "w", "x", "y", "z"};

// A small padlock drawn in the palette's text colour, closed or open.
QIcon padlockIcon(bool open, const QColor &colour)
{
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour, 2));
    const int shackleLeft = open ? 9 : 5;
    painter.drawArc(QRect(shackleLeft, 2, 10, 12), 0, 180 * 16);
    painter.drawLine(shackleLeft + 10, 8, shackleLeft + 10, open ? 8 : 10);
    if (!open)
        painter.drawLine(shackleLeft, 8, shackleLeft, 10);
    painter.fillRect(QRect(3, 10, 14, 9), colour);
    return QIcon(pixmap);
}

template <typename W>
W *named(W *widget, const QString &name, const QString &toolTip = QString())
{
    widget->setObjectName(name);
    widget->setToolTip(toolTip);
    return widget;
}

} // namespace

SettingsDialog::SettingsDialog(Registry &registry, SystemRoutines &system, const WorkingState &state, QWidget *parent)
    : QDialog(parent), m_registry(registry), m_system(system), m_state(state)
{
    setObjectName(QStringLiteral("frmSettings"));
    setWindowTitle(QStringLiteral("Settings"));
    setModal(true);

    auto *layout = new QVBoxLayout(this);
    buildGeneralFrame();
    buildAdvancedFrame();
    layout->addWidget(mainFrame[0]);
    layout->addWidget(mainFrame[1]);

    okBut = named(new QPushButton(QStringLiteral("OK")), QStringLiteral("okBut"));
    okBut->setDefault(true);
    cancelBut = named(new QPushButton(QStringLiteral("Cancel")), QStringLiteral("cancelBut"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okBut);
    buttons->addWidget(cancelBut);
    layout->addLayout(buttons);

    connect(okBut, &QPushButton::clicked, this, &SettingsDialog::okClicked);
    connect(cancelBut, &QPushButton::clicked, this, &QDialog::reject);
    connect(this, &QDialog::rejected, this, &SettingsDialog::lockAdvanced);
    for (int i = 0; i < 2; ++i)
        connect(lockImage[i], &QToolButton::clicked, this, [this, i] { lockImageClicked(i); });

    load();
}

void SettingsDialog::buildGeneralFrame()
{
    mainFrame[0] = named(new QGroupBox(QStringLiteral("General Settings")), QStringLiteral("mainFrame_0"));
    nuserSetting = named(new QCheckBox(QStringLiteral("Add current user to the -nusers list to override trigger firing.")),
                         QStringLiteral("nuserSetting"));
    overrideTriggersCB = named(new QCheckBox(QStringLiteral("Override Triggers when using this tool.")),
                               QStringLiteral("overrideTriggersCB"),
                               QStringLiteral("Overrides existing restriction of trigger.  Use when making changes to the VOB."));
    auto *layout = new QVBoxLayout(mainFrame[0]);
    layout->addWidget(nuserSetting);
    layout->addWidget(overrideTriggersCB);
}

void SettingsDialog::buildAdvancedFrame()
{
    mainFrame[1] = named(new QGroupBox(QStringLiteral("Advanced Settings (Use caution when modifying)")),
                         QStringLiteral("mainFrame_1"));
    mainLbl[0] = named(new QLabel(QStringLiteral("View Drive (default is m):")), QStringLiteral("mainLbl_0"));
    mainLbl[1] = named(new QLabel(QStringLiteral("Privileged Operations:")), QStringLiteral("mainLbl_1"));
    viewDriveCombo = named(new QComboBox, QStringLiteral("viewDriveCombo"));
    privOperationsTxt = named(new QLineEdit, QStringLiteral("privOperationsTxt"),
                              QStringLiteral("These operations are privileged operations."));
    const QColor ink = palette().color(QPalette::WindowText);
    for (int i = 0; i < 2; ++i) {
        lockImage[i] = named(new QToolButton, QStringLiteral("lockImage_%1").arg(i), QStringLiteral("Lock/Unlock Advanced settings"));
        lockImage[i]->setIcon(padlockIcon(i == 1, ink));
        lockImage[i]->setAutoRaise(true);
    }
    auto *layout = new QGridLayout(mainFrame[1]);
    layout->addWidget(mainLbl[0], 0, 0);
    layout->addWidget(viewDriveCombo, 0, 1, Qt::AlignLeft);
    layout->addWidget(lockImage[0], 0, 2, Qt::AlignRight);
    layout->addWidget(lockImage[1], 0, 2, Qt::AlignRight);
    layout->addWidget(mainLbl[1], 1, 0);
    layout->addWidget(privOperationsTxt, 1, 1, 1, 2);
    layout->setColumnStretch(1, 1);
}

void SettingsDialog::load()
{
    showViewDriveChoices();
    const QString login = m_system.getLoginName();
    nuserSetting->setText(QStringLiteral("Add user: ") + login + QStringLiteral(" to the -nusers list when applying trigger."));
    nuserSetting->setToolTip(login + QStringLiteral(" will always be able to override any security access settings."));
    lockAdvanced();
}

void SettingsDialog::setPrivOperations(const QString &list) { privOperationsTxt->setText(list); }

QString SettingsDialog::getPrivOperations() const { return privOperationsTxt->text(); }

// A UNIX site has no view drive: its views are under the view root /view, the one choice.
QStringList SettingsDialog::viewDriveChoices() const
{
    const SiteStyle &style = m_state.siteStyle();
    return style.isUnix() ? QStringList{style.viewRoot()} : driveLetters;
}

// The site style is known once the backend has answered, which may be after the dialog was
// made; the choices follow it whenever the dialog is shown.
void SettingsDialog::showViewDriveChoices()
{
    const QStringList choices = viewDriveChoices();
    QStringList shown;
    for (int i = 0; i < viewDriveCombo->count(); ++i)
        shown << viewDriveCombo->itemText(i);
    if (shown == choices)
        return;
    viewDriveCombo->clear();
    viewDriveCombo->addItems(choices);
    viewDriveCombo->setCurrentIndex(0);
}

QString SettingsDialog::getViewDrive() const
{
    return viewDriveChoices().contains(viewDriveCombo->currentText()) ? viewDriveCombo->currentText()
                                                                      : viewDriveChoices().first();
}

void SettingsDialog::showModal()
{
    activate();
    open();
}

void SettingsDialog::activate()
{
    showViewDriveChoices();
    // The registry reports a store it cannot read itself and answers "".
    overrideTriggersCB->setChecked(false);
    overrideTriggersCB->setChecked(m_registry.readFromReg(QStringLiteral("CLEARCASE_OVERRIDE")) == QLatin1String("True"));
    bool isNumber = false;
    const int state = m_registry.readFromReg(QStringLiteral("NUSERS")).trimmed().toInt(&isNumber);
    // Only the two states of the check box are taken; any other value leaves it as it was.
    if (isNumber && (state == 0 || state == 1))
        nuserSetting->setChecked(state == 1);
}

bool SettingsDialog::isAdvancedLocked() const { return !privOperationsTxt->isEnabled(); }

void SettingsDialog::lockImageClicked(int index)
{
    if (index == 0)
        unlockAdvanced();
    else
        lockAdvanced();
}

void SettingsDialog::lockAdvanced()
{
    lockImage[0]->show();
    lockImage[1]->hide();
    privOperationsTxt->setEnabled(false);
    viewDriveCombo->setEnabled(false);
}

void SettingsDialog::unlockAdvanced()
{
    lockImage[0]->hide();
    lockImage[1]->show();
    privOperationsTxt->setEnabled(true);
    viewDriveCombo->setEnabled(true);
}

void SettingsDialog::okClicked()
{
    lockAdvanced();
    const QString overrideSetting = overrideTriggersCB->isChecked() ? QStringLiteral("True") : QStringLiteral("False");
    m_system.setEnvVar(QStringLiteral("CLEARCASE_OVERRIDE"), overrideSetting);
    m_registry.saveToReg(QStringLiteral("CLEARCASE_OVERRIDE"), overrideSetting);
    m_registry.saveToReg(QStringLiteral("NUSERS"), nuserSetting->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    accept();
    emit settingsSaved();
}
