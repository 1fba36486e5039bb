#pragma once

#include "support/AppFixture.h"
#include "support/MouseClicks.h"

#include "triggers/TriggerCommandLines.h"

#include <QCheckBox>
#include <QFile>
#include <QTabWidget>

// The program with the proj VOB selected as the element browser would leave it, a stand-in security
// script (it lets everything pass) in the program folder, a Windows trigger location on the
// sandbox's c: drive (where the emulator runs the triggers from) and a Unix one on disk. A UNIX
// site's clients cannot reach a drive: its location is the same folder by its path on disk.
class TriggerTabFixture : public AppFixture
{
protected:
    void SetUp() override
    {
        QFile script(programDir.filePath(TriggerCommandLines::scriptName));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("# security script stand-in\n");
        script.close();
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
