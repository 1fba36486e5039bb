#include "TypedPath.h"

#include "clearcase/SiteStyle.h"
#include "platform/Platform.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <optional>

namespace {

// `folder` below `parent` (host paths with "/"): the rest, without leading "/"; nothing when
// not below. The current folder comes without symbolic links, a drive's folder may hold some.
std::optional<QString> below(const QString &folder, const QString &parent)
{
    for (const QString &spelling : {QDir::cleanPath(parent), QFileInfo(parent).canonicalFilePath()}) {
        if (spelling.isEmpty())
            continue;
        if (folder == spelling)
            return QString();
        if (folder.startsWith(spelling + QLatin1Char('/')))
            return folder.mid(spelling.size() + 1);
    }
    return std::nullopt;
}

} // namespace

QString TypedPath::toSite(const QString &typed, const QString &currentFolder, const Platform &platform, const SiteStyle &site)
{
    QString path = typed;
    if (!site.isUnix()) {
        path.replace(QLatin1Char('/'), QLatin1Char('\\'));
        if (path.size() >= 2 && path.at(1) == QLatin1Char(':'))
            path[0] = path.at(0).toLower();
    }
    if (path.isEmpty() || isAbsolute(path, site))
        return path;
    const QString folder = siteFolder(currentFolder, platform, site);
    return folder.isEmpty() ? typed : resolved(folder, path, site);
}

QString TypedPath::siteFolder(const QString &hostFolder, const Platform &platform, const SiteStyle &site)
{
    const QString host = QDir::cleanPath(hostFolder);
    QString path;
    const QMap<QChar, QString> drives = platform.driveMap();
    for (auto drive = drives.cbegin(); drive != drives.cend() && path.isEmpty(); ++drive) {
        const std::optional<QString> rest = below(host, drive.value());
        if (!rest)
            continue;
        if (drive.key() == QLatin1Char('/'))
            path = site.isUnix() ? QStringLiteral("/view") + (rest->isEmpty() ? QString() : QLatin1Char('/') + *rest) : QString();
        else if (!site.isUnix())
            path = QString(drive.key()) + QStringLiteral(":\\") + QString(*rest).replace(QLatin1Char('/'), QLatin1Char('\\'));
    }
    if (path.isEmpty())
        path = site.isUnix() ? host : QString(host).replace(QLatin1Char('/'), QLatin1Char('\\'));
    if (!site.isUnix() && path.size() >= 2 && path.at(1) == QLatin1Char(':'))
        path[0] = path.at(0).toLower();
    return site.viewTagOf(path).isEmpty() ? QString() : path;
}

bool TypedPath::isAbsolute(const QString &path, const SiteStyle &site)
{
    if (site.isUnix())
        return path.startsWith(QLatin1Char('/'));
    return path.startsWith(QLatin1Char('\\')) || (path.size() >= 2 && path.at(1) == QLatin1Char(':'));
}

QString TypedPath::resolved(const QString &folder, const QString &relative, const SiteStyle &site)
{
    const QChar separator = site.separator();
    QStringList parts = folder.split(separator);
    const qsizetype least = site.isUnix() ? 3 : 2; // "", "view", <tag> / "m:", <tag>
    for (const QString &part : relative.split(separator)) {
        if (part.isEmpty() || part == QLatin1String("."))
            continue;
        if (part != QLatin1String(".."))
            parts << part;
        else if (parts.size() > least)
            parts.removeLast();
    }
    return parts.join(separator);
}
