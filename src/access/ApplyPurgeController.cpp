#include "access/ApplyPurgeController.h"

#include "access/AccessAttributeFormat.h"
#include "access/AccessEditor.h"
#include "access/AccessPlanner.h"
#include "access/AccessSettingsReader.h"
#include "access/RoutineErrorReport.h"
#include "clearcase/CCase.h"
#include "platform/Platform.h"
#include "shell/BusyState.h"
#include "shell/ErrorReporter.h"
#include "shell/MainContext.h"
#include "shell/MainWindow.h"
#include "shell/WorkingState.h"
#include "util/AppInfo.h"
#include "util/Prompter.h"
#include "util/ZanError.h"

#include <QPushButton>
#include <QToolButton>

namespace {

const QString component = QStringLiteral("ApplyPurgeController");

} // namespace

ApplyPurgeController::ApplyPurgeController(MainContext &context) : m_ctx(context)
{
    MainWindow &form = m_ctx.form;
    connect(form.applyAllCheckedBut, &QPushButton::clicked, this, &ApplyPurgeController::applyAllCheckedClicked);
    connect(form.deleteAllCheckedBut, &QPushButton::clicked, this, &ApplyPurgeController::purgeAllChecked);
    connect(form.purgeFromElemBut, &QPushButton::clicked, this, &ApplyPurgeController::purgeElement);
}

void ApplyPurgeController::applyAllCheckedClicked()
{
    try {
        doApplyAllChecked();
    } catch (...) {
        m_ctx.errors.reportBoxed(ZanError::current(component), QStringLiteral("applyAllCheckedBut()"));
    }
}

void ApplyPurgeController::doApplyAllChecked()
{
    const QString &crlf = AppInfo::crlf;
    try {
        const QString base = location().path;
        // Without a base there is nothing to copy; going on would blank every target's groups.
        if (location().vobTag.contains(QLatin1Char('<')) || base.isEmpty()) {
            m_ctx.prompter.message(QStringLiteral("Must first select an element to be used as the basis") + crlf +
                                       QStringLiteral("for applying access control for all the selected elements"),
                                   QStringLiteral("Select an element first..."), Prompter::Icon::Exclamation);
            return;
        }
        const QStringList targets = m_ctx.state.checked().paths();
        const QStringList operations = baseOperations();
        if (targets.size() > 1) {
            const QString question = QStringLiteral("NOTE: You are about to set access control for ") +
                                     QString::number(targets.size()) + QStringLiteral(" element(s)") + crlf +
                                     QStringLiteral("based on element: ") + base + crlf + crlf +
                                     QStringLiteral("Are you sure you want to continue?");
            const auto preview = [&] {
                return previewOf([&] { return AccessPlanner(m_ctx.ccase.clearCase()).planApply(location(), operations, targets); });
            };
            if (m_ctx.prompter.messageWithPreview(question, QStringLiteral("Set access control for all checked elements..."),
                                                  Prompter::Icon::Exclamation, Prompter::Buttons::YesNo,
                                                  preview) != Prompter::Answer::Yes)
                return;
        }
        m_ctx.busy.setBusy(true);
        // Every target gets the base's groups, possibly in a VOB whose root was never selected.
        AccessEditor(m_ctx.ccase.clearCase()).ensureAttributeType(location(), AccessAttributeFormat::groupsTypeName);
        AccessApplier::Observer observer = progressObserver();
        observer.confirmVobRoot = [this](const QString &vobRoot) { return confirmApplyToVobRoot(vobRoot); };
        const AccessApplier::Outcome outcome =
            AccessApplier(m_ctx.ccase.clearCase()).apply(location(), operations, targets, observer);
        m_ctx.busy.setBusy(false);
        reportFailures(outcome.failures);
    } catch (const std::exception &) {
        m_ctx.errors.reportBoxed(ZanError::current(component), QStringLiteral("doApplyAllChecked()"));
    }
}

// Up to a handful of failures each get the attribute routine's own box; more are listed in
// one summary. "Done" stands only for an apply without failures.
void ApplyPurgeController::reportFailures(const QList<AccessApplier::Failure> &failures)
{
    constexpr int handful = 5;
    constexpr int listedAtMost = 40;
    if (failures.isEmpty()) {
        m_ctx.busy.setStatBarMsg(QStringLiteral("Done"));
        return;
    }
    m_ctx.busy.setStatBarMsg(QStringLiteral("Finished with %1 failure(s)").arg(failures.size()));
    if (failures.size() <= handful) {
        for (const AccessApplier::Failure &failure : failures)
            RoutineErrorReport::show(m_ctx.prompter, ZanError(ZanError::ClearCaseFailure, component, failure.description),
                                     RoutineErrorReport::addAttribute);
        return;
    }
    QStringList lines{QStringLiteral("Access control could not be applied to %1 element(s):").arg(failures.size())};
    for (const AccessApplier::Failure &failure : failures.mid(0, listedAtMost))
        lines << failure.target + QStringLiteral(": ") + failure.description;
    if (failures.size() > listedAtMost)
        lines << QStringLiteral("... and %1 more").arg(failures.size() - listedAtMost);
    m_ctx.prompter.message(lines.join(AppInfo::crlf), QStringLiteral("Apply failures..."), Prompter::Icon::Exclamation);
}

