#pragma once

#include "triggers/RefusalLog.h"

#include <QObject>
#include <QString>
#include <optional>

struct MainContext;

// The Tools menu: "Explain access…" (user, operation and element asked for, the verdict and
// its reasons shown), "Audit report…" (the selected VOB's settings written as one HTML
// page, then opened) and "Refused operations…" (the refusals the security triggers recorded
// for the selected VOB, in the Detail window).
class AccessToolsController : public QObject
{
    Q_OBJECT

public:
    static inline const QString explainTitle = QStringLiteral("Explain access...");
    static inline const QString auditTitle = QStringLiteral("Audit report...");
    static inline const QString refusalsTitle = QStringLiteral("Refused operations...");

    explicit AccessToolsController(MainContext &context);

    void explainAccess();
    void auditReport();
    void refusedOperations();

private:
    std::optional<QString> ask(const QString &prompt, const QString &title, const QString &preset);
    QString selectedOperation() const;
    // The selected VOB's root; "" after telling that the tool needs one.
    QString selectedVobRoot(const QString &title);
    static QString refusalsText(const RefusalLog::Reading &reading);
    void writeAuditReport(const QString &vobRoot, const QString &path);

    MainContext &m_ctx;
};
