#include "shell/SettingsController.h"

#include "access/OperationsCatalogue.h"

#include "platform/SystemRoutines.h"
#include "clearcase/CCase.h"
#include "shell/ErrorReporter.h"
#include "shell/MainContext.h"
#include "shell/MainWindow.h"
#include "shell/Registry.h"
#include "shell/SettingsDialog.h"
#include "shell/SettingsStore.h"
#include "shell/WorkingState.h"
#include "util/ListRoutines.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

const QString SettingsController::defaultPrivOperations = OperationsCatalogue::defaultPrivilegedList();

SettingsController::SettingsController(MainContext &context) : m_ctx(context) {}

SettingsDialog &SettingsController::dialog()
{
    if (!m_dialog) {
        m_dialog = new SettingsDialog(m_ctx.registry, m_ctx.system, m_ctx.state, &m_ctx.form);
        // Until a list is loaded the state holds the default one: an empty list would make
        // no operation privileged.
        m_dialog->setPrivOperations(m_ctx.state.privilegedList());
        connect(m_dialog->privOperationsTxt, &QLineEdit::textChanged, &m_ctx.state, &WorkingState::setPrivilegedList);
        connect(&m_ctx.state, &WorkingState::privilegedListChanged, m_dialog, &SettingsDialog::setPrivOperations);
        // The form's activate step refreshes the two indicators from the store.
        connect(m_dialog, &SettingsDialog::settingsSaved, &m_ctx.form, &MainWindow::activated);
    }
    return *m_dialog;
}

void SettingsController::processRegistrySettings(bool load, bool save)
{
    try {
        if (load)
            loadStoredSettings();
        if (save)
            m_ctx.registry.saveToReg(QStringLiteral("PrivOper"), m_ctx.state.privilegedList());
    } catch (const std::exception &) {
        m_ctx.errors.reportBoxed(ZanError::current(QStringLiteral("frmMain")),
                                 QStringLiteral("Error encountered::processSecuritySettings()"));
    }
}

void SettingsController::loadStoredSettings()
{
    Registry &registry = m_ctx.registry;
    MainWindow &form = m_ctx.form;

    const QString stored = registry.store().value(QStringLiteral("PrivOper"));
    dialog().setPrivOperations(stored.isEmpty() ? defaultPrivOperations : stored);

    ListRoutines::setListBoxFromString(registry.readFromReg(QStringLiteral("QXGROUPS")), ItemList(form.dgList[0]));

    const bool overrideOn = registry.readFromReg(QStringLiteral("CLEARCASE_OVERRIDE")) == QLatin1String("True");
    m_ctx.system.setEnvVar(QStringLiteral("CLEARCASE_OVERRIDE"), overrideOn ? QStringLiteral("True") : QStringLiteral("False"));
    m_ctx.state.setOverrideOn(overrideOn);

    const bool exempt = registry.readFromReg(QStringLiteral("NUSERS")) == QLatin1String("1");
    if (exempt)
        form.nuserImage->setToolTip(m_ctx.system.getLoginName() +
                                    QStringLiteral(" will be added to the -nuser option when triggers is installed"));
    m_ctx.state.setExemptLogin(exempt);
}

void SettingsController::showSettingsDialog()
{
    // The view drive choices depend on the site, which the backend tells on its first use.
    try {
        m_ctx.ccase.clearCase();
    } catch (const std::exception &) {
        // Without a backend the Windows choices stay; the failure shows where ClearCase is used.
    }
    dialog().showModal();
}

QString SettingsController::viewDrive()
{
    return dialog().getViewDrive();
}
