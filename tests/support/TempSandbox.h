#pragma once

#include "clearcase/ClearCase.h"
#include "clearcase/SiteStyle.h"

#include <QTemporaryDir>
#include <functional>
#include <memory>

class Platform;
class SandboxStore;

// A fresh seeded sandbox in a temporary folder, removed with the object; the site is
// seeded in the given style.
class TempSandbox
{
public:
    explicit TempSandbox(SiteStyle::Kind kind = SiteStyle::Kind::Windows);
    ~TempSandbox();

    QString folder() const;
    // A backend over the sandbox; sets the platform's drive map to the sandbox's drives.
    std::unique_ptr<ClearCase> open(Platform &platform);
    // For AppComposer::Options::clearCaseFactory.
    std::function<std::unique_ptr<ClearCase>(Platform &)> factory();
    // Direct access for assertions (attributes, trigger types, ...).
    SandboxStore &store();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<SandboxStore> m_store;
};
