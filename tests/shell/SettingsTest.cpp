#include "ShellFixture.h"
#include "shell/SettingsController.h"
#include "shell/SettingsDialog.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

namespace {

struct SettingsFixture : ShellFixture {
    SettingsController settings{context};
    SettingsDialog &d = settings.dialog();

    // The Settings menu command as the user runs it.
    void openFromMenu() { form.settings->trigger(); }
};

} // namespace

TEST(ProcessRegistrySettings, EmptyPrivOperIsTheVerbatimDefaultAndGroupsAreAddedOnce)
{
    SettingsFixture f;
    const QString defaults =
        "mktype,rntype,rmtype,chevent,modtype,rmelem,rmhlink,rmtype,rntype,mkattype,mktrtype,mkeltype,mkhltype,mklbtype,mktrtype";
    for (const auto &[stored, used] : QList<QPair<std::optional<QString>, QString>>{{std::nullopt, defaults}, {" ", " "}, {"", defaults}}) {
        if (stored)
            f.storeValue("PrivOper", *stored);
        f.settings.processRegistrySettings(true, false);
        EXPECT_EQ(f.context.hooks.getPrivOperations(), used);
    }

    f.form.dgList[0]->addItem("Admins");
    f.storeValue("QXGROUPS", "dev,admins,qa,DEV");
    f.settings.processRegistrySettings(true, false);
    f.settings.processRegistrySettings(true, false);
    EXPECT_EQ(entriesOf(*f.form.dgList[0]), (QStringList{"Admins", "dev", "qa"}));
    EXPECT_EQ(f.prompter.count(), 0);
}

TEST(ProcessRegistrySettings, OnlyExactTrueAndOneSwitchTheIndicatorsOn)
{
    SettingsFixture f;
    for (const auto &[override, nusers, on] : {std::tuple{"True", "1", true}, {"true", "2", false}, {"TRUE", "01", false},
                                               {"True ", " 1", false}, {"", "", false}}) {
        f.storeValue("CLEARCASE_OVERRIDE", override);
        f.storeValue("NUSERS", nusers);
        f.settings.processRegistrySettings(true, false);
        EXPECT_EQ(f.env(), on ? "True" : "False") << override;
        EXPECT_EQ(MainWindow::isShown(f.form.overrideImage), on) << override;
        EXPECT_EQ(MainWindow::isShown(f.form.nuserImage), on) << nusers;
        if (on) {
            EXPECT_EQ(f.form.nuserImage->toolTip(), "bob will be added to the -nuser option when triggers is installed");
        }
    }
}

TEST(SettingsDialog, LoadsItsControlsOnceWithTheLoginName)
{
    SettingsFixture f;
    EXPECT_EQ(&f.d, &f.settings.dialog());
    expectTexts(f.d, {
        {"frmSettings", "windowTitle", "Settings"},
        {"mainFrame_0", "title", "General Settings"},
        {"mainFrame_1", "title", "Advanced Settings (Use caution when modifying)"},
        {"mainLbl_0", "text", "View Drive (default is m):"},
        {"mainLbl_1", "text", "Privileged Operations:"},
        {"nuserSetting", "text", "Add user: bob to the -nusers list when applying trigger."},
        {"nuserSetting", "toolTip", "bob will always be able to override any security access settings."},
        {"overrideTriggersCB", "text", "Override Triggers when using this tool."},
        {"overrideTriggersCB", "toolTip", "Overrides existing restriction of trigger.  Use when making changes to the VOB."},
        {"privOperationsTxt", "toolTip", "These operations are privileged operations."},
        {"lockImage_1", "toolTip", "Lock/Unlock Advanced settings"},
        {"cancelBut", "text", "Cancel"},
    });
    EXPECT_EQ(entriesOf(*f.d.viewDriveCombo).join(QString()), "mfghijklnopqrstuvwxyz");
    EXPECT_EQ(f.context.hooks.getViewDrive(), "m");
    EXPECT_TRUE(f.d.isHidden());
}

