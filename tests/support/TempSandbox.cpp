#include "support/TempSandbox.h"

#include "clearcase/sandbox/SandboxClearCase.h"
#include "clearcase/sandbox/SandboxStore.h"

namespace {

std::unique_ptr<SandboxStore> seededStore(const QString &folder, SiteStyle::Kind kind)
{
    const QByteArray before = qgetenv("ZAN_SITE_STYLE");
    qputenv("ZAN_SITE_STYLE", SiteStyle::name(kind).toUtf8());
    auto store = std::make_unique<SandboxStore>(folder);
    qputenv("ZAN_SITE_STYLE", before);
    return store;
}

} // namespace

TempSandbox::TempSandbox(SiteStyle::Kind kind) : m_store(seededStore(m_dir.path() + QStringLiteral("/sandbox"), kind)) {}

TempSandbox::~TempSandbox() = default;

QString TempSandbox::folder() const
{
    return m_store->folder();
}

std::unique_ptr<ClearCase> TempSandbox::open(Platform &platform)
{
    return SandboxClearCase::open(platform, folder());
}

std::function<std::unique_ptr<ClearCase>(Platform &)> TempSandbox::factory()
{
    const QString path = folder();
    return [path](Platform &platform) -> std::unique_ptr<ClearCase> { return SandboxClearCase::open(platform, path); };
}

SandboxStore &TempSandbox::store()
{
    return *m_store;
}
