#include "clearcase/emulator/VobSelector.h"

#include "clearcase/sandbox/SandboxCommands.h"
#include "clearcase/sandbox/SandboxPathResolver.h"
#include "clearcase/sandbox/SandboxStore.h"
#include "util/ZanError.h"

#include <QFileInfo>

QString VobSelector::tagOf(const QString &vobSpecifier, SandboxStore &store, SandboxPathResolver &resolver)
{
    if (const auto vob = store.findVob(vobSpecifier))
        return vob->tag;
    try {
        return resolver.resolve(vobSpecifier).vobTag;
    } catch (const ZanError &) {
    }
    // An existing path of the views outside every VOB, else a tag that is not registered.
    const QString host = resolver.hostPath(vobSpecifier);
    if (!host.isEmpty() && QFileInfo::exists(host))
        SandboxCommands::fail(QStringLiteral("Unable to determine VOB for pathname \"%1\".").arg(vobSpecifier));
    return store.vob(vobSpecifier).tag;
}
