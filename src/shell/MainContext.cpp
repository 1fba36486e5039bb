#include "shell/MainContext.h"

#include "shell/MainWindow.h"
#include "shell/WorkingState.h"

#include <QComboBox>
#include <QListWidget>

void MainContext::hideSubLists() const
{
    form.selectUserCombo->hide();
    form.selectGroupCombo->hide();
    form.zanSubList->hide();
    form.streamSubList->hide();
    form.projSubList->hide();
    state.setStopShown(false);
}
