#include "AuditCommand.h"

#include "CliContext.h"
#include "access/AuditReport.h"
#include "access/VobAudit.h"
#include "util/ZanError.h"

#include <QSaveFile>

QList<ZanctlCommand::Positional> AuditCommand::positionals() const
{
    return {{QStringLiteral("VOB"), QStringLiteral("The VOB root path in a view, e.g. m:\\view\\vob; a path below it stands for its VOB.")}};
}

QList<QCommandLineOption> AuditCommand::options() const
{
    return {QCommandLineOption(QStringLiteral("format"), QStringLiteral("text (default), csv, json or html."), QStringLiteral("FORMAT"),
                               QStringLiteral("text")),
            QCommandLineOption(QStringLiteral("output"), QStringLiteral("Write the report to FILE instead of stdout."),
                               QStringLiteral("FILE"))};
}

int AuditCommand::execute(const QStringList &arguments)
{
    QCommandLineParser parser;
    if (const auto stop = parse(arguments, parser, 1, 1))
        return *stop;
    AuditReport::Format format = AuditReport::Format::Json;
    if (!json(parser) && !AuditReport::parseFormat(parser.value(QStringLiteral("format")), format))
        return fail(QStringLiteral("unknown format \"%1\" (text, csv, json or html)").arg(parser.value(QStringLiteral("format"))));

    const VobAudit audit = VobAudit::run(m_ctx.clearCase(), m_ctx.platform(), locateVob(operands(parser).first(), QStringLiteral("the report covers")).vobRoot, [this](int seen) {
        if (seen % 50 == 0)
            m_ctx.progress(QStringLiteral("audit: %1 entries read").arg(seen));
    });
    m_ctx.endProgress();
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
