#include "browser/UcmController.h"

#include "shell/MainContext.h"
#include "shell/MainWindow.h"
#include "shell/WorkingState.h"

#include <QListWidget>
#include <QToolButton>

UcmController::UcmController(MainContext &context) : m_ctx(context)
{
    connect(&m_ctx.state, &WorkingState::ucmVobChanged, this, &UcmController::setUcmMode);
    setUcmMode(false);
}

void UcmController::setUcmMode(bool on)
{
    // Restrictions by project or stream are not supported: the controls stay off even
    // when asked to turn on.
    Q_UNUSED(on);
    MainWindow &form = m_ctx.form;
    form.streamSubList->clear();
    for (int i = 6; i <= 9; ++i)
        form.zanBut[i]->setEnabled(false);
    form.streamsList->setEnabled(false);
    form.projList->setEnabled(false);
}
