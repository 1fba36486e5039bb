#pragma once

#include "clearcase/SiteStyle.h"

#include <QString>
#include <QStringList>

// Names of the sample site a new sandbox starts with. Tests in every folder name views,
// VOBs and files through these constants. Element paths are relative to the VOB root, in
// the program's backslash form.
namespace SandboxSeed {

inline const QString viewDrive = QStringLiteral("m");
inline const QStringList otherDrives = {QStringLiteral("a"), QStringLiteral("c"), QStringLiteral("d")};

// Views, in the order the site lists them.
inline const QString bobDev = QStringLiteral("bob_dev");           // dynamic, active
inline const QString teamBobInt = QStringLiteral("Team_BOB_int");  // dynamic, not active
inline const QString robertDev = QStringLiteral("robert_dev");     // dynamic, active
inline const QString aliceSnap = QStringLiteral("alice_snap");     // snapshot
inline const QString buildView = QStringLiteral("build_view");     // dynamic, active
inline const QString relView = QStringLiteral("rel_view");         // dynamic, active
inline const QStringList viewTags = {bobDev, teamBobInt, robertDev, aliceSnap, buildView, relView};

inline const QString defaultConfigSpec = QStringLiteral("element * CHECKEDOUT\nelement * /main/LATEST\n");
inline const QString releaseConfigSpec =
    QStringLiteral("element * CHECKEDOUT\nelement * REL_1.0\nelement * /main/LATEST\n");

// VOBs: two ordinary ones and a UCM project VOB, all mounted.
inline const QString projVob = QStringLiteral("\\proj");
inline const QString toolsVob = QStringLiteral("\\tools");
inline const QString projPvob = QStringLiteral("\\proj_pvob");
inline const QStringList vobTags = {projVob, toolsVob, projPvob};

// The tag a seeded VOB carries on a site of the given style: \proj, or /vobs/proj on UNIX.
inline QString vobTag(const QString &seedTag, SiteStyle::Kind kind)
{
    return kind == SiteStyle::Kind::Unix ? QStringLiteral("/vobs/") + seedTag.mid(1) : seedTag;
}

// Elements and other entries of \proj.
inline const QString srcDir = QStringLiteral("src");
inline const QString mainC = QStringLiteral("src\\main.c");
inline const QString utilC = QStringLiteral("src\\util.c");
inline const QString includeDir = QStringLiteral("src\\include");
inline const QString utilH = QStringLiteral("src\\include\\util.h");
inline const QString docsDir = QStringLiteral("docs");
inline const QString readmeTxt = QStringLiteral("docs\\readme.txt");
inline const QString blanksDir = QStringLiteral("dir with blanks");
inline const QString fileOneTxt = QStringLiteral("dir with blanks\\file one.txt");
inline const QString lostFound = QStringLiteral("lost+found");
inline const QString atAtFile = QStringLiteral("x@@y");          // on disk only, never an element
inline const QString dotDotFile = QStringLiteral("a..b");        // an element
inline const QString privateFile = QStringLiteral("src\\private.tmp"); // view-private
inline const QString buildDir = QStringLiteral("build");
inline const int buildModules = 12;   // build\mod_NN\{src,include}\...: a few hundred elements
inline const int buildFilesPerFolder = 12;

// Elements of \tools and \proj_pvob.
inline const QString toolPl = QStringLiteral("bin\\tool.pl");
inline const QString setupSh = QStringLiteral("bin\\setup.sh");
inline const QString commonPm = QStringLiteral("lib\\common.pm");
inline const QString projectsDir = QStringLiteral("projects");
inline const QString projectsReadme = QStringLiteral("projects\\readme.txt");

// Attribute types every VOB has from the start.
inline const QStringList builtinAttributeTypes = {QStringLiteral("HlinkFromText"), QStringLiteral("HlinkToText")};

} // namespace SandboxSeed
