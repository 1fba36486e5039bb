#pragma once

#include <QObject>
#include <QString>
#include <optional>

struct MainContext;

// The Tools menu: "Explain access…" (user, operation and element asked for, the verdict and
// its reasons shown) and "Audit report…" (the selected VOB's settings written as one HTML
// page, then opened).
class AccessToolsController : public QObject
{
    Q_OBJECT

public:
    static inline const QString explainTitle = QStringLiteral("Explain access...");
    static inline const QString auditTitle = QStringLiteral("Audit report...");

    explicit AccessToolsController(MainContext &context);

    void explainAccess();
    void auditReport();

private:
    std::optional<QString> ask(const QString &prompt, const QString &title, const QString &preset);
    QString selectedOperation() const;
    void writeAuditReport(const QString &vobRoot, const QString &path);

    MainContext &m_ctx;
};
