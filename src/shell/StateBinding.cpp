#include "shell/StateBinding.h"

#include "shell/MainWindow.h"
#include "shell/WorkingState.h"

#include "util/ItemList.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalBlocker>

namespace {

// Shows the entries; a list that shows their start only gets the rest, so its selection stays.
void showEntries(QListWidget *list, const QStringList &entries)
{
    if (ItemList(list).entries() != entries.mid(0, list->count()))
        list->clear();
    list->addItems(entries.mid(list->count()));
}

// The panel's lists and the checked-element list show the state's; the operations list
// reports only the administrator's own picks.
void bindLists(MainWindow &form, WorkingState &state, QObject *context)
{
    const auto showOperations = [&form, &state] {
        QListWidget *list = form.zanList[0];
        const QSignalBlocker blocker(list);
        showEntries(list, state.operations());
        const int row = int(state.operations().indexOf(state.operation()));
        list->setCurrentRow(row);
        if (row < 0)
            list->clearSelection();
    };
    QObject::connect(&state, &WorkingState::operationsChanged, context, showOperations);
    QObject::connect(&state, &WorkingState::operationSelected, context, showOperations);
    QObject::connect(&state, &WorkingState::usersChanged, form.zanList[1],
                     [list = form.zanList[1]](const QStringList &users) { showEntries(list, users); });
    QObject::connect(&state, &WorkingState::groupsChanged, form.zanList[2],
                     [list = form.zanList[2]](const QStringList &groups) { showEntries(list, groups); });

    QListWidget *checked = form.selectedList;
    QObject::connect(&state.checked(), &CheckedElements::appended, checked, [checked](const QString &path) { checked->addItem(path); });
    QObject::connect(&state.checked(), &CheckedElements::removed, checked,
                     [checked](int first, int count) { checked->model()->removeRows(first, count); });
    QObject::connect(&state.checked(), &CheckedElements::cleared, checked, &QListWidget::clear);
}

} // namespace

StateBinding::StateBinding(MainWindow &form, WorkingState &state) : QObject(&form)
{
    state.setVobTag(form.vobTagTxt->text());
    state.setVobRoot(form.vobRootTxt->text());
    state.setElement(form.selectedElemTxt->text());
    connect(form.vobTagTxt, &QLineEdit::textChanged, &state, &WorkingState::setVobTag);
    connect(form.vobRootTxt, &QLineEdit::textChanged, &state, &WorkingState::setVobRoot);
    connect(form.selectedElemTxt, &QLineEdit::textChanged, &state, &WorkingState::setElement);
    bindLists(form, state, this);

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
