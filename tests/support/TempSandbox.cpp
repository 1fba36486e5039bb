#include "support/TempSandbox.h"

#include "clearcase/sandbox/SandboxClearCase.h"
#include "clearcase/sandbox/SandboxStore.h"

TempSandbox::TempSandbox() : m_store(std::make_unique<SandboxStore>(m_dir.path() + QStringLiteral("/sandbox"))) {}

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
