#include "ShellFixture.h"
#include "shell/SettingsController.h"
#include "shell/SettingsDialog.h"
#include "support/QtPrinters.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

struct SettingsFixture : ShellFixture {
    SettingsController settings{context};

    SettingsDialog &dialog() { return settings.dialog(); }
    QString stored(const char *key) { return store.value(QLatin1String(key)); }
    QString env() { return platform.environment.value(QStringLiteral("CLEARCASE_OVERRIDE"), QStringLiteral("<unset>")); }
    void storeValue(const char *key, const QString &value) { store.setValue(QLatin1String(key), value); }

    // The Settings menu command as the user runs it.
    void openFromMenu() { form.settings->trigger(); }
};

QStringList listTexts(QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

} // namespace

TEST(ProcessRegistrySettings, EmptyPrivOperIsTheVerbatimDefaultAndABlankIsKept)
{
    SettingsFixture f;
    const QString defaults = QStringLiteral(
        "mktype,rntype,rmtype,chevent,modtype,rmelem,rmhlink,rmtype,rntype,mkattype,mktrtype,mkeltype,mkhltype,mklbtype,mktrtype");
    EXPECT_EQ(defaults.split(QLatin1Char(',')).size(), 15);
    for (const auto &[stored, used] : QList<QPair<std::optional<QString>, QString>>{
             {std::nullopt, defaults}, {QStringLiteral(" "), QStringLiteral(" ")}, {QString(), defaults}}) {
        if (stored)
            f.storeValue("PrivOper", *stored);
        f.settings.processRegistrySettings(true, false);
        EXPECT_EQ(f.context.hooks.getPrivOperations(), used);
    }
    EXPECT_EQ(f.prompter.count(), 0);
}

TEST(ProcessRegistrySettings, GroupsAreAddedOnceWithoutClearingTheList)
{
    SettingsFixture f;
    f.form.dgList[0]->addItem(QStringLiteral("Admins"));
    f.storeValue("QXGROUPS", QStringLiteral("dev,admins,qa,DEV"));
    f.settings.processRegistrySettings(true, false);
    f.settings.processRegistrySettings(true, false);
    EXPECT_EQ(listTexts(f.form.dgList[0]), (QStringList{QStringLiteral("Admins"), QStringLiteral("dev"), QStringLiteral("qa")}));
}

TEST(ProcessRegistrySettings, OnlyExactTrueAndOneSwitchTheIndicatorsOn)
{
    SettingsFixture f;
    struct Case {
        QString override;
        QString nusers;
        bool overrideOn;
        bool nusersOn;
    };
    const QList<Case> cases{
        {QStringLiteral("True"), QStringLiteral("1"), true, true},
        {QStringLiteral("true"), QStringLiteral("2"), false, false},
        {QStringLiteral("TRUE"), QStringLiteral("01"), false, false},
        {QStringLiteral("True "), QStringLiteral(" 1"), false, false},
        {QString(), QString(), false, false},
    };
    for (const Case &c : cases) {
        f.storeValue("CLEARCASE_OVERRIDE", c.override);
        f.storeValue("NUSERS", c.nusers);
        f.settings.processRegistrySettings(true, false);
        EXPECT_EQ(f.env(), c.overrideOn ? QStringLiteral("True") : QStringLiteral("False")) << c.override.toStdString();
        EXPECT_EQ(MainWindow::isShown(f.form.overrideImage), c.overrideOn) << c.override.toStdString();
        EXPECT_EQ(MainWindow::isShown(f.form.nuserImage), c.nusersOn) << c.nusers.toStdString();
    }
    f.storeValue("NUSERS", QStringLiteral("1"));
    f.settings.processRegistrySettings(true, false);
    EXPECT_EQ(f.form.nuserImage->toolTip(), QStringLiteral("bob will be added to the -nuser option when triggers is installed"));
}


