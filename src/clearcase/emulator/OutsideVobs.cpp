#include "clearcase/emulator/OutsideVobs.h"

#include "clearcase/sandbox/SandboxCommands.h"
#include "clearcase/sandbox/SandboxPathResolver.h"
#include "util/ZanError.h"

#include <QDir>
#include <QFileInfo>

void OutsideVobs::refuseExisting(SandboxPathResolver &resolver, const QString &pname)
{
    const int marker = pname.indexOf(QLatin1String("@@"));
    const QString path = marker >= 0 ? pname.left(marker) : pname;
    if (path.isEmpty())
        return;
    try {
        resolver.resolve(path);
        return; // an element whose version is missing
    } catch (const ZanError &e) {
        if (e.description().contains(QLatin1String("Not a vob object")))
            return; // a view-private file in a VOB
    }
    const QString inViews = resolver.hostPath(path);
    const QString onDisk = inViews.isEmpty() ? resolver.absolute(path) : inViews;
    if (QDir::isAbsolutePath(onDisk) && QFileInfo::exists(onDisk))
        SandboxCommands::fail(QStringLiteral("Not a vob object: \"%1\".").arg(pname));
}

QString OutsideVobs::hostFolder(SandboxPathResolver &resolver, const QString &path)
{
    const QString full = resolver.absolute(path);
    if (!resolver.hostPath(full).isEmpty() || !QDir::isAbsolutePath(full) || !QFileInfo(full).isDir())
        return QString();
    return QDir::cleanPath(QFileInfo(full).absoluteFilePath());
}
