#include "AuditCommand.h"

#include "CliContext.h"
#include "TargetPattern.h"
#include "access/AuditReport.h"
#include "access/VobAudit.h"
#include "util/ZanError.h"

#include <QSaveFile>
#include <QSet>

namespace {

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
                                                   "Not needed with --under DIR.")}};
}

QList<QCommandLineOption> AuditCommand::options() const
{
    return QList<QCommandLineOption>{QCommandLineOption(QStringLiteral("format"), QStringLiteral("text (default), csv, json or html."),
                                                        QStringLiteral("FORMAT"), QStringLiteral("text")),
                                     QCommandLineOption(QStringLiteral("output"), QStringLiteral("Write the report to FILE instead of stdout."),
                                                        QStringLiteral("FILE"))}
           + TargetPattern::options();
}

int AuditCommand::execute(const QStringList &arguments)
{
    QCommandLineParser parser;
    if (const auto stop = parse(arguments, parser, 0, 1))
        return *stop;
    const TargetPattern pattern(parser);
    if (pattern.isGiven() == !operands(parser).isEmpty())
        return fail(QStringLiteral("give either VOB or --under DIR (see zanctl audit --help)"));
    AuditReport::Format format = AuditReport::Format::Json;
    if (!json(parser) && !AuditReport::parseFormat(parser.value(QStringLiteral("format")), format))
        return fail(QStringLiteral("unknown format \"%1\" (text, csv, json or html)").arg(parser.value(QStringLiteral("format"))));

    const QStringList elements = patternTargets(pattern);
    const QString vobRoot = pattern.isGiven() ? locate(pattern.under()).vobRoot
                                              : locateVob(operands(parser).first(), QStringLiteral("the report covers")).vobRoot;
    VobAudit audit = VobAudit::run(m_ctx.clearCase(), m_ctx.platform(), vobRoot, [this](int seen) {
        if (seen % 50 == 0)
            m_ctx.progress(QStringLiteral("audit: %1 entries read").arg(seen));
    });
    m_ctx.endProgress();
    if (pattern.isGiven())
        keepOnly(audit, elements);
    const QByteArray report = AuditReport::render(audit, format);
    if (!parser.isSet(QStringLiteral("output"))) {
        m_ctx.out() << QString::fromUtf8(report) << Qt::flush;
        return 0;
    }
    QSaveFile file(parser.value(QStringLiteral("output")));
    if (!file.open(QIODevice::WriteOnly) || file.write(report) != report.size() || !file.commit())
        return fail(QStringLiteral("cannot write %1: %2").arg(file.fileName(), file.errorString()));
    return 0;
}
