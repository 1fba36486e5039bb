#pragma once

#include "clearcase/ClearCase.h"

#include <QString>
#include <memory>

class Platform;

// Chooses and creates the backend: ZAN_CLEARCASE=sandbox|cleartool; by default cleartool
// when a cleartool executable is on the PATH, else the sandbox. The sandbox also sets the
// platform's drive map so that its view drive is reachable. The site style follows the
// backend's VOB tags unless ZAN_SITE_STYLE names one.
class ClearCaseFactory
{
public:
    static std::unique_ptr<ClearCase> create(Platform &platform);

    // Gives the backend its site style: the setting (ZAN_SITE_STYLE) when given, else the
    // style of the VOB tags it lists, else Windows.
    static void adoptSiteStyle(ClearCase &clearCase, const QString &setting);

    // Maps the sandbox's drive letters to its drive folders, unless the platform has an m
    // drive of its own, and the view root /view to the view drive's folder when the sandbox
    // is (or will be seeded) UNIX-style; ZAN_DRIVES still wins. The folders need not exist yet.
    static void borrowSandboxDrives(Platform &platform, const QString &sandboxFolder);
};
