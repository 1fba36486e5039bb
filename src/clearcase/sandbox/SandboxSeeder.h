#pragma once

#include "clearcase/sandbox/SandboxSeed.h"

#include <QSet>
#include <QString>

class SandboxStore;

// Fills a new sandbox with the sample site named in SandboxSeed.h: views, VOBs, element
// trees on disk and in the store, the drive folders, and the started views' folders.
// ZAN_SITE_STYLE=unix seeds a UNIX-style site (VOB tags /vobs/<name>, views under the view
// root); by default the site is Windows-style.
// Runs inside the store's opening transaction; writing files that already exist is harmless,
// so a seed interrupted half-way is simply done again.
class SandboxSeeder
{
public:
    explicit SandboxSeeder(SandboxStore &store,
                           SiteStyle::Kind kind = SiteStyle::fromSetting(qEnvironmentVariable("ZAN_SITE_STYLE"))
                                                      .value_or(SiteStyle::Kind::Windows));
    void seed();

private:
    void seedDrives();
    void seedVobs();
    void seedProj();
    void seedBuildTree();
    void seedTools();
    void seedPvob();
    void seedViews();

    // Creates the entry on disk and, unless viewPrivate, records it as an element together
    // with its parent directories. The path uses backslashes, relative to the VOB root.
    void addFile(const QString &vobTag, const QString &path, const QString &content, bool element = true);
    void addDirectory(const QString &vobTag, const QString &path, bool element = true);
    void addParents(const QString &vobTag, const QString &path);

    QString tag(const QString &seedTag) const { return SandboxSeed::vobTag(seedTag, m_kind); }

    SandboxStore &m_store;
    SiteStyle::Kind m_kind;
    QSet<QString> m_directories; // "vob|path" of the directories made so far
};
