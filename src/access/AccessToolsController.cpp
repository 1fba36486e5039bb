#include "access/AccessToolsController.h"

#include "access/AccessExplainer.h"
#include "access/AuditReport.h"
#include "access/VobAudit.h"
#include "clearcase/CCase.h"
#include "platform/InstallLayout.h"
#include "platform/Platform.h"
#include "shell/BusyState.h"
#include "shell/ErrorReporter.h"
#include "shell/MainContext.h"
#include "shell/MainWindow.h"
#include "shell/DetailWindow.h"
#include "shell/Registry.h"
#include "shell/WorkingState.h"
#include "triggers/RefusalReport.h"
#include "util/AppInfo.h"
#include "util/Prompter.h"
#include "util/TextRoutines.h"
#include "util/ZanError.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QSaveFile>

AccessToolsController::AccessToolsController(MainContext &context) : m_ctx(context)
{
    connect(m_ctx.form.explainAccess, &QAction::triggered, this, &AccessToolsController::explainAccess);
    connect(m_ctx.form.auditReport, &QAction::triggered, this, &AccessToolsController::auditReport);
    connect(m_ctx.form.refusedOperations, &QAction::triggered, this, &AccessToolsController::refusedOperations);
}

std::optional<QString> AccessToolsController::ask(const QString &prompt, const QString &title, const QString &preset)
{
    std::optional<QString> answer = m_ctx.prompter.inputText(prompt, title, preset);
    if (answer && answer->trimmed().isEmpty())
        return std::nullopt;
    return answer;
}

QString AccessToolsController::selectedOperation() const
{
    const QListWidgetItem *item = m_ctx.form.zanList[0]->currentItem();
    return item ? item->text() : QStringLiteral("checkout");
}

void AccessToolsController::explainAccess()
{
    try {
        const auto user = ask(QStringLiteral("User:"), explainTitle, m_ctx.platform.loginName());
        const auto operation = user ? ask(QStringLiteral("Operation:"), explainTitle, selectedOperation()) : std::nullopt;
        const auto element = operation ? ask(QStringLiteral("Element:"), explainTitle, m_ctx.form.selectedElemTxt->text()) : std::nullopt;
        if (!element)
            return;
        m_ctx.busy.setBusy(true, QStringLiteral("Explaining access"));
        const AccessExplainer::Explanation explanation =
            AccessExplainer(m_ctx.ccase.clearCase(), m_ctx.platform).explain(*user, *operation, *element);
        m_ctx.busy.setBusy(false);
        QStringList lines{explanation.allowed ? QStringLiteral("allow") : QStringLiteral("deny")};
        lines << explanation.chain << explanation.enforcement;
        m_ctx.prompter.message(lines.join(AppInfo::crlf), explainTitle,
                               explanation.allowed ? Prompter::Icon::Information : Prompter::Icon::Exclamation);
    } catch (...) {
        m_ctx.busy.setBusy(false);
        m_ctx.errors.reportBoxed(ZanError::current(QStringLiteral("explainAccess")), QStringLiteral("explainAccess()"));
    }
}

QString AccessToolsController::selectedVobRoot(const QString &title)
{
    const QString vobRoot = m_ctx.form.vobRootTxt->text();
    if (vobRoot.isEmpty() || vobRoot == QLatin1String("UNDEFINED")) {
        m_ctx.prompter.message(title == auditTitle ? QStringLiteral("Select a VOB in the tree first: the report covers the selected VOB.")
                                                   : QStringLiteral("Select a VOB in the tree first: the list covers the selected VOB."),
                               title, Prompter::Icon::Exclamation);
        return QString();
    }
    return vobRoot;
}

void AccessToolsController::auditReport()
{
    const QString vobRoot = selectedVobRoot(auditTitle);
    if (vobRoot.isEmpty())
        return;
    try {
        const QDir folder(InstallLayout(m_ctx.platform.programFolder()).userFilesFolder());
        const QString preset = folder.filePath(QStringLiteral("zan_audit_%1.html").arg(m_ctx.state.siteStyle().lastComponent(vobRoot)));
        const auto answer = ask(QStringLiteral("Save the audit report as:"), auditTitle, preset);
        if (!answer)
            return;
        const QString path = folder.absoluteFilePath(*answer); // a bare name goes where the preset pointed
        writeAuditReport(vobRoot, path);
        m_ctx.platform.openDocument(path);
        m_ctx.prompter.message(QStringLiteral("The audit report was written to ") + QDir::toNativeSeparators(path), auditTitle,
                               Prompter::Icon::Information);
    } catch (...) {
        m_ctx.busy.setBusy(false);
        m_ctx.errors.reportBoxed(ZanError::current(QStringLiteral("auditReport")), QStringLiteral("auditReport()"));
    }
}

void AccessToolsController::refusedOperations()
{
    const QString vobRoot = selectedVobRoot(refusalsTitle);
    if (vobRoot.isEmpty())
        return;
    try {
        const SiteStyle site = m_ctx.state.siteStyle();
        const QString vobTag = site.vobTagOf(vobRoot);
        m_ctx.busy.setBusy(true, QStringLiteral("Reading the refusals of ") + vobTag);
        const QStringList folders = RefusalLog::foldersOf(m_ctx.ccase.clearCase(), m_ctx.platform, m_ctx.registry.store(), {vobTag}, site);
        const RefusalLog::Reading reading = RefusalLog::read(folders, RefusalLog::Filter{QDateTime(), QString(), vobTag}, site);
        m_ctx.busy.setBusy(false);
        if (folders.isEmpty()) {
            m_ctx.prompter.message(QStringLiteral("No trigger location is recorded for %1: refusals are recorded once the security "
                                                  "triggers are installed.").arg(vobTag),
                                   refusalsTitle, Prompter::Icon::Exclamation);
            return;
        }
        m_ctx.detail.setTitle(QStringLiteral("Refused operations in: ") + vobTag);
        m_ctx.detail.setDetail(TextRoutines::lfToCrLf(refusalsText(reading)));
    } catch (...) {
        m_ctx.busy.setBusy(false);
        m_ctx.errors.reportBoxed(ZanError::current(QStringLiteral("refusedOperations")), QStringLiteral("refusedOperations()"));
    }
}

// The table as zanctl prints it, then what kept it from being complete.
QString AccessToolsController::refusalsText(const RefusalLog::Reading &reading)
{
    QString text = RefusalReport::render(reading.refusals, ReportFormat::Text);
    for (const QString &note : reading.notes)
        text += QStringLiteral("\nNote: ") + note;
    for (const QString &problem : reading.problems)
        text += QStringLiteral("\nIncomplete: ") + problem;
    return text;
}

void AccessToolsController::writeAuditReport(const QString &vobRoot, const QString &path)
{
    m_ctx.busy.setBusy(true, QStringLiteral("Auditing ") + vobRoot);
    const VobAudit audit = VobAudit::run(m_ctx.ccase.clearCase(), m_ctx.platform, vobRoot, [this](int) { m_ctx.platform.processEvents(); });
    const QByteArray page = AuditReport::render(audit, AuditReport::Format::Html);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(page) != page.size() || !file.commit())
        throw ZanError(ZanError::PathNotFound, QStringLiteral("auditReport"),
                       QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
    m_ctx.busy.setBusy(false);
}
