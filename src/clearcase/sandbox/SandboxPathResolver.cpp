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

SandboxPathResolver::Element SandboxPathResolver::locate(const QString &path, const QString &elementPart)
{
    if (elementPart.size() < 3 || elementPart.at(1) != QLatin1Char(':')
        || elementPart.at(0).toLower() != SandboxSeed::viewDrive.at(0))
        unableToAccess(path);

    QStringList parts;
    for (const QString &part : elementPart.mid(2).split(QRegularExpression(QStringLiteral("[\\\\/]")))) {
        if (part.isEmpty() || part == QLatin1String("."))
            continue;
        if (part == QLatin1String("..")) {
            if (parts.size() <= 2)
                unableToAccess(path);
            parts.removeLast();
            continue;
        }
        parts << part;
    }
    if (parts.size() < 2)
        unableToAccess(path);

    const auto view = m_store.findView(parts.at(0));
    if (!view || view->snapshot || !view->active)
        unableToAccess(path);
    const QString vobTag = QLatin1Char('\\') + parts.at(1);
    const auto vob = m_store.findVob(vobTag);
    if (!vob || !vob->mounted)
        unableToAccess(path);

    const QString elementPath = parts.mid(2).join(QLatin1Char('/'));
    if (!m_store.isElement(vobTag, elementPath)) {
        const QFileInfo onDisk(m_store.vobFolder(vobTag) + QLatin1Char('/') + elementPath);
        if (onDisk.exists())
            throw ZanError(ZanError::ClearCaseFailure, QStringLiteral("ClearCase"),
                           QStringLiteral("Not a vob object: \"%1\".").arg(path));
        unableToAccess(path);
    }
    return {view->tag, vobTag, elementPath};
}
