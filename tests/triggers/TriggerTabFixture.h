#pragma once

#include "support/AppFixture.h"
#include "support/MouseClicks.h"

#include "triggers/TriggerCommandLines.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QTabWidget>

// The security script as the source tree holds it.
inline QString securityScript() { return QStringLiteral(ZAN_SOURCE_DIR "/trigger/") + TriggerCommandLines::scriptName; }

// A file with the content, in a folder made for it when there is none.
inline void writeFile(const QString &path, const QByteArray &content)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

// The program with the proj VOB selected as the element browser would leave it, a stand-in security
// script (it lets everything pass) in the program folder, a Windows trigger location on the
// sandbox's c: drive (where the emulator runs the triggers from) and a Unix one on disk. A UNIX
// site's clients cannot reach a drive: its location is the same folder by its path on disk.
class TriggerTabFixture : public AppFixture
{
protected:
    void SetUp() override
    {
        writeFile(programDir.filePath(TriggerCommandLines::scriptName), "# security script stand-in\n");
        ASSERT_TRUE(QDir(sandbox.folder()).mkpath(QStringLiteral("drives/c/triggers/win")));
        ASSERT_TRUE(QDir(locations.path()).mkpath(QStringLiteral("unix")));
        AppFixture::SetUp();
        form().mainList->addItem(QStringLiteral("bob_dev"));
        selectVob(vobTag, vobRoot);
        form().show(); // the user works on the shown triggers tab
        clickTab(form().mainTabStrip, 2);
    }
    void TearDown() override { form().hide(); }

    ClearCase &clearCase() { return ctx().ccase.clearCase(); }

    static QString windowsLocation() { return QStringLiteral("c:\\triggers\\win"); }
    QString siteLocation(const QString &folder = QStringLiteral("win")) const
    {
        return unixSite() ? QDir(sandbox.folder()).filePath(QStringLiteral("drives/c/triggers/") + folder)
                          : QStringLiteral("c:\\triggers\\") + folder;
    }
    QString unixLocation() const { return QDir(locations.path()).filePath(QStringLiteral("unix")); }
    QString hostFolder(const QString &location) { return platform.hostPath(location); }
    bool scriptCopiedTo(const QString &location)
    {
        return QFile::exists(QDir(hostFolder(location)).filePath(TriggerCommandLines::scriptName));
    }

    QStringList triggerTypes()
    {
        QStringList names;
        for (const auto &type : sandbox.store().triggerTypes(vobTag))
            names << type.name;
        names.sort();
        return names;
    }

    // The trigger lines of an install at the site's location, for the admin vobadm.
    TriggerCommandLines siteLines() const
    {
        TriggerCommandLines::Inputs in;
        in.windowsLocation = in.unixLocation = siteLocation();
        in.adminUsersText = QStringLiteral("vobadm");
        in.viewDrive = unixSite() ? QStringLiteral("/view") : QStringLiteral("m");
        in.date = QStringLiteral("12/9/26");
        in.unixSite = unixSite();
        return TriggerCommandLines(in);
    }
    void makeElementTrigger() { clearCase().createTriggerType(vobTag, siteLines().elementTrigger()); }

    // How many of the proj VOB's five trigger settings are stored; `fill` stores them all first.
    int storedSettingsOfProj(bool fill = false)
    {
        int n = 0;
        for (const char *prefix : {"WinUnixLoc", "Interop", "NTLoc", "UnixLoc", "AdminList"}) {
            const QString key = QLatin1String(prefix) + QStringLiteral("proj");
            if (fill)
                registry().saveToReg(key, QStringLiteral("0"));
            n += isStored(key) ? 1 : 0;
        }
        return n;
    }

    bool showsApplied()
    {
        const bool applied = MainWindow::isShown(form().trigStatusImage[0]);
        EXPECT_NE(applied, MainWindow::isShown(form().trigStatusImage[1]));
        EXPECT_EQ(applied, MainWindow::isShown(form().removeAllTriggersBut));
        EXPECT_EQ(applied, form().mainTabStrip->tabIcon(2).isNull());
        EXPECT_EQ(form().applyTriggerBut->text(), applied ? QStringLiteral("Update Trigger") : QStringLiteral("Apply Trigger"));
        return applied;
    }

    QTemporaryDir locations;
};
