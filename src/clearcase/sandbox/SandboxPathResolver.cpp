#include "clearcase/sandbox/SandboxPathResolver.h"

#include "clearcase/sandbox/SandboxCommands.h"
#include "clearcase/sandbox/SandboxSeed.h"
#include "clearcase/sandbox/SandboxStore.h"
#include "util/ZanError.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>

namespace {

bool isDrivePath(const QString &path)
{
    return path.size() >= 2 && path.at(1) == QLatin1Char(':') && path.at(0).isLetter();
}

} // namespace

SandboxPathResolver::SandboxPathResolver(SandboxStore &store) : m_store(store) {}

void SandboxPathResolver::unableToAccess(const QString &path)
{
    throw ZanError(ZanError::ClearCaseFailure, QStringLiteral("ClearCase"),
                   QStringLiteral("Unable to access \"%1\": No such file or directory.").arg(path));
}

QStringList SandboxPathResolver::vobTagsInScope(bool everyVob)
{
    QStringList tags;
    if (everyVob) {
        for (const SandboxVob &vob : m_store.vobs())
            tags << vob.tag;
        return tags;
    }
    try {
        tags << resolve(QStringLiteral(".")).vobTag;
    } catch (const ZanError &) {
        SandboxCommands::fail(QStringLiteral("Unable to determine VOB for pathname \".\"."));
    }
    return tags;
}

SandboxPathResolver::Element SandboxPathResolver::resolve(const QString &given)
{
    const QString path = absolute(given);
    const int marker = path.indexOf(QLatin1String("@@"));
    Element element = locate(given, marker >= 0 ? path.left(marker) : path);
    if (marker >= 0) {
        if (element.path.isEmpty() && !namesDirectoryInVob(path.left(marker)))
            unableToAccess(given);
        element.extended = true;
        element.selector = path.mid(marker + 2).replace(QLatin1Char('\\'), QLatin1Char('/'));
        if (!isKnownSelector(element))
            unableToAccess(given);
    }
    return element;
}

// The VOB root's own versions are reached through "." (proj\.@@\main\0) or a closing
// separator (proj\@@\main\0): proj@@ would look the VOB up in its parent, a directory of the
// view that holds no versions.
bool SandboxPathResolver::namesDirectoryInVob(const QString &elementPart)
{
    const int lastSeparator = std::max(elementPart.lastIndexOf(QLatin1Char('/')), elementPart.lastIndexOf(QLatin1Char('\\')));
    const QStringView last = QStringView(elementPart).mid(lastSeparator + 1);
    return last.isEmpty() || last == QLatin1String(".") || last == QLatin1String("..");
}

// The sandbox keeps one branch, main, and the versions its checkins made.
bool SandboxPathResolver::isKnownSelector(const Element &element)
{
    const QString &selector = element.selector;
    if (selector.isEmpty() || selector == QLatin1String("/main") || selector == QLatin1String("/main/LATEST")
        || selector == QLatin1String("/main/CHECKEDOUT"))
        return true;
    const QLatin1String branch("/main/");
    const QStringView number = QStringView(selector).mid(branch.size());
    if (!selector.startsWith(branch) || number.isEmpty()
        || !std::all_of(number.cbegin(), number.cend(), [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }))
        return false;
    const int version = number.toInt();
    return version == 0 || version <= m_store.latestVersion(element.vobTag, element.path);
}

const SiteStyle &SandboxPathResolver::style()
{
    if (!m_style)
        m_style = m_store.siteStyle();
    return *m_style;
}

QString SandboxPathResolver::absolute(const QString &path)
{
    if (m_workingDirectory.isEmpty() || path.isEmpty())
        return path;
    if (style().isUnix())
        return path.startsWith(QLatin1Char('/')) ? path : m_workingDirectory + QLatin1Char('/') + path;
    if (isDrivePath(path))
        return path;
    if (path.startsWith(QLatin1Char('\\')) || path.startsWith(QLatin1Char('/')))
        return isDrivePath(m_workingDirectory) ? m_workingDirectory.left(2) + path : path;
    return m_workingDirectory + QLatin1Char('\\') + path;
}

QString SandboxPathResolver::hostPath(const QString &path)
{
    const QString full = absolute(path);
    QString rest;
    if (style().isUnix()) {
        const QString root = style().viewRoot();
        if (full != root && !full.startsWith(root + QLatin1Char('/')))
            return QString();
        rest = full.mid(root.size());
    } else {
        if (!isDrivePath(full) || full.at(0).toLower() != SandboxSeed::viewDrive.at(0))
            return QString();
        rest = full.mid(2).replace(QLatin1Char('\\'), QLatin1Char('/'));
    }
    return QDir::cleanPath(m_store.driveFolder(SandboxSeed::viewDrive) + QLatin1Char('/') + rest);
}

QString SandboxPathResolver::printed(const QString &selector)
{
    return style().isUnix() ? selector : QString(selector).replace(QLatin1Char('/'), QLatin1Char('\\'));
}

QString SandboxPathResolver::rootBeforeVersion(const QString &vobRoot)
{
    return namesDirectoryInVob(vobRoot) ? vobRoot : style().vobRootElement(vobRoot);
}

std::optional<QString> SandboxPathResolver::canonicalElement(const QString &vobTag, const QString &path)
{
    const auto expected = m_elements.constFind(vobTag);
    if (expected != m_elements.cend() && expected->contains(path))
        return path;
    if (m_store.isElement(vobTag, path))
        return path;
    if (style().caseSensitivity() == Qt::CaseInsensitive) {
        for (const QString &element : m_store.elements(vobTag)) {
            if (element.compare(path, Qt::CaseInsensitive) == 0)
                return element;
        }
    }
    return std::nullopt;
}