TEST(SettingsDialog, EachOpeningShowsTheStoredStates)
{
    SettingsFixture f;
    // A value that is no state of the box leaves it as it was; "true" is not "True".
    for (const auto &[override, nusers, overrideOn, nusersOn] :
         {std::tuple{"True", "1", true, true}, {"False", "0", false, false}, {"true", "yes", false, true}}) {
        f.storeValue("CLEARCASE_OVERRIDE", override);
        f.storeValue("NUSERS", nusers);
        f.openFromMenu();
        EXPECT_TRUE(MainWindow::isShown(&f.d) && f.d.isModal());
        EXPECT_EQ(f.d.overrideTriggersCB->isChecked(), overrideOn) << override;
        EXPECT_EQ(f.d.nuserSetting->isChecked(), nusersOn) << nusers;
        f.d.cancelBut->click();
        f.d.nuserSetting->setChecked(true);
    }
}

TEST(SettingsDialog, PadlocksAndCancelStoreNothingAndLeaveTheEnvironment)
{
    SettingsFixture f;
    f.storeValue("CLEARCASE_OVERRIDE", "False");
    f.storeValue("NUSERS", "0");
    f.window->load();
    f.openFromMenu();
    SettingsDialog &d = f.d;
    const auto locked = [&] {
        return !d.privOperationsTxt->isEnabled() && !d.viewDriveCombo->isEnabled() && MainWindow::isShown(d.lockImage[0]) &&
               !MainWindow::isShown(d.lockImage[1]);
    };
    EXPECT_TRUE(locked());
    d.lockImage[0]->click();
    EXPECT_TRUE(d.privOperationsTxt->isEnabled() && d.viewDriveCombo->isEnabled() && MainWindow::isShown(d.lockImage[1]) &&
                !MainWindow::isShown(d.lockImage[0]));
    d.lockImage[1]->click();
    EXPECT_TRUE(locked());

    d.overrideTriggersCB->setChecked(true);
    d.nuserSetting->setChecked(true);
    d.lockImage[0]->click();
    d.cancelBut->click();
    EXPECT_TRUE(d.isHidden() && d.isAdvancedLocked());
    EXPECT_EQ(f.stored("CLEARCASE_OVERRIDE"), "False");
    EXPECT_EQ(f.stored("NUSERS"), "0");
    EXPECT_EQ(f.env(), "False");

    f.openFromMenu();
    EXPECT_FALSE(d.overrideTriggersCB->isChecked() || d.nuserSetting->isChecked());
}

TEST(SettingsDialog, OkSetsTheEnvironmentAtOnceStoresBothAndRefreshesTheIndicators)
{
    SettingsFixture f;
    std::vector<QString> envWhenActivated;
    QObject::connect(&f.form, &MainWindow::activated, [&] { envWhenActivated.push_back(f.env()); });
    for (const bool on : {true, false}) {
        f.openFromMenu();
        f.d.lockImage[0]->click();
        f.d.overrideTriggersCB->setChecked(on);
        f.d.nuserSetting->setChecked(on);
        f.d.okBut->click();

        EXPECT_TRUE(f.d.isHidden() && f.d.isAdvancedLocked());
        EXPECT_EQ(envWhenActivated.back(), on ? "True" : "False");
        EXPECT_EQ(f.stored("CLEARCASE_OVERRIDE"), on ? "True" : "False");
        EXPECT_EQ(f.stored("NUSERS"), on ? "1" : "0");
        EXPECT_EQ(MainWindow::isShown(f.form.overrideImage), on);
        EXPECT_EQ(MainWindow::isShown(f.form.nuserImage), on);
    }
    EXPECT_EQ(envWhenActivated.size(), 2u);
    EXPECT_EQ(f.prompter.count(), 0);
}

TEST(SettingsDialog, EditedAdvancedValuesLastUntilTheMenuReloadsTheStoredList)
{
    SettingsFixture f;
    f.openFromMenu();
    f.d.lockImage[0]->click();
    f.d.privOperationsTxt->setText("rmelem");
    f.d.viewDriveCombo->setCurrentIndex(f.d.viewDriveCombo->findText("x"));
    f.d.okBut->click();
    EXPECT_EQ(f.context.hooks.getPrivOperations(), "rmelem");
    EXPECT_EQ(f.context.hooks.getViewDrive(), "x");
    EXPECT_EQ(f.stored("PrivOper"), QString());

    f.openFromMenu();
    EXPECT_EQ(f.context.hooks.getPrivOperations(), SettingsController::defaultPrivOperations);
    EXPECT_EQ(f.context.hooks.getViewDrive(), "x");
}
