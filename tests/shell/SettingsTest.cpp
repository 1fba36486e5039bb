#include "ShellFixture.h"
#include "shell/SettingsController.h"
#include "shell/SettingsDialog.h"
#include "support/MouseClicks.h"

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
    SettingsDialog &d = settings.dialog();

    // The Settings menu command as the user runs it.
    void openFromMenu() { chooseMenuItem(form.menuBar(), form.options, form.settings); }
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
        EXPECT_EQ(f.state.privilegedList(), used);
    }

    f.form.dgList[0]->addItem("Admins");
    f.storeValue("QXGROUPS", "dev,admins,qa,DEV");
    f.settings.processRegistrySettings(true, false);
    f.settings.processRegistrySettings(true, false);
    EXPECT_EQ(entriesOf(*f.form.dgList[0]), (QStringList{"Admins", "dev", "qa"}));
    EXPECT_EQ(f.prompter.count(), 0);
}

// The main window's indicators take only "True" and "1"; the dialog's boxes take "True" and the
// numbers 0 and 1, and any other value leaves a box as it was (checked here).
TEST(SettingsDialog, StoredStatesReachTheIndicatorsAndEachOpeningOfTheDialog)
{
    SettingsFixture f;
    const struct {
        const char *override, *nusers;
        bool indicatorsOn, overrideBox, nusersBox;
    } cases[] = {
        {"True", "1", true, true, true},  {"False", "0", false, false, false}, {"true", "2", false, false, true},
        {"TRUE", "01", false, false, true}, {"True ", " 1", false, false, true}, {"", "yes", false, false, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.override) + "/" + c.nusers);
        f.storeValue("CLEARCASE_OVERRIDE", c.override);
        f.storeValue("NUSERS", c.nusers);
        f.settings.processRegistrySettings(true, false);
        EXPECT_EQ(f.env(), c.indicatorsOn ? "True" : "False");
        EXPECT_EQ(MainWindow::isShown(f.form.overrideImage), c.indicatorsOn);
        EXPECT_EQ(MainWindow::isShown(f.form.nuserImage), c.indicatorsOn);
        if (c.indicatorsOn) {
            EXPECT_EQ(f.form.nuserImage->toolTip(), "bob will be added to the -nuser option when triggers is installed");
        }

        f.openFromMenu(); // ticked and cancelled, then opened again
        setTicked(f.d.overrideTriggersCB, true);
        setTicked(f.d.nuserSetting, true);
        clickButton(f.d.cancelBut);
        f.openFromMenu();
        EXPECT_TRUE(MainWindow::isShown(&f.d) && f.d.isModal());
        EXPECT_EQ(f.d.overrideTriggersCB->isChecked(), c.overrideBox);
        EXPECT_EQ(f.d.nuserSetting->isChecked(), c.nusersBox);
        clickButton(f.d.cancelBut);
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
    EXPECT_EQ(f.settings.viewDrive(), "m");
    EXPECT_TRUE(f.d.isHidden());
}

TEST(SettingsDialog, PadlocksAndCancelStoreNothingAndOkStoresBothAndRefreshesTheIndicators)
{
    SettingsFixture f;
    SettingsDialog &d = f.d;
    f.storeValue("CLEARCASE_OVERRIDE", "False");
    f.storeValue("NUSERS", "0");
    f.openFromMenu();
    // The shown padlock tells the state: closed (0) locks the advanced fields, open (1) unlocks them.
    for (const int shown : {0, 1, 0}) {
        EXPECT_EQ(d.privOperationsTxt->isEnabled() && d.viewDriveCombo->isEnabled(), shown == 1);
        EXPECT_TRUE(MainWindow::isShown(d.lockImage[shown]) && !MainWindow::isShown(d.lockImage[1 - shown]));
        clickButton(d.lockImage[shown]);
    }
    setTicked(d.overrideTriggersCB, true);
    setTicked(d.nuserSetting, true);
    clickButton(d.cancelBut);
    EXPECT_TRUE(d.isHidden() && d.isAdvancedLocked());
    EXPECT_EQ(f.stored("CLEARCASE_OVERRIDE") + f.stored("NUSERS") + f.env(), "False0False");

    // OK sets the environment before the main window refreshes its indicators from the store.
    std::vector<QString> envWhenActivated;
    QObject::connect(&f.form, &MainWindow::activated, [&] { envWhenActivated.push_back(f.env()); });
    for (const bool on : {true, false}) {
        f.openFromMenu();
        clickButton(d.lockImage[0]);
        setTicked(d.overrideTriggersCB, on);
        setTicked(d.nuserSetting, on);
        clickButton(d.okBut);
        EXPECT_TRUE(d.isHidden() && d.isAdvancedLocked());
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
    clickButton(f.d.lockImage[0]);
    f.d.privOperationsTxt->setText("rmelem");
    chooseInCombo(f.d.viewDriveCombo, "x");
    clickButton(f.d.okBut);
    EXPECT_EQ(f.state.privilegedList(), "rmelem");
    EXPECT_EQ(f.settings.viewDrive(), "x");
    EXPECT_EQ(f.stored("PrivOper"), QString());

    f.openFromMenu();
    EXPECT_EQ(f.state.privilegedList(), SettingsController::defaultPrivOperations);
    EXPECT_EQ(f.settings.viewDrive(), "x");
}
