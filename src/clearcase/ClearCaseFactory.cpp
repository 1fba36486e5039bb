#include "clearcase/ClearCaseFactory.h"

#include "clearcase/SiteStyle.h"
#include "clearcase/cleartool/CleartoolClearCase.h"
#include "clearcase/sandbox/SandboxClearCase.h"
#include "clearcase/sandbox/SandboxCleartool.h"
#include "clearcase/sandbox/SandboxSeed.h"
#include "clearcase/sandbox/SandboxStore.h"
#include "platform/Platform.h"
#include "platform/QtPlatform.h"
#include "util/ZanError.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString kSource = QStringLiteral("ClearCase");

bool cleartoolOnPath()
{
    return !QStandardPaths::findExecutable(QStringLiteral("cleartool")).isEmpty();
}

QString sandboxFolder(Platform &platform)
{
    const QString folder = platform.envVar(QStringLiteral("ZAN_SANDBOX"));
    return folder.isEmpty() ? SandboxStore::defaultFolder() : folder;
}

// cleartool over the emulator (cleartool-sim, or the sandbox's own wrapper of it): without a
// view drive of its own the platform borrows the sandbox's drives, so that m:\ paths reach
// the emulated views. A real cleartool borrows nothing, whatever sandbox lies around.
std::unique_ptr<ClearCase> createCleartool(Platform &platform)
{
    const QString program = platform.envVar(QStringLiteral("ZAN_CLEARTOOL"));
    const QString folder = sandboxFolder(platform);
    if (SandboxCleartool::isEmulator(program, folder))
        ClearCaseFactory::borrowSandboxDrives(platform, folder);
    return CleartoolClearCase::create(program.isEmpty() ? QStringLiteral("cleartool") : program);
}

// The emulator shipped next to the program becomes the sandbox's own "cleartool", so that
// the installed trigger script, which calls cleartool, reads the sandbox's attributes.
void installEmulator(Platform &platform, const QString &folder)
{
    const QString emulator = QDir(platform.programFolder()).filePath(QStringLiteral("cleartool-sim"));
    if (!QFileInfo(emulator).isExecutable())
        return;
    try {
        SandboxCleartool::install(folder, emulator);
    } catch (const ZanError &) {
        // The sandbox works without it; only trigger runs outside the emulator need it.
    }
}

std::unique_ptr<ClearCase> createSandbox(Platform &platform)
{
    const QString folder = sandboxFolder(platform);
    std::unique_ptr<ClearCase> sandbox = SandboxClearCase::open(platform, folder);
    installEmulator(platform, folder);
    return sandbox;
}

std::unique_ptr<ClearCase> createBackend(Platform &platform)
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

// The sandbox backend answers only the cleartool commands the program sends it; its store
// lists the VOBs.
QStringList vobTagsOf(ClearCase &clearCase)
{
    if (auto *sandbox = dynamic_cast<SandboxClearCase *>(&clearCase)) {
        QStringList tags;
        for (const SandboxVob &vob : sandbox->store().vobs())
            tags << vob.tag;
        return tags;
    }
    try {
        return clearCase.runCommand(QStringLiteral("lsvob -short")).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    } catch (...) {
        return {};
    }
}

// The style of an existing sandbox, else the one it will be seeded in (ZAN_SITE_STYLE).
bool sandboxIsUnix(Platform &platform, const QString &folder)
{
    if (QFileInfo(QDir(folder).filePath(QStringLiteral("clearcase.db"))).isFile())
        return SandboxStore(folder).siteStyle().isUnix();
    return SiteStyle::fromSetting(platform.envVar(QStringLiteral("ZAN_SITE_STYLE"))) == SiteStyle::Kind::Unix;
}

} // namespace

void ClearCaseFactory::borrowSandboxDrives(Platform &platform, const QString &sandboxFolder)
{
    QMap<QChar, QString> drives = platform.driveMap();
    if (drives.contains(QLatin1Char('m')))
        return;
    QStringList letters = SandboxSeed::otherDrives;
    letters << SandboxSeed::viewDrive;
    const QString drivesFolder = QDir(sandboxFolder).filePath(QStringLiteral("drives"));
    for (const QString &letter : letters) {
        if (!drives.contains(letter.at(0)))
            drives.insert(letter.at(0), QDir(drivesFolder).filePath(letter));
    }
    // The view root /view of a UNIX-style sandbox is its view drive's folder.
    if (sandboxIsUnix(platform, sandboxFolder) && !drives.contains(QLatin1Char('/')))
        drives.insert(QLatin1Char('/'), QDir(drivesFolder).filePath(SandboxSeed::viewDrive));
    drives.insert(QtPlatform::parseDriveMap(platform.envVar(QStringLiteral("ZAN_DRIVES"))));
    platform.setDriveMap(drives);
}

void ClearCaseFactory::adoptSiteStyle(ClearCase &clearCase, const QString &setting)
{
    QStringList tags = vobTagsOf(clearCase);
    for (QString &tag : tags)
        tag = tag.trimmed();
    const SiteStyle::Kind kind =
        SiteStyle::fromSetting(setting).value_or(SiteStyle::fromVobTags(tags).value_or(SiteStyle::Kind::Windows));
    clearCase.setSiteStyle(SiteStyle(kind, tags));
}

std::unique_ptr<ClearCase> ClearCaseFactory::create(Platform &platform)
{
    std::unique_ptr<ClearCase> clearCase = createBackend(platform);
    adoptSiteStyle(*clearCase, platform.envVar(QStringLiteral("ZAN_SITE_STYLE")));
    return clearCase;
}
