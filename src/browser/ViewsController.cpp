#include "browser/ViewsController.h"

#include "clearcase/CCase.h"
#include "platform/SystemRoutines.h"
#include "shell/BusyState.h"
#include "shell/DetailWindow.h"
#include "shell/ErrorReporter.h"
#include "shell/MainContext.h"
#include "shell/MainWindow.h"
#include "shell/WorkingState.h"
#include "util/AppInfo.h"
#include "util/ErrorBox.h"
#include "util/ListRoutines.h"
#include "util/Prompter.h"
#include "util/TextRoutines.h"
#include "util/ZanError.h"

#include <QCheckBox>
#include <QEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QOperatingSystemVersion>
#include <QPushButton>
#include <QRegularExpression>
#include <QTreeWidget>

#include <utility>

namespace {

const QString kComponent = QStringLiteral("frmMain");

// A view tag goes into the "startview" command line as it is; one that would split into
// several words or carry quotes is refused before anything is run.
void requirePlainViewTag(const QString &tag)
{
    static const QRegularExpression unsafe(QStringLiteral("[\\s\"']"));
    if (tag.isEmpty() || tag.contains(unsafe))
        throw ZanError(ZanError::General, kComponent, QStringLiteral("Invalid view tag: \"") + tag + QLatin1Char('"'));
}

} // namespace

ViewsController::ViewsController(MainContext &context)
    : m_ctx(context), m_populator(context),
      m_mountDialogAvailable(QOperatingSystemVersion::currentType() == QOperatingSystemVersion::Windows)
{
    MainWindow &form = m_ctx.form;
    connect(form.loadBut, &QPushButton::clicked, this, &ViewsController::loadViews);
    connect(form.butSpecifyView, &QPushButton::clicked, this, &ViewsController::specifyView);
    connect(form.viewConfigSpecBut, &QPushButton::clicked, this, &ViewsController::showConfigSpec);
    connect(form.showAllDrivesBut, &QPushButton::clicked, this, &ViewsController::toggleDriveMode);
    connect(form.refreshBut, &QPushButton::clicked, this, &ViewsController::refreshList);
    connect(form.mountVobBut, &QPushButton::clicked, this, &ViewsController::mountVob);
    // Selection, not the current row: tabbing into the list makes its first view current
    // without selecting it, and that must not open the view.
    connect(form.mainList, &QListWidget::itemSelectionChanged, this, &ViewsController::viewSelectionChanged);
    connect(form.mainList, &QListWidget::itemClicked, this, &ViewsController::viewClicked);
    form.mainList->viewport()->installEventFilter(this);
}

bool ViewsController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_ctx.form.mainList->viewport() && event->type() == QEvent::MouseButtonPress)
        m_selectedByCurrentChange = false;
    return false;
}

void ViewsController::loadViews()
{
    QListWidget *list = m_ctx.form.mainList;
    try {
        list->hide();
        list->clear();
        m_ctx.ccase.getViewsList(false, m_ctx.form.myViewsOnlyCB->isChecked(), ItemList(list),
                                 [this](const QString &text) { m_ctx.busy.setStatBarMsg(text); });
        list->show();
    } catch (...) {
        list->show();
        m_ctx.errors.reportWithSupportLine(ZanError::current(kComponent),
                                           QStringLiteral("Could not Load all views.  Snapshot views are not supported."));
    }
}

void ViewsController::specifyView()
{
    const std::optional<QString> answer =
        m_ctx.prompter.inputText(QStringLiteral("Enter view name: "), QStringLiteral("Enter view name..."), QString());
    if (!answer || answer->isEmpty())
        return;
    const QString tag = *answer;
    try {
        m_ctx.ccase.clearCase().viewByTag(tag);
        if (!ListRoutines::is_dup_list(tag, ItemList(m_ctx.form.mainList)))
            m_ctx.form.mainList->addItem(tag);
    } catch (...) {
        ErrorBox::showErrorBox(m_ctx.prompter, ZanError::current(kComponent),
                               QStringLiteral("View does not exist or problem verifying view."));
    }
}

void ViewsController::viewSelectionChanged()
{
    if (m_ctx.form.mainList->selectedItems().isEmpty())
        return;
    m_selectedByCurrentChange = true;
    selectView();
}

void ViewsController::viewClicked()
{
    if (std::exchange(m_selectedByCurrentChange, false))
        return;
    selectView();
}

