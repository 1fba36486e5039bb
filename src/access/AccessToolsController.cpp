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
#include "shell/WorkingState.h"
#include "util/AppInfo.h"
#include "util/Prompter.h"
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

void AccessToolsController::auditReport()
{
    const QString vobRoot = m_ctx.form.vobRootTxt->text();
    if (vobRoot.isEmpty() || vobRoot == QLatin1String("UNDEFINED")) {
        m_ctx.prompter.message(QStringLiteral("Select a VOB in the tree first: the report covers the selected VOB."), auditTitle,
                               Prompter::Icon::Exclamation);
        return;
    }
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
