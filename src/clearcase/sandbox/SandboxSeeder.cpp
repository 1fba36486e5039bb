#include "clearcase/sandbox/SandboxSeeder.h"

#include "clearcase/sandbox/SandboxSeed.h"
#include "clearcase/sandbox/SandboxStore.h"
#include "util/ZanError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString storedPath(const QString &path) { return QString(path).replace(QLatin1Char('\\'), QLatin1Char('/')); }

[[noreturn]] void seedFailure(const QString &path)
{
    throw ZanError(ZanError::StoreFailure, QStringLiteral("Sandbox"),
                   QStringLiteral("The sample site cannot be written: %1").arg(QDir::toNativeSeparators(path)));
}

QString sourceText(const QString &name)
{
    return QStringLiteral("/* %1 */\n#include <stdio.h>\n").arg(name);
}

} // namespace

SandboxSeeder::SandboxSeeder(SandboxStore &store, SiteStyle::Kind kind) : m_store(store), m_kind(kind) {}

void SandboxSeeder::seed()
{
    seedDrives();
    seedVobs();
    seedProj();
    seedBuildTree();
    seedTools();
    seedPvob();
    seedViews();
}

void SandboxSeeder::seedDrives()
{
    QStringList letters = SandboxSeed::otherDrives;
    letters << SandboxSeed::viewDrive;
    for (const QString &letter : letters) {
        if (!QDir().mkpath(m_store.driveFolder(letter)))
            seedFailure(m_store.driveFolder(letter));
    }
    for (const QString &letter : SandboxSeed::otherDrives) {
        const QString readme = m_store.driveFolder(letter) + QStringLiteral("/readme.txt");
        QFile file(readme);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            seedFailure(readme);
        file.write(QStringLiteral("Drive %1 of the Zan Utility sandbox.\n").arg(letter).toUtf8());
    }
}

void SandboxSeeder::seedVobs()
{
    m_store.addVob({tag(SandboxSeed::projVob), false, true});
    m_store.addVob({tag(SandboxSeed::toolsVob), false, true});
    m_store.addVob({tag(SandboxSeed::projPvob), true, true});
    for (const QString &seedTag : SandboxSeed::vobTags) {
        for (const QString &name : SandboxSeed::builtinAttributeTypes)
            m_store.addAttributeType(tag(seedTag), {name, 8, QStringLiteral("Predefined attribute type used to implement text hyperlinks"), {}});
    }
}

void SandboxSeeder::seedProj()
{
    using namespace SandboxSeed;
    addFile(tag(projVob), mainC, sourceText(QStringLiteral("main.c")) + QStringLiteral("int main(void) { return 0; }\n"));
    addFile(tag(projVob), utilC, sourceText(QStringLiteral("util.c")));
    addFile(tag(projVob), utilH, QStringLiteral("#pragma once\nint util(void);\n"));
    addFile(tag(projVob), readmeTxt, QStringLiteral("The proj VOB holds the sample project.\n"));
    addFile(tag(projVob), fileOneTxt, QStringLiteral("A file whose name and folder hold blanks.\n"));
    addDirectory(tag(projVob), lostFound);
    addFile(tag(projVob), atAtFile, QStringLiteral("A name holding the version-extended marker.\n"), false);
    addFile(tag(projVob), dotDotFile, QStringLiteral("A name holding two dots.\n"));
    addFile(tag(projVob), privateFile, QStringLiteral("view-private scratch file\n"), false);
}

void SandboxSeeder::seedBuildTree()
{
    using namespace SandboxSeed;
    for (int module = 1; module <= buildModules; ++module) {
        const QString moduleDir = buildDir + QStringLiteral("\\mod_%1").arg(module, 2, 10, QLatin1Char('0'));
        for (int n = 1; n <= buildFilesPerFolder; ++n) {
            const QString name = QStringLiteral("unit_%1").arg(n, 2, 10, QLatin1Char('0'));
            addFile(tag(projVob), moduleDir + QStringLiteral("\\src\\") + name + QStringLiteral(".c"), sourceText(name));
            addFile(tag(projVob), moduleDir + QStringLiteral("\\include\\") + name + QStringLiteral(".h"),
                    QStringLiteral("#pragma once\n"));
        }
        addFile(tag(projVob), moduleDir + QStringLiteral("\\Makefile"), QStringLiteral("all:\n"));
    }
}

void SandboxSeeder::seedTools()
{
    using namespace SandboxSeed;
    addFile(tag(toolsVob), toolPl, QStringLiteral("#!/usr/bin/perl\nprint \"tool\\n\";\n"));
    addFile(tag(toolsVob), setupSh, QStringLiteral("#!/bin/sh\necho setup\n"));
    addFile(tag(toolsVob), commonPm, QStringLiteral("package common;\n1;\n"));
}

void SandboxSeeder::seedPvob()
{
    using namespace SandboxSeed;
    addFile(tag(projPvob), projectsReadme, QStringLiteral("UCM project data lives here.\n"));
}

void SandboxSeeder::seedViews()
{
    using namespace SandboxSeed;
    const auto dynamicView = [](const QString &tag, const QString &owner, bool active, const QString &spec) {
        return SandboxView{tag, QString(), owner, false, active, spec};
    };
    m_store.addView(dynamicView(bobDev, QStringLiteral("bob"), true, defaultConfigSpec));
    m_store.addView(dynamicView(teamBobInt, QStringLiteral("bob"), false, defaultConfigSpec));
    m_store.addView(dynamicView(robertDev, QStringLiteral("robert"), true, defaultConfigSpec));
    m_store.addView({aliceSnap, QString(), QStringLiteral("alice"), true, true, defaultConfigSpec});
    m_store.addView(dynamicView(buildView, QStringLiteral("build"), true, defaultConfigSpec));
    m_store.addView(dynamicView(relView, QStringLiteral("release"), true, releaseConfigSpec));
}

void SandboxSeeder::addFile(const QString &vobTag, const QString &path, const QString &content, bool element)
{
    addParents(vobTag, path);
    const QString hostFile = m_store.vobFolder(vobTag) + QLatin1Char('/') + storedPath(path);
    QFile file(hostFile);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        seedFailure(hostFile);
    file.write(content.toUtf8());
    if (element)
        m_store.addElement(vobTag, storedPath(path), false);
}

void SandboxSeeder::addDirectory(const QString &vobTag, const QString &path, bool element)
{
    const QString key = vobTag + QLatin1Char('|') + path;
    if (m_directories.contains(key))
        return;
    m_directories.insert(key);
    addParents(vobTag, path);
    const QString hostFolder = m_store.vobFolder(vobTag) + QLatin1Char('/') + storedPath(path);
    if (!QDir().mkpath(hostFolder))
        seedFailure(hostFolder);
    if (element)
        m_store.addElement(vobTag, storedPath(path), true);
}

void SandboxSeeder::addParents(const QString &vobTag, const QString &path)
{
    const int cut = path.lastIndexOf(QLatin1Char('\\'));
    if (cut > 0)
        addDirectory(vobTag, path.left(cut));
}
