#pragma once

#include "clearcase/SiteStyle.h"

#include <QString>
#include <QStringList>
#include <optional>

class SandboxStore;

// Turns a program path (m:\view\vob\dir\file or, in a UNIX-style sandbox,
// /view/<view>/<vob tag>/dir/file, optionally followed by "@@/main/0") into the
// element it names, with ClearCase's own refusals: a path outside any VOB or in a view
// that is not started cannot be accessed; a file on disk that is not an element is not a
// VOB object. The VOB root may be written m:\view\vob, m:\view\vob\ or m:\view\vob\.
class SandboxPathResolver
{
public:
    struct Element {
        QString viewTag;
        QString vobTag;
        QString path;     // relative to the VOB root, "/"-separated; "" for the root
    };

    explicit SandboxPathResolver(SandboxStore &store);

    // The element (and version, when one is given) the path names; throws ZanError otherwise.
    Element resolve(const QString &path);

private:
    [[noreturn]] static void unableToAccess(const QString &path);
    Element locate(const QString &path, const QString &elementPart);
    QStringList componentsInViews(const QString &path, const QString &elementPart);
    const SiteStyle &style();

    SandboxStore &m_store;
    std::optional<SiteStyle> m_style; // the sandbox's, read on first use
};
