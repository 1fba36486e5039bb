#include "browser/UcmController.h"

#include "shell/MainContext.h"
#include "shell/MainWindow.h"
#include "util/ErrorBox.h"
#include "util/ZanError.h"

#include <QListWidget>
#include <QToolButton>

UcmController::UcmController(MainContext &context) : m_ctx(context)
{
    m_ctx.hooks.setUcmMode = [this](bool on) { setUcmMode(on); };
    setUcmMode(false);
}

void UcmController::setUcmMode(bool on)
{
    // Restrictions by project or stream are not supported: the controls stay off even
    // when asked to turn on.
    Q_UNUSED(on);
    try {
        MainWindow &form = m_ctx.form;
        form.streamSubList->clear();
        for (int i = 6; i <= 9; ++i)
            form.zanBut[i]->setEnabled(false);
        form.streamsList->setEnabled(false);
        form.projList->setEnabled(false);
    } catch (...) {
        ErrorBox::showErrorBox(m_ctx.prompter, ZanError::current(QStringLiteral("frmMain")), QStringLiteral("vobTagTxt_Change()"));
    }
}