// The components after the view drive (m:) or the view root (/view), "." and ".." resolved:
// the view tag first, then the VOB tag's components and the path inside the VOB.
QStringList SandboxPathResolver::componentsInViews(const QString &path, const QString &elementPart)
{
    QString rest;
    if (style().isUnix()) {
        const QString root = style().viewRoot() + QLatin1Char('/');
        if (!elementPart.startsWith(root))
            unableToAccess(path);
        rest = elementPart.mid(root.size());
    } else {
        if (elementPart.size() < 3 || elementPart.at(1) != QLatin1Char(':')
            || elementPart.at(0).toLower() != SandboxSeed::viewDrive.at(0))
            unableToAccess(path);
        rest = elementPart.mid(2);
    }
    QStringList parts;
    const QStringList pieces = (style().isUnix() ? rest : rest.replace(QLatin1Char('\\'), QLatin1Char('/'))).split(QLatin1Char('/'));
    for (const QString &part : pieces) {
        if (part.isEmpty() || part == QLatin1String("."))
            continue;
        if (part == QLatin1String("..")) {
            // Windows paths may not climb out of their VOB; a UNIX VOB tag's parent is a
            // folder of the view like any other.
            if (parts.size() <= (style().isUnix() ? 1 : 2))
                unableToAccess(path);
            parts.removeLast();
            continue;
        }
        parts << part;
    }
    return parts;
}

void SandboxPathResolver::forgetLookups()
{
    m_views.clear();
    m_vobs.clear();
    m_elements.clear();
    m_placements.clear();
}

// With lookups kept (one emulator command), each tag is read from the store once.
template <typename Record, typename Lookup>
std::optional<Record> SandboxPathResolver::remembered(QHash<QString, std::optional<Record>> &known, const QString &tag,
                                                      Lookup lookup) const
{
    if (!m_keepsLookups)
        return lookup(tag);
    auto found = known.find(tag);
    if (found == known.end())
        found = known.insert(tag, lookup(tag));
    return *found;
}

std::optional<SandboxView> SandboxPathResolver::findView(const QString &tag)
{
    return remembered(m_views, tag, [this](const QString &t) { return m_store.findView(t); });
}

std::optional<SandboxVob> SandboxPathResolver::findVob(const QString &tag)
{
    return remembered(m_vobs, tag, [this](const QString &t) { return m_store.findVob(t); });
}

// The view, the VOB and the path inside it that a pathname names, before the element is
// looked for.
SandboxPathResolver::Placement SandboxPathResolver::place(const QString &path, const QString &elementPart)
{
    const QStringList parts = componentsInViews(path, elementPart);
    if (parts.size() < 2)
        unableToAccess(path);

    const Qt::CaseSensitivity sensitivity = style().caseSensitivity();
    std::optional<SandboxView> view = findView(parts.at(0));
    for (const SandboxView &other : view || sensitivity == Qt::CaseSensitive ? QList<SandboxView>() : m_store.views()) {
        if (!view && other.tag.compare(parts.at(0), sensitivity) == 0)
            view = other;
    }
    if (!view || view->snapshot || !view->active)
        unableToAccess(path);
    QString vobTag = style().isUnix() ? style().vobTagOf(style().viewRoot() + QLatin1Char('/') + parts.join(QLatin1Char('/')))
                                      : QLatin1Char('\\') + parts.at(1);
    std::optional<SandboxVob> vob = vobTag.isEmpty() ? std::nullopt : findVob(vobTag);
    for (const SandboxVob &other : vob || sensitivity == Qt::CaseSensitive ? QList<SandboxVob>() : m_store.vobs()) {
        if (!vob && !vobTag.isEmpty() && other.tag.compare(vobTag, sensitivity) == 0)
            vob = other;
    }
    if (!vob || !vob->mounted)
        unableToAccess(path);
    const QString given = parts.mid(1 + SandboxStore::vobName(vob->tag).count(QLatin1Char('/')) + 1).join(QLatin1Char('/'));
    return {view->tag, vob->tag, given};
}

SandboxPathResolver::Element SandboxPathResolver::locate(const QString &path, const QString &elementPart)
{
    const auto known = m_placements.constFind(path);
    const Placement placed = known != m_placements.cend() ? *known : place(path, elementPart);
    const std::optional<QString> elementPath = canonicalElement(placed.vobTag, placed.path);
    if (!elementPath) {
        const QFileInfo onDisk(m_store.vobFolder(placed.vobTag) + QLatin1Char('/') + placed.path);
        if (onDisk.exists())
            throw ZanError(ZanError::ClearCaseFailure, QStringLiteral("ClearCase"),
                           QStringLiteral("Not a vob object: \"%1\".").arg(path));
        unableToAccess(path);
    }
    return {placed.viewTag, placed.vobTag, *elementPath, false, QString()};
}

void SandboxPathResolver::expectElements(const QStringList &paths)
{
    if (!m_keepsLookups)
        return;
    QHash<QString, QStringList> wanted;
    for (const QString &given : paths) {
        const QString path = absolute(given);
        const int marker = path.indexOf(QLatin1String("@@"));
        try {
            const Placement placed = place(given, marker >= 0 ? path.left(marker) : path);
            wanted[placed.vobTag] << placed.path;
            m_placements.insert(given, placed);
        } catch (const ZanError &) {
            // Resolving it later reports the fault in its turn.
        }
    }
    for (auto vob = wanted.cbegin(); vob != wanted.cend(); ++vob)
        m_elements[vob.key()].unite(m_store.existingElements(vob.key(), vob.value()));
}
