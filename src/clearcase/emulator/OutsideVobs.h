#pragma once

#include <QString>

class SandboxPathResolver;

// Pathnames that exist but lie in no VOB (a view's root, a folder of this computer): cleartool
// refuses them as no VOB objects, where a pathname that does not exist cannot be accessed.
class OutsideVobs
{
public:
    // Throws ZanError "Not a vob object: "<pname>"." when the pathname (without its version
    // extension) exists outside every VOB; returns otherwise. For a caller whose resolving of
    // the pathname failed.
    static void refuseExisting(SandboxPathResolver &resolver, const QString &pname);
    // The folder, made absolute, when it is an existing folder outside the views.
    static QString hostFolder(SandboxPathResolver &resolver, const QString &path);
};
