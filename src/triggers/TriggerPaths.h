#pragma once

#include "clearcase/SiteStyle.h"

#include <QString>

// Path arithmetic of the Trigger(Admin) tab: the Windows (UNC) and Unix (/net) forms of a
// trigger location, and the VOB name the per-VOB trigger settings are keyed by.
namespace TriggerPaths {

// \\host\share\dir -> /net/host/share/dir; every other backslash becomes a slash.
QString toUnixPath(const QString &path);

// /net/host/share/dir -> \\host\share\dir; every other slash becomes a backslash.
QString toWindowsPath(const QString &path);

// A field counts as filled in when it is not empty and shows no placeholder ("<...>").
bool isFilledIn(const QString &text);

// The first blank or invisible character of the text (any Unicode space, line or paragraph
// separator, control or format character, such as U+00A0, U+3000, U+0085 or U+200B), or 0
// when it has none. The shell that runs a trigger action splits or mangles a location there.
char32_t firstBlankOrControl(const QString &text);

// The last component of a VOB tag (\vobs\proj -> proj); "" for an empty or placeholder tag,
// for which nothing is stored, loaded or deleted.
QString vobNameOf(const QString &vobTag, const SiteStyle &site);

} // namespace TriggerPaths
