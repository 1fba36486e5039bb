#pragma once

#include "clearcase/SiteStyle.h"
#include "clearcase/sandbox/SandboxRecords.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>

class SandboxStore;

// Turns a program path (m:\view\vob\dir\file or, in a UNIX-style sandbox,
// /view/<view>/<vob tag>/dir/file, optionally version-extended) into the element it names,
// with ClearCase's own refusals: a path outside any VOB or in a view that is not started
// cannot be accessed; a file on disk that is not an element is not a VOB object. The VOB
// root may be written m:\view\vob, m:\view\vob\ or m:\view\vob\., but its versions only
// m:\view\vob\.@@... or m:\view\vob\@@...: m:\view\vob@@ is not in the VOB.
//
// After "@@" it takes nothing (the element), /main (the branch), /main/N up to the latest
// version, /main/LATEST and /main/CHECKEDOUT. A relative path is taken from the working
// directory. View tags, VOB tags and names compare as the site does: ignoring case on a
// Windows-style site, exactly on a UNIX-style one.
class SandboxPathResolver
{
public:
    struct Element {
        QString viewTag;
        QString vobTag;
        QString path;       // relative to the VOB root, "/"-separated; "" for the root
        bool extended = false; // the path had "@@"
        QString selector;   // what followed "@@", "/"-separated: "", "/main", "/main/3"
    };

    explicit SandboxPathResolver(SandboxStore &store);

    // The element (and version, when one is given) the path names; throws ZanError otherwise.
    Element resolve(const QString &path);
    // The VOBs a command's -avobs (every VOB of the site) or -all (the VOB of the working
    // directory) names; fails as cleartool does when the working directory is in no VOB.
    QStringList vobTagsInScope(bool everyVob);

    const SiteStyle &style();
    // The working directory relative paths start from; "" = none (relative paths fail).
    void setWorkingDirectory(const QString &path) { m_workingDirectory = path; }
    const QString &workingDirectory() const { return m_workingDirectory; }
    // The path made absolute against the working directory, "." and ".." left in.
    QString absolute(const QString &path);
    // The folder on this computer that shows a path of the views (m:\view\vob\dir or
    // /view/<tag>/vobs/proj/dir); "" for a path outside the views.
    QString hostPath(const QString &path);
    // A version selector ("/main/3") as the site prints it after "@@".
    QString printed(const QString &selector);
    // A VOB root's path as cleartool prints it before "@@": ending in "." (or a separator).
    QString rootBeforeVersion(const QString &vobRoot);
    // While kept, the views and VOBs found are remembered until forgetLookups(): for a caller
    // resolving many pathnames at once (one emulated command) during which none of them changes.
    void keepLookups() { m_keepsLookups = true; }
    void forgetLookups();
    // While lookups are kept, finds in one query per VOB which of these pathnames name
    // elements, so that resolving each of them later needs no query of its own.
    void expectElements(const QStringList &paths);

private:
    struct Placement {
        QString viewTag;
        QString vobTag;
        QString path; // inside the VOB, as given
    };

    [[noreturn]] static void unableToAccess(const QString &path);
    Placement place(const QString &path, const QString &elementPart);
    Element locate(const QString &path, const QString &elementPart);
    QStringList componentsInViews(const QString &path, const QString &elementPart);
    std::optional<QString> canonicalElement(const QString &vobTag, const QString &path);
    bool isKnownSelector(const Element &element);
    static bool namesDirectoryInVob(const QString &elementPart);
    std::optional<SandboxView> findView(const QString &tag);
    std::optional<SandboxVob> findVob(const QString &tag);
    template <typename Record, typename Lookup>
    std::optional<Record> remembered(QHash<QString, std::optional<Record>> &known, const QString &tag, Lookup lookup) const;

    SandboxStore &m_store;
    std::optional<SiteStyle> m_style; // the sandbox's, read on first use
    QString m_workingDirectory;
    bool m_keepsLookups = false;
    QHash<QString, std::optional<SandboxView>> m_views;
    QHash<QString, std::optional<SandboxVob>> m_vobs;
    QHash<QString, QSet<QString>> m_elements; // per VOB tag, paths known to be elements
    QHash<QString, Placement> m_placements;   // pathnames placed by expectElements
};
