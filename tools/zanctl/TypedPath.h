#pragma once

#include <QString>

class Platform;
class SiteStyle;

// A path as an administrator types it, in the site's own form. On a Windows site "/" is taken
// for "\" (m:/view/vob/dir/file). A relative path starts from the current folder when that
// lies in a view ("." and ".." resolved); otherwise it is left as typed, for the caller to
// refuse. The site's style is the backend's, so the backend is opened before.
class TypedPath
{
public:
    static QString toSite(const QString &typed, const QString &currentFolder, const Platform &platform, const SiteStyle &site);
    // The current host folder as a path of the site; "" when it lies in no view.
    static QString siteFolder(const QString &hostFolder, const Platform &platform, const SiteStyle &site);

private:
    static bool isAbsolute(const QString &path, const SiteStyle &site);
    static QString resolved(const QString &folder, const QString &relative, const SiteStyle &site);
};
