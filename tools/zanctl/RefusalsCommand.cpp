#include "RefusalsCommand.h"

#include "CliContext.h"
#include "NearestName.h"
#include "clearcase/SiteStyle.h"
#include "triggers/RefusalLog.h"
#include "triggers/RefusalReport.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString logOption = QStringLiteral("log");
const QString userOption = QStringLiteral("user");
const QString vobOption = QStringLiteral("vob");
const QString formatOption = QStringLiteral("format");

} // namespace

QList<QCommandLineOption> RefusalsCommand::options() const
{
    return {QCommandLineOption(logOption, QStringLiteral("Read the log folder DIR instead of the VOBs' trigger locations."),
                               QStringLiteral("DIR")),
            sinceOptionFor(QStringLiteral("refusals")),
            QCommandLineOption(userOption, QStringLiteral("Only the refusals of user U (any case)."), QStringLiteral("U")),
            QCommandLineOption(vobOption, QStringLiteral("Only the refusals in the VOB TAG, e.g. \\proj or /vobs/proj."), QStringLiteral("TAG")),
            QCommandLineOption(formatOption, QStringLiteral("text (default), csv or json."), QStringLiteral("FORMAT"),
                               QStringLiteral("text"))};
}

QString RefusalsCommand::siteVobTag(const QString &typed)
{
    const SiteStyle site = m_ctx.clearCase().siteStyle();
    for (const QString &tag : site.vobTags()) {
        if (tag.compare(typed, site.caseSensitivity()) == 0)
            return tag;
    }
    return QString();
}

QStringList RefusalsCommand::logFolders(const QCommandLineParser &parser, const QString &vobTag, std::optional<int> &status)
{
    if (parser.isSet(logOption)) {
        const QString folder = QDir(m_ctx.currentFolder()).absoluteFilePath(parser.value(logOption));
        if (QFileInfo(folder).isDir())
            return {folder};
        status = fail(QStringLiteral("%1 is not a folder").arg(QDir::toNativeSeparators(folder)));
        return {};
    }
    const SiteStyle site = m_ctx.clearCase().siteStyle();
    const QStringList tags = vobTag.isEmpty() ? site.vobTags() : QStringList{vobTag};
    const QStringList folders = RefusalLog::foldersOf(m_ctx.clearCase(), m_ctx.platform(), m_ctx.store(), tags, site);
    if (folders.isEmpty())
        status = fail(QStringLiteral("no trigger location is recorded for %1: install the security triggers, or give --log DIR")
                          .arg(vobTag.isEmpty() ? QStringLiteral("any VOB of the site") : vobTag));
    return folders;
}

int RefusalsCommand::execute(const QStringList &arguments)
{
    QCommandLineParser parser;
    if (const auto stop = parse(arguments, parser, 0, 0))
        return *stop;
    ReportFormat format = ReportFormat::Json;
    if (!json(parser) && !ReportFormats::parse(parser.value(formatOption), format))
        return fail(QStringLiteral("unknown format \"%1\" (text, csv or json)").arg(parser.value(formatOption)));
    RefusalLog::Filter filter;
    if (const auto stop = readSince(parser, filter.since))
        return *stop;
    filter.user = parser.value(userOption).trimmed();
    if (parser.isSet(vobOption)) {
        filter.vobTag = siteVobTag(parser.value(vobOption).trimmed());
        if (filter.vobTag.isEmpty())
            return fail(QStringLiteral("\"%1\" is not a VOB tag of the site%2")
                            .arg(parser.value(vobOption), NearestName::didYouMean(parser.value(vobOption), m_ctx.clearCase().siteStyle().vobTags())));
    }
    std::optional<int> status;
    const QStringList folders = logFolders(parser, filter.vobTag, status);
    if (status)
        return *status;

    const RefusalLog::Reading reading = RefusalLog::read(folders, filter, m_ctx.clearCase().siteStyle());
    m_ctx.out() << RefusalReport::render(reading.refusals, format) << Qt::flush;
    for (const QString &line : reading.notes + reading.problems)
        m_ctx.err() << QStringLiteral("zanctl refusals: ") << line << Qt::endl;
    return reading.problems.isEmpty() ? 0 : failureStatus;
}