const ElementLocation &ApplyPurgeController::location() const
{
    return m_ctx.state.location();
}

// The operations the base element carries, read from it as the command line does.
QStringList ApplyPurgeController::baseOperations()
{
    AccessSettingsReader reader(m_ctx.ccase.clearCase());
    return AccessSettingsReader::operationsOn(reader.attributesOf(location().element()));
}

AccessApplier::Observer ApplyPurgeController::progressObserver()
{
    AccessApplier::Observer observer;
    observer.status = [this](const QString &message) { m_ctx.busy.setStatBarMsg(message); };
    observer.betweenChunks = [this] { m_ctx.platform.processEvents(); };
    return observer;
}

QString ApplyPurgeController::previewOf(const std::function<AccessPlan()> &plan)
{
    try {
        return plan().describe();
    } catch (const std::exception &) {
        return QStringLiteral("The preview could not be made: ") + ZanError::current(component).description();
    }
}

bool ApplyPurgeController::confirmApplyToVobRoot(const QString &target)
{
    return m_ctx.prompter.message(QStringLiteral("Are you sure you want to apply to the VOB root directory?") +
                                      AppInfo::crlf + QStringLiteral("---> ") + target,
                                  QStringLiteral("Apply to VOB Root"), Prompter::Icon::Exclamation,
                                  Prompter::Buttons::YesNo) == Prompter::Answer::Yes;
}

Prompter::Answer ApplyPurgeController::askPurge(const QString &warning, const QStringList &targets)
{
    const auto preview = [&] {
        return previewOf([&] { return AccessPlanner(m_ctx.ccase.clearCase()).planPurge(location(), targets); });
    };
    return m_ctx.prompter.messageWithPreview(warning, QStringLiteral("About to purge..."), Prompter::Icon::Exclamation,
                                             Prompter::Buttons::OkCancel, preview);
}

void ApplyPurgeController::purgeAllChecked()
{
    const QString &crlf = AppInfo::crlf;
    try {
        const QStringList targets = m_ctx.state.checked().paths();
        if (location().path.isEmpty() || targets.isEmpty())
            return;
        const QString warning = QStringLiteral("WARNING: ") + crlf +
                                QStringLiteral("You are about to purge all operations and users from ") +
                                QString::number(targets.size()) + QStringLiteral(" element(s)") + crlf + crlf +
                                QStringLiteral("Are you sure you want to do this?");
        if (askPurge(warning, targets) != Prompter::Answer::Ok)
            return;
        m_ctx.busy.setBusy(true);
        AccessApplier(m_ctx.ccase.clearCase()).purge(location(), targets, progressObserver());
        m_ctx.state.clearAccess();
        m_ctx.busy.setStatBarMsg(QStringLiteral("Done"));
        m_ctx.busy.setBusy(false);
        m_ctx.state.clearChecked();
    } catch (...) {
        m_ctx.errors.reportBoxed(ZanError::current(component), QStringLiteral("purgeFromElemBut()"));
    }
}

void ApplyPurgeController::purgeElement()
{
    MainWindow &form = m_ctx.form;
    const QString element = location().path;
    if (m_ctx.state.operations().isEmpty() || element.isEmpty())
        return;
    try {
        const QString warning = QStringLiteral("WARNING: ") + AppInfo::crlf +
                                QStringLiteral("You are about to purge all operations and users from") + QStringLiteral(" ") +
                                QStringLiteral("the element ") + QLatin1Char('"') + element + QLatin1Char('"') +
                                AppInfo::crlf + QStringLiteral("Are you sure you want to do this?");
        if (askPurge(warning, {element}) == Prompter::Answer::Ok) {
            m_ctx.busy.setBusy(true);
            AccessApplier(m_ctx.ccase.clearCase()).purge(location(), {element});
            m_ctx.state.clearAccess();
            m_ctx.busy.setBusy(false);
        }
        form.zanBut[0]->setFocus();
    } catch (...) {
        const ZanError error = ZanError::current(component);
        m_ctx.errors.reportBoxed(error, QStringLiteral("purgeFromElemBut()::") + error.description() + QStringLiteral("::") +
                                            QString::number(error.number()));
    }
}
