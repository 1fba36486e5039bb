#include "AuditCommand.h"

#include "CliContext.h"
#include "TargetPattern.h"
#include "access/AuditReport.h"
#include "access/VobAudit.h"
#include "util/ZanError.h"

#include <QSaveFile>
#include <QSet>

namespace {

const QString allOption = QStringLiteral("all");

// The audit narrowed to the elements a pattern named.
void keepOnly(VobAudit &audit, const QStringList &elements)
{
    const QSet<QString> kept(elements.cbegin(), elements.cend());
    audit.elements.removeIf([&kept](const VobAudit::Element &element) { return !kept.contains(element.path); });
    audit.rows.removeIf([&kept](const VobAudit::Row &row) { return !kept.contains(row.path); });
}

} // namespace

QList<ZanctlCommand::Positional> AuditCommand::positionals() const
{
    return {{QStringLiteral("VOB"), QStringLiteral("The VOB root path in a view, e.g. m:\\view\\vob; a path below it stands for its VOB. "
                                                   "Not needed with --under DIR; with --all, a path in the view (the current folder "
                                                   "by default).")}};
}

QList<QCommandLineOption> AuditCommand::options() const
{
    return QList<QCommandLineOption>{QCommandLineOption(QStringLiteral("format"), QStringLiteral("text (default), csv, json or html."),
                                                        QStringLiteral("FORMAT"), QStringLiteral("text")),
                                     QCommandLineOption(QStringLiteral("output"), QStringLiteral("Write the report to FILE instead of stdout."),
                                                        QStringLiteral("FILE")),
                                     QCommandLineOption(allOption, QStringLiteral("Every VOB the site lists, in one report."))}
           + TargetPattern::options();
}

int AuditCommand::execute(const QStringList &arguments)
{
    QCommandLineParser parser;
    if (const auto stop = parse(arguments, parser, 0, 1))
        return *stop;
    const TargetPattern pattern(parser);
    const bool all = parser.isSet(allOption);
    if (all && pattern.isGiven())
        return fail(QStringLiteral("--all covers whole VOBs: it takes no --under DIR (see zanctl audit --help)"));
    if (!all && pattern.isGiven() == !operands(parser).isEmpty())
        return fail(QStringLiteral("give either VOB or --under DIR (see zanctl audit --help)"));
    AuditReport::Format format = AuditReport::Format::Json;
    if (!json(parser) && !AuditReport::parseFormat(parser.value(QStringLiteral("format")), format))
        return fail(QStringLiteral("unknown format \"%1\" (text, csv, json or html)").arg(parser.value(QStringLiteral("format"))));

    if (all)
        return auditAll(parser, format);
    const QStringList elements = patternTargets(pattern);
    const QString vobRoot = pattern.isGiven() ? locate(pattern.under()).vobRoot
                                              : locateVob(operands(parser).first(), QStringLiteral("the report covers")).vobRoot;
    VobAudit audit = run(vobRoot);
    if (pattern.isGiven())
        keepOnly(audit, elements);
    return write(parser, AuditReport::render(audit, format)) ? 0 : failureStatus;
}

// A VOB that cannot be read is said on stderr; the others are still reported.
int AuditCommand::auditAll(const QCommandLineParser &parser, AuditReport::Format format)
{
    QList<VobAudit> audits;
    bool allRead = true;
    for (const QString &vobRoot : siteVobRoots(operands(parser).value(0))) {
        try {
            audits << run(vobRoot);
        } catch (...) {
            m_ctx.endProgress();
            m_ctx.err() << QStringLiteral("zanctl audit: %1: %2").arg(vobRoot, ZanError::current(QStringLiteral("zanctl")).description().simplified())
                        << Qt::endl;
            allRead = false;
        }
    }
    if (!write(parser, AuditReport::render(audits, format)))
        return failureStatus;
    return allRead ? 0 : 1;
}

VobAudit AuditCommand::run(const QString &vobRoot)
{
    VobAudit audit = VobAudit::run(m_ctx.clearCase(), m_ctx.platform(), vobRoot, [this, &vobRoot](int seen) {
        if (seen % 50 == 0)
            m_ctx.progress(QStringLiteral("audit: %1: %2 entries read").arg(vobRoot).arg(seen));
    });
    m_ctx.endProgress();
    return audit;
}

bool AuditCommand::write(const QCommandLineParser &parser, const QByteArray &report)
{
    if (!parser.isSet(QStringLiteral("output"))) {
        m_ctx.out() << QString::fromUtf8(report) << Qt::flush;
        return true;
    }
    QSaveFile file(parser.value(QStringLiteral("output")));
    if (!file.open(QIODevice::WriteOnly) || file.write(report) != report.size() || !file.commit()) {
        fail(QStringLiteral("cannot write %1: %2").arg(file.fileName(), file.errorString()));
        return false;
    }
    return true;
}
