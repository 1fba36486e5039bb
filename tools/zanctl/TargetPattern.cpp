#include "TargetPattern.h"

#include "access/AccessApplier.h"
#include "access/AccessSettings.h"
#include "browser/FileDirInfo.h"
#include "clearcase/ClearCase.h"
#include "clearcase/SiteStyle.h"
#include "platform/Platform.h"
#include "util/ZanError.h"

#include <QFileInfo>

namespace {

const QString underName = QStringLiteral("under");
const QString matchName = QStringLiteral("match");
const QString filesOnlyName = QStringLiteral("files-only");

ZanError usage(const QString &text)
{
    return ZanError(ZanError::General, QStringLiteral("zanctl"), text);
}

} // namespace

QList<QCommandLineOption> TargetPattern::options()
{
    return {QCommandLineOption(underName, QStringLiteral("Take every element at or below the VOB directory DIR."), QStringLiteral("DIR")),
            QCommandLineOption(matchName,
                               QStringLiteral("With --under, only the elements whose path inside the VOB matches GLOB (* ? **); "
                                              "may be repeated."),
                               QStringLiteral("GLOB")),
            QCommandLineOption(filesOnlyName, QStringLiteral("With --under, leave the directories out."))};
}

TargetPattern::TargetPattern(const QCommandLineParser &parser)
    : m_under(parser.value(underName)), m_globs(parser.values(matchName)), m_filesOnly(parser.isSet(filesOnlyName))
{
    if (m_under.isEmpty() && (m_filesOnly || !m_globs.isEmpty()))
        throw usage(QStringLiteral("--match and --files-only need --under DIR"));
}

// "**/" may also stand for no folder at all, so "**/*.c" takes main.c at the top too. On a
// Windows site "\" is a separator, as in paths.
QRegularExpression TargetPattern::regexOf(QString glob, const SiteStyle &site)
{
    if (!site.isUnix())
        glob.replace(QLatin1Char('\\'), QLatin1Char('/'));
    QString regex;
    for (qsizetype i = 0; i < glob.size(); ++i) {
        const QChar c = glob.at(i);
        if (glob.mid(i, 3) == QLatin1String("**/")) {
            regex += QStringLiteral("(?:.*/)?");
            i += 2;
        } else if (glob.mid(i, 2) == QLatin1String("**")) {
            regex += QStringLiteral(".*");
            ++i;
        } else if (c == QLatin1Char('*')) {
            regex += QStringLiteral("[^/]*");
        } else if (c == QLatin1Char('?')) {
            regex += QStringLiteral("[^/]");
        } else {
            regex += QRegularExpression::escape(QString(c));
        }
    }
    QRegularExpression::PatternOptions options = QRegularExpression::DotMatchesEverythingOption;
    if (site.caseSensitivity() == Qt::CaseInsensitive)
        options |= QRegularExpression::CaseInsensitiveOption;
    return QRegularExpression(QRegularExpression::anchoredPattern(regex), options);
}

bool TargetPattern::takes(const QList<QRegularExpression> &patterns, const QString &inVob, bool directory) const
{
    if (directory && m_filesOnly)
        return false;
    if (patterns.isEmpty())
        return true;
    for (const QRegularExpression &pattern : patterns) {
        if (pattern.match(inVob).hasMatch())
            return true;
    }
    return false;
}

// The directory's entries through the platform, as the window's tree lists them. lost+found
// at the VOB root is ClearCase's own and never a target.
QList<TargetPattern::Entry> TargetPattern::walk(const Platform &platform, const QString &dir, bool atVobRoot,
                                                const SiteStyle &site) const
{
    QList<Entry> entries;
    for (const QString &listed : platform.listDirectory(site.join(dir, QStringLiteral("*.*")), 1)) {
        const bool directory = FileDirInfo::isDirectoryEntry(listed);
        const QString name = directory ? listed.mid(1, listed.size() - 2) : listed;
        if (name == QLatin1String("..") || (atVobRoot && directory && name == QLatin1String("lost+found")))
            continue;
        const QString path = site.join(dir, name);
        entries << Entry{path, directory};
        // A link may lead back up the tree; what it points to is listed where it lies.
        if (directory && !QFileInfo(platform.hostPath(path)).isSymLink())
            entries << walk(platform, path, false, site);
    }
    return entries;
}

QStringList TargetPattern::elements(ClearCase &clearCase, const Platform &platform, const ElementLocation &dir) const
{
    const SiteStyle &site = dir.site;
    QString folder = dir.isVobRoot() ? dir.vobRoot : dir.path;
    while (folder.size() > dir.vobRoot.size() && folder.endsWith(site.separator()))
        folder.chop(1);
    if (!QFileInfo(platform.hostPath(folder)).isDir())
        throw usage(QStringLiteral("%1 is not a directory in a VOB").arg(m_under));

    QList<QRegularExpression> patterns;
    for (const QString &glob : m_globs)
        patterns << regexOf(glob, site);
    QList<Entry> found{{dir.element(), true}};
    found << walk(platform, folder, dir.isVobRoot(), site);
    QStringList taken;
    for (const Entry &entry : found) {
        const QString inVob = entry.path == dir.rootElement() ? QStringLiteral(".") : entry.path.mid(dir.vobRoot.size() + 1);
        if (takes(patterns, QString(inVob).replace(site.separator(), QLatin1Char('/')), entry.directory))
            taken << entry.path;
    }
    // View-private files and names ClearCase does not know are no elements.
    QStringList elements;
    for (qsizetype i = 0; i < taken.size(); i += AccessApplier::defaultChunkSize)
        elements << clearCase.existingVersions(taken.mid(i, AccessApplier::defaultChunkSize));
    if (elements.isEmpty())
        throw usage(nothingMatches(folder));
    return elements;
}

QString TargetPattern::nothingMatches(const QString &dir) const
{
    const QString what = m_filesOnly ? QStringLiteral("file") : QStringLiteral("element");
    if (m_globs.isEmpty())
        return QStringLiteral("no %1 at or below %2").arg(what, dir);
    return QStringLiteral("no %1 at or below %2 matches \"%3\"").arg(what, dir, m_globs.join(QStringLiteral("\" or \"")));
}
