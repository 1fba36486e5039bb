#include "shell/StateBinding.h"

#include "shell/MainWindow.h"
#include "shell/WorkingState.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

StateBinding::StateBinding(MainWindow &form, WorkingState &state) : QObject(&form)
{
    state.setVobTag(form.vobTagTxt->text());
    state.setVobRoot(form.vobRootTxt->text());
    state.setElement(form.selectedElemTxt->text());
    connect(form.vobTagTxt, &QLineEdit::textChanged, &state, &WorkingState::setVobTag);
    connect(form.vobRootTxt, &QLineEdit::textChanged, &state, &WorkingState::setVobRoot);
    connect(form.selectedElemTxt, &QLineEdit::textChanged, &state, &WorkingState::setElement);

    const auto showUcm = [&form](bool on) {
        form.ucmVobImage->setVisible(on);
        form.ucmVobLbl->setVisible(on);
    };
    const auto showStop = [&form](bool shown) {
        form.stopImage->setVisible(shown);
        form.stopMsgTxt->setVisible(shown);
    };
    connect(&state, &WorkingState::ucmVobChanged, this, showUcm);
    connect(&state, &WorkingState::overrideChanged, form.overrideImage, &QWidget::setVisible);
    connect(&state, &WorkingState::exemptLoginChanged, form.nuserImage, &QWidget::setVisible);
    connect(&state, &WorkingState::stopChanged, this, showStop);
    showUcm(state.ucmVob());
    form.overrideImage->setVisible(state.overrideOn());
    form.nuserImage->setVisible(state.exemptLogin());
    showStop(state.stopShown());
}
