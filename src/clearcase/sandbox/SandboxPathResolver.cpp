#include "clearcase/sandbox/SandboxPathResolver.h"

#include "clearcase/sandbox/SandboxSeed.h"
#include "clearcase/sandbox/SandboxStore.h"
#include "util/ZanError.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

namespace {

// Version selectors the sandbox knows: every element has version 0 on main, and the views'
// config specs select the latest one, which in the sandbox is the same version.
bool isKnownVersion(QString selector)
{
    selector.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return selector == QLatin1String("/main/0") || selector == QLatin1String("/main/LATEST")
           || selector == QLatin1String("/main");
}

} // namespace

SandboxPathResolver::SandboxPathResolver(SandboxStore &store) : m_store(store) {}

void SandboxPathResolver::unableToAccess(const QString &path)
{
    throw ZanError(ZanError::ClearCaseFailure, QStringLiteral("ClearCase"),
                   QStringLiteral("Unable to access \"%1\": No such file or directory.").arg(path));
}

SandboxPathResolver::Element SandboxPathResolver::resolve(const QString &path)
{
    const int marker = path.indexOf(QLatin1String("@@"));
    if (marker >= 0 && !isKnownVersion(path.mid(marker + 2)))
        unableToAccess(path);
    return locate(path, marker >= 0 ? path.left(marker) : path);
}

const SiteStyle &SandboxPathResolver::style()
{
    if (!m_style)
        m_style = m_store.siteStyle();
    return *m_style;
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
    static const QRegularExpression separators(QStringLiteral("[\\\\/]"));
    QStringList parts;
    const QStringList pieces = style().isUnix() ? rest.split(QLatin1Char('/')) : rest.split(separators);
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

SandboxPathResolver::Element SandboxPathResolver::locate(const QString &path, const QString &elementPart)
{
    const QStringList parts = componentsInViews(path, elementPart);
    if (parts.size() < 2)
        unableToAccess(path);

    const auto view = m_store.findView(parts.at(0));
    if (!view || view->snapshot || !view->active)
        unableToAccess(path);
    const QString vobTag = style().isUnix() ? style().vobTagOf(style().viewRoot() + QLatin1Char('/') + parts.join(QLatin1Char('/')))
                                            : QLatin1Char('\\') + parts.at(1);
    const auto vob = vobTag.isEmpty() ? std::nullopt : m_store.findVob(vobTag);
    if (!vob || !vob->mounted)
        unableToAccess(path);

    const QString elementPath = parts.mid(1 + SandboxStore::vobName(vobTag).count(QLatin1Char('/')) + 1).join(QLatin1Char('/'));
    if (!m_store.isElement(vobTag, elementPath)) {
        const QFileInfo onDisk(m_store.vobFolder(vobTag) + QLatin1Char('/') + elementPath);
        if (onDisk.exists())
            throw ZanError(ZanError::ClearCaseFailure, QStringLiteral("ClearCase"),
                           QStringLiteral("Not a vob object: \"%1\".").arg(path));
        unableToAccess(path);
    }
    return {view->tag, vobTag, elementPath};
}