TEST(ProcessRegistrySettings, ADamagedStoreIsReportedAndTheDefaultListStaysInForce)
{
    SettingsFixture f;
    {
        QFile file(f.store.filePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("\x01\x02 not a settings store");
    }
    f.busy.setBusy(true, QStringLiteral("loading"));
    f.settings.processRegistrySettings(true, false);

    EXPECT_FALSE(f.busy.isBusy());
    ASSERT_EQ(f.prompter.count(), 1);
    EXPECT_EQ(f.prompter.last().title, QStringLiteral("Error..."));
    EXPECT_TRUE(f.prompter.last().text.contains(QStringLiteral("* Error encountered::processSecuritySettings()\r\n")));
    EXPECT_TRUE(f.prompter.last().text.contains(QStringLiteral(".corrupt-")));
    EXPECT_EQ(f.context.hooks.getPrivOperations(), SettingsController::defaultPrivOperations);
}

TEST(SettingsDialog, LoadsItsControlsOnceWithTheLoginName)
{
    SettingsFixture f;
    SettingsDialog &d = f.dialog();
    EXPECT_EQ(&d, &f.dialog());
    EXPECT_EQ(d.objectName(), QStringLiteral("frmSettings"));
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Settings"));
    EXPECT_EQ(d.findChild<QGroupBox *>(QStringLiteral("mainFrame_0"))->title(), QStringLiteral("General Settings"));
    EXPECT_EQ(d.findChild<QGroupBox *>(QStringLiteral("mainFrame_1"))->title(),
              QStringLiteral("Advanced Settings (Use caution when modifying)"));
    EXPECT_EQ(d.findChild<QLabel *>(QStringLiteral("mainLbl_0"))->text(), QStringLiteral("View Drive (default is m):"));
    EXPECT_EQ(d.findChild<QLabel *>(QStringLiteral("mainLbl_1"))->text(), QStringLiteral("Privileged Operations:"));
    EXPECT_EQ(d.nuserSetting->text(), QStringLiteral("Add user: bob to the -nusers list when applying trigger."));
    EXPECT_EQ(d.nuserSetting->toolTip(), QStringLiteral("bob will always be able to override any security access settings."));
    EXPECT_EQ(d.overrideTriggersCB->text(), QStringLiteral("Override Triggers when using this tool."));
    EXPECT_EQ(d.overrideTriggersCB->toolTip(),
              QStringLiteral("Overrides existing restriction of trigger.  Use when making changes to the VOB."));
    EXPECT_EQ(d.privOperationsTxt->toolTip(), QStringLiteral("These operations are privileged operations."));
    EXPECT_EQ(d.findChild<QToolButton *>(QStringLiteral("lockImage_1"))->toolTip(), QStringLiteral("Lock/Unlock Advanced settings"));
    EXPECT_EQ(d.findChild<QPushButton *>(QStringLiteral("cancelBut"))->text(), QStringLiteral("Cancel"));

    QStringList letters;
    for (int i = 0; i < d.viewDriveCombo->count(); ++i)
        letters << d.viewDriveCombo->itemText(i);
    EXPECT_EQ(letters.join(QString()), QStringLiteral("mfghijklnopqrstuvwxyz"));
    EXPECT_EQ(f.context.hooks.getViewDrive(), QStringLiteral("m"));
    EXPECT_TRUE(d.isHidden());
}

TEST(SettingsDialog, EachOpeningShowsTheStoredStates)
{
    SettingsFixture f;
    SettingsDialog &d = f.dialog();
    struct Case {
        QString override;
        QString nusers;
        bool overrideChecked;
        bool nusersChecked;
    };
    // A value that is no state of the box leaves it as it was; "true" is not "True".
    for (const Case &c : {Case{QStringLiteral("True"), QStringLiteral("1"), true, true},
                          Case{QStringLiteral("False"), QStringLiteral("0"), false, false},
                          Case{QStringLiteral("true"), QStringLiteral("yes"), false, true}}) {
        f.storeValue("CLEARCASE_OVERRIDE", c.override);
        f.storeValue("NUSERS", c.nusers);
        f.openFromMenu();
        EXPECT_TRUE(MainWindow::isShown(&d));
        EXPECT_TRUE(d.isModal());
        EXPECT_EQ(d.overrideTriggersCB->isChecked(), c.overrideChecked) << c.override.toStdString();
        EXPECT_EQ(d.nuserSetting->isChecked(), c.nusersChecked) << c.nusers.toStdString();
        d.cancelBut->click();
        d.nuserSetting->setChecked(true);
    }
}

TEST(SettingsDialog, PadlocksAndCancelStoreNothingAndLeaveTheEnvironment)
{
    SettingsFixture f;
    f.storeValue("CLEARCASE_OVERRIDE", QStringLiteral("False"));
    f.storeValue("NUSERS", QStringLiteral("0"));
    f.window->load();
    f.openFromMenu();
    SettingsDialog &d = f.dialog();
    const auto locked = [&] {
        return !d.privOperationsTxt->isEnabled() && !d.viewDriveCombo->isEnabled() && MainWindow::isShown(d.lockImage[0]) &&
               !MainWindow::isShown(d.lockImage[1]);
    };
    EXPECT_TRUE(locked());
    d.lockImage[0]->click();
    EXPECT_FALSE(locked());
    EXPECT_TRUE(d.privOperationsTxt->isEnabled() && d.viewDriveCombo->isEnabled() && MainWindow::isShown(d.lockImage[1]));
    d.lockImage[1]->click();
    EXPECT_TRUE(locked());

    d.overrideTriggersCB->setChecked(true);
    d.nuserSetting->setChecked(true);
    d.lockImage[0]->click();
    d.cancelBut->click();

    EXPECT_TRUE(d.isHidden());
    EXPECT_TRUE(d.isAdvancedLocked());
    EXPECT_EQ(f.stored("CLEARCASE_OVERRIDE"), QStringLiteral("False"));
    EXPECT_EQ(f.stored("NUSERS"), QStringLiteral("0"));
    EXPECT_EQ(f.env(), QStringLiteral("False"));

    f.openFromMenu();
    EXPECT_FALSE(d.overrideTriggersCB->isChecked());
    EXPECT_FALSE(d.nuserSetting->isChecked());
}

TEST(SettingsDialog, OkSetsTheEnvironmentAtOnceStoresBothAndRefreshesTheIndicators)
{
    SettingsFixture f;
    SettingsDialog &d = f.dialog();
    std::vector<QString> envWhenActivated;
    QObject::connect(&f.form, &MainWindow::activated, [&] { envWhenActivated.push_back(f.env()); });
    for (const bool on : {true, false}) {
        f.openFromMenu();
        d.lockImage[0]->click();
        d.overrideTriggersCB->setChecked(on);
        d.nuserSetting->setChecked(on);
        d.okBut->click();

        EXPECT_TRUE(d.isHidden());
        EXPECT_TRUE(d.isAdvancedLocked());
        EXPECT_EQ(envWhenActivated.back(), on ? QStringLiteral("True") : QStringLiteral("False"));
        EXPECT_EQ(f.stored("CLEARCASE_OVERRIDE"), on ? QStringLiteral("True") : QStringLiteral("False"));
        EXPECT_EQ(f.stored("NUSERS"), on ? QStringLiteral("1") : QStringLiteral("0"));
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
    SettingsDialog &d = f.dialog();
    d.lockImage[0]->click();
    d.privOperationsTxt->setText(QStringLiteral("rmelem"));
    d.viewDriveCombo->setCurrentIndex(d.viewDriveCombo->findText(QStringLiteral("x")));
    d.okBut->click();

    EXPECT_EQ(f.context.hooks.getPrivOperations(), QStringLiteral("rmelem"));
    EXPECT_EQ(f.context.hooks.getViewDrive(), QStringLiteral("x"));
    EXPECT_EQ(f.stored("PrivOper"), QString());

    f.openFromMenu();
    EXPECT_EQ(f.context.hooks.getPrivOperations(), SettingsController::defaultPrivOperations);
    EXPECT_EQ(f.context.hooks.getViewDrive(), QStringLiteral("x"));
}
