#include "clearcase/ClearCaseFactory.h"

#include "clearcase/cleartool/CleartoolClearCase.h"
#include "clearcase/sandbox/SandboxClearCase.h"
#include "clearcase/sandbox/SandboxStore.h"
#include "platform/Platform.h"
#include "util/ZanError.h"

#include <QStandardPaths>

namespace {

const QString kSource = QStringLiteral("ClearCase");

bool cleartoolOnPath()
{
    return !QStandardPaths::findExecutable(QStringLiteral("cleartool")).isEmpty();
}

std::unique_ptr<ClearCase> createCleartool(Platform &platform)
{
    const QString program = platform.envVar(QStringLiteral("ZAN_CLEARTOOL"));
    return CleartoolClearCase::create(program.isEmpty() ? QStringLiteral("cleartool") : program);
}

std::unique_ptr<ClearCase> createSandbox(Platform &platform)
{
    QString folder = platform.envVar(QStringLiteral("ZAN_SANDBOX"));
    if (folder.isEmpty())
        folder = SandboxStore::defaultFolder();
    return SandboxClearCase::open(platform, folder);
}

} // namespace

std::unique_ptr<ClearCase> ClearCaseFactory::create(Platform &platform)
{
    const QString choice = platform.envVar(QStringLiteral("ZAN_CLEARCASE")).trimmed().toLower();
    if (choice == QLatin1String("sandbox"))
        return createSandbox(platform);
    if (choice == QLatin1String("cleartool"))
        return createCleartool(platform);
    if (!choice.isEmpty())
        throw ZanError(ZanError::ClearCaseFailure, kSource,
                       QStringLiteral("ZAN_CLEARCASE must be \"sandbox\" or \"cleartool\", not \"%1\".").arg(choice));
    return cleartoolOnPath() ? createCleartool(platform) : createSandbox(platform);
}