void ViewsController::selectView()
{
    if (m_ctx.form.mainList->count() == 0)
        return;
    try {
        m_ctx.busy.setBusy(true);
        const QString tag = selectedViewTag();
        const ViewInfo view = m_ctx.ccase.clearCase().viewByTag(tag);
        if (view.snapshot) {
            m_ctx.prompter.message(QStringLiteral("View: ") + tag + QStringLiteral(" is a snapshot view.") + AppInfo::crlf
                                       + QStringLiteral("Cannot use snapshot views to apply security"),
                                   QStringLiteral("Can't use snapshot views"), Prompter::Icon::Information,
                                   Prompter::Buttons::Ok);
        } else if (!view.active) {
            requirePlainViewTag(tag);
            m_ctx.ccase.clearCase().runCommand(QStringLiteral("startview ") + tag);
        }
        m_ctx.form.tTreeList->clear();
        m_populator.populateTree(5, m_ctx.form.filterDriveTxt->text(), false, nullptr);
        m_ctx.busy.setBusy(false);
    } catch (...) {
        m_ctx.errors.reportWithSupportLine(ZanError::current(kComponent));
    }
}

void ViewsController::showConfigSpec()
{
    if (m_ctx.form.mainList->count() == 0)
        return;
    try {
        m_ctx.busy.setBusy(true);
        const QString tag = selectedViewTag();
        const ViewInfo view = m_ctx.ccase.clearCase().viewByTag(tag);
        m_ctx.detail.setTitle(QStringLiteral("Config spec for view: ") + tag);
        m_ctx.detail.setDetail(TextRoutines::lfToCrLf(view.configSpec));
        m_ctx.busy.setBusy(false);
    } catch (...) {
        m_ctx.errors.reportWithSupportLine(ZanError::current(kComponent));
    }
}

void ViewsController::toggleDriveMode()
{
    MainWindow &form = m_ctx.form;
    try {
        if (form.mainList->count() == 0) {
            m_ctx.prompter.message(QStringLiteral("You must first load and select a view.") + AppInfo::crlf
                                       + QStringLiteral("Click on the load button next to 'My Views Only' ") + AppInfo::crlf
                                       + QStringLiteral("checkbox and then double click on a view to select ") + AppInfo::crlf
                                       + QStringLiteral("and start a view"),
                                   QStringLiteral("No View Selected"), Prompter::Icon::Exclamation);
            return;
        }
        if (form.showAllDrivesBut->text() != QLatin1String("Show All Drives")) {
            form.showAllDrivesBut->setText(QStringLiteral("Show All Drives"));
            form.filterDriveTxt->hide();
            m_populator.populateTree(5, form.filterDriveTxt->text(), true, nullptr);
        } else {
            form.showAllDrivesBut->setText(QStringLiteral("Filter Drives"));
            m_populator.populateTree(5, QString(), true, nullptr);
            form.filterDriveTxt->show();
        }
    } catch (...) {
        m_ctx.errors.reportWithSupportLine(ZanError::current(kComponent));
    }
}

void ViewsController::refreshList()
{
    MainWindow &form = m_ctx.form;
    if (form.mainList->count() == 0)
        return;
    try {
        m_ctx.state.checked().clear();
        const QString filter = MainWindow::isShown(form.filterDriveTxt) ? QString() : form.filterDriveTxt->text();
        m_populator.populateTree(5, filter, true, nullptr);
    } catch (...) {
        ErrorBox::showErrorBox(m_ctx.prompter, ZanError::current(kComponent), QStringLiteral("Error encountered::refreshBut_C()"));
    }
}

void ViewsController::mountVob()
{
    try {
        m_ctx.busy.setBusy(true);
        if (m_mountDialogAvailable) {
            m_ctx.system.runCommand(QStringLiteral("cleardlg.exe /mount"), 1);
        } else {
            m_ctx.prompter.message(QStringLiteral("The ClearCase mount dialog is available on Windows only.") + AppInfo::crlf
                                       + QStringLiteral("Mount a VOB from a shell with: cleartool mount <vob-tag>") + AppInfo::crlf
                                       + QStringLiteral("then click \"Refresh List\" and open the view again."),
                                   AppInfo::title, Prompter::Icon::Information);
        }
        m_ctx.busy.setBusy(false);
    } catch (...) {
        const ZanError error = ZanError::current(kComponent);
        m_ctx.busy.setBusy(false);
        m_ctx.prompter.message(QStringLiteral("Error::") + error.description() + AppInfo::crlf,
                               AppInfo::title + QStringLiteral(" Error..."), Prompter::Icon::Critical);
    }
}

QString ViewsController::selectedViewTag() const
{
    const QListWidgetItem *item = m_ctx.form.mainList->currentItem();
    if (!item)
        throw ZanError(ZanError::General, kComponent, QStringLiteral("No view is selected."));
    return item->text();
}
