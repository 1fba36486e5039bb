#include "ZanctlCommand.h"

#include "CliContext.h"
#include "NearestName.h"
#include "clearcase/SiteText.h"
#include "TargetPattern.h"
#include "TypedPath.h"
#include "access/AccessExplainer.h"
#include "clearcase/SiteStyle.h"
#include "util/AppInfo.h"
#include "util/ZanError.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

QString ZanctlCommand::version()
{
    return QStringLiteral("zanctl ") + AppInfo::version();
}

std::optional<int> ZanctlCommand::parse(const QStringList &arguments, QCommandLineParser &parser, int least, int most)
{
    parser.setApplicationDescription(description());
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help."));
    const QCommandLineOption versionOption(QStringLiteral("version"), QStringLiteral("Show the version."));
    parser.addOption(help);
    parser.addOption(versionOption);
    if (printsRecords())
        parser.addOption(QCommandLineOption(QStringLiteral("json"), QStringLiteral("Print machine-readable JSON.")));
    parser.addOptions(options());
    for (const Positional &positional : positionals())
        parser.addPositionalArgument(positional.name, positional.description, positional.name);

    const QStringList &words = arguments; // the subcommand's name stands where the program's would
    if (!parser.parse(words))
        return fail(parser.errorText() + nearestOptionHint(parser));
    if (parser.isSet(help)) {
        QStringList lines = parser.helpText().split(QLatin1Char('\n'));
        lines[0] = QStringLiteral("Usage: ") + usage();
        m_ctx.out() << lines.join(QLatin1Char('\n'));
        return 0;
    }
    if (parser.isSet(versionOption)) {
        m_ctx.out() << version() << Qt::endl;
        return 0;
    }
    const qsizetype count = parser.positionalArguments().size();
    if (count < least || (most >= 0 && count > most))
        return fail(QStringLiteral("usage: %1 (see zanctl %2 --help)").arg(usage(), name()));
    return std::nullopt;
}

QCommandLineOption ZanctlCommand::sinceOptionFor(const QString &what)
{
    return QCommandLineOption(sinceOption, QStringLiteral("Only the %1 from DATE on (YYYY-MM-DD[Thh:mm[:ss]], local time).").arg(what),
                              QStringLiteral("DATE"));
}

QDateTime ZanctlCommand::parseSince(const QString &text)
{
    for (const QString &form : {QStringLiteral("yyyy-MM-dd"), QStringLiteral("yyyy-MM-ddThh:mm"), QStringLiteral("yyyy-MM-ddThh:mm:ss"),
                                QStringLiteral("yyyy-MM-dd hh:mm"), QStringLiteral("yyyy-MM-dd hh:mm:ss")}) {
        const QDateTime when = QDateTime::fromString(text.trimmed(), form);
        if (when.isValid())
            return when;
    }
    return QDateTime();
}

std::optional<int> ZanctlCommand::readSince(const QCommandLineParser &parser, QDateTime &since)
{
    if (!parser.isSet(sinceOption))
        return std::nullopt;
    since = parseSince(parser.value(sinceOption));
    if (!since.isValid())
        return fail(QStringLiteral("\"%1\" is not a date: give YYYY-MM-DD or YYYY-MM-DDThh:mm[:ss]").arg(parser.value(sinceOption)));
    return std::nullopt;
}

QString ZanctlCommand::nearestOptionHint(const QCommandLineParser &parser) const
{
    const QStringList unknown = parser.unknownOptionNames();
    if (unknown.isEmpty())
        return QString();
    QStringList known{QStringLiteral("help"), QStringLiteral("version")};
    if (printsRecords())
        known << QStringLiteral("json");
    for (const QCommandLineOption &option : options())
        known << option.names();
    const QString nearest = NearestName::to(unknown.first(), known);
    return nearest.isEmpty() ? QString() : QStringLiteral(" Did you mean --%1? (see zanctl %2 --help)").arg(nearest, name());
}

QString ZanctlCommand::usage() const
{
    QStringList words{QStringLiteral("zanctl"), name(), QStringLiteral("[options]")};
    for (const Positional &positional : positionals())
        words << positional.name;
    return words.join(QLatin1Char(' '));
}

int ZanctlCommand::fail(const QString &text)
{
    m_ctx.endProgress();
    m_ctx.err() << QStringLiteral("zanctl %1: %2").arg(name(), SiteText::of(QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')), m_ctx.siteStyle()))
                << Qt::endl;
    return failureStatus;
}

void ZanctlCommand::printJson(const QJsonValue &value)
{
    const QJsonDocument document = value.isArray() ? QJsonDocument(value.toArray()) : QJsonDocument(value.toObject());
    m_ctx.out() << QString::fromUtf8(document.toJson(QJsonDocument::Indented)) << Qt::flush;
}

ElementLocation ZanctlCommand::locate(const QString &path)
{
    const QString inSite = sitePath(path);
    return AccessExplainer::locationOf(inSite, m_ctx.siteStyle());
}

ElementLocation ZanctlCommand::locateVob(const QString &path, const QString &covers)
{
    const ElementLocation location = locate(path);
    if (!location.isVobRoot())
        m_ctx.err() << QStringLiteral("zanctl %1: %2 is not a VOB root: %3 the whole VOB %4 (%5)")
                           .arg(name(), location.element(), covers, location.vobTag, location.vobRoot)
                    << Qt::endl;
    return location;
}

QString ZanctlCommand::sitePath(const QString &typed)
{
    const SiteStyle &site = m_ctx.clearCase().siteStyle();
    return TypedPath::toSite(typed, m_ctx.currentFolder(), m_ctx.platform(), site);
}

QStringList ZanctlCommand::patternTargets(const TargetPattern &pattern)
{
    if (!pattern.isGiven())
        return {};
    return pattern.elements(m_ctx.clearCase(), m_ctx.platform(), locate(pattern.under()));
}

QStringList ZanctlCommand::siteVobRoots(const QString &pathInView)
{
    const QString path = sitePath(pathInView.isEmpty() ? QStringLiteral(".") : pathInView);
    const SiteStyle site = m_ctx.siteStyle();
    const QString view = site.viewTagOf(path);
    if (view.isEmpty())
        throw ZanError(ZanError::PathNotFound, QStringLiteral("zanctl"),
                       QStringLiteral("%1 lies in no view: --all reaches the VOBs through a view (give a path in one, or run in one)")
                           .arg(pathInView.isEmpty() ? m_ctx.currentFolder() : pathInView));
    // A Windows tag (\proj) and a UNIX one (/vobs/proj) both follow the view's folder as they are.
    const QString viewFolder = site.isUnix() ? site.viewRoot() + QLatin1Char('/') + view : path.section(QLatin1Char('\\'), 0, 0) + QLatin1Char('\\') + view;
    QStringList roots;
    for (const QString &tag : site.vobTags())
        roots << viewFolder + tag;
    return roots;
}
