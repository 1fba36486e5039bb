#include "ShellFixture.h"

#include <QAction>
#include <QEvent>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QProgressBar>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

template <typename W>
W *control(MainWindow &form, const char *name)
{
    return form.findChild<W *>(QLatin1String(name));
}

class CloseCounter : public QObject
{
public:
    int closes = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Close)
            ++closes;
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

TEST(MainWindow, EveryControlCarriesItsNameCaptionAndToolTip)
{
    ShellFixture f;
    MainWindow &form = f.form;
    EXPECT_EQ(control<QPushButton>(form, "loadBut")->text(), QStringLiteral("Load Views"));
    EXPECT_EQ(control<QCheckBox>(form, "myViewsOnlyCB")->toolTip(), QStringLiteral("Filter to show only my views"));
    EXPECT_EQ(control<QLineEdit>(form, "filterDriveTxt")->text(),
              QStringLiteral("a:,c:,d;e;f;g;h;i;j;k;l;n;o;p;q;r;s;t;u;v;w;x;y;z"));
    EXPECT_EQ(control<QLineEdit>(form, "vobTagTxt")->text(), QStringLiteral("<UNDEF>"));
    EXPECT_EQ(control<QLineEdit>(form, "vobRootTxt")->text(), QStringLiteral("UNDEFINED"));
    EXPECT_EQ(control<QLabel>(form, "zanCurSettingLbl")->text(), QStringLiteral("Element: <UNDEF>"));
    EXPECT_EQ(control<QLabel>(form, "userGroupLbl")->text(), QStringLiteral("User(s) with <operation> privileges"));
    EXPECT_EQ(control<QToolButton>(form, "zanBut_4")->toolTip(), QStringLiteral("Delete group members from \"Users\" list"));
    EXPECT_EQ(control<QToolButton>(form, "zanBut_10")->toolTip(), QStringLiteral("Delete group referenced by element"));
    EXPECT_EQ(control<QListWidget>(form, "zanList_2")->toolTip(), QStringLiteral("Double click to add group members to users list"));
    EXPECT_EQ(control<QLabel>(form, "zanLbl_3")->text(), QStringLiteral("Apply to all checked based on: "));
    EXPECT_EQ(control<QLabel>(form, "trigLbl_0")->text(), QStringLiteral("Trigger setup for VOB: <UNDEF>"));
    EXPECT_EQ(control<QLineEdit>(form, "trigLocationTxt")->text(), QStringLiteral("<trigger_location>"));
    EXPECT_EQ(control<QLineEdit>(form, "adminUsersTxt")->property("tag").toString(), QStringLiteral("<admin_users_list>"));
    EXPECT_EQ(control<QPushButton>(form, "removeAllTriggersBut")->toolTip(),
              QStringLiteral("Remove Zan triggers from this VOB (listed in the \"Trigger Names:\" pull-down list)"));
    EXPECT_EQ(control<QLineEdit>(form, "dgTxt_1")->text(), QStringLiteral("<enter_new_user>"));
    EXPECT_EQ(control<QLabel>(form, "dgLbl")->text(), QStringLiteral("Load groups from file:"));
    EXPECT_EQ(control<QLabel>(form, "overrideImage")->toolTip(), QStringLiteral("Override Trigger = \"ON\""));
    EXPECT_NE(control<QTreeWidget>(form, "tTreeList"), nullptr);
    for (int i = 6; i <= 9; ++i)
        EXPECT_FALSE(form.zanBut[i]->isEnabled()) << i;
    EXPECT_FALSE(MainWindow::isShown(form.ProgressBar1));
}

TEST(MainWindow, TabsAndMenusCarryTheirKeysAndCaptions)
{
    ShellFixture f;
    QTabWidget *tabs = f.form.mainTabStrip;
    ASSERT_EQ(tabs->count(), 3);
    const QStringList captions{QStringLiteral("Acess Control"), QStringLiteral("Define Groups"), QStringLiteral("Trigger(Admin)")};
    const QStringList keys{QStringLiteral("ac"), QStringLiteral("dg"), QStringLiteral("trigger")};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(tabs->tabText(i), captions[i]);
        EXPECT_EQ(tabs->tabBar()->tabData(i).toString(), keys[i]);
        EXPECT_EQ(tabs->widget(i)->objectName(), QStringLiteral("frame_%1").arg(i));
    }
    EXPECT_EQ(f.form.File->title(), QStringLiteral("File"));
    EXPECT_EQ(f.form.loadConfigFile->text(), QStringLiteral("Load Config File"));
    EXPECT_EQ(f.form.saveConfigToFile->text(), QStringLiteral("Save Config to File"));
    EXPECT_EQ(f.form.settings->text(), QStringLiteral("Settings"));
    EXPECT_EQ(f.form.GettingHelp->text(), QStringLiteral("Getting Help from Korvane"));
}

TEST(MainWindowController, LoadFillsTheFixedListsAndTheCaptionNamesTheVersion)
{
    ShellFixture f;
    bool operationsFilled = false;
    bool settingsLoaded = false;
    f.context.hooks.populateOperationsList = [&](bool skip, bool ucm) { operationsFilled = !skip && !ucm; };
    f.context.hooks.processRegistrySettings = [&](bool load, bool save) { settingsLoaded = load && !save; };
    f.window->load();
    EXPECT_TRUE(operationsFilled);
    EXPECT_TRUE(settingsLoaded);
    EXPECT_EQ(f.form.statusPanel->text(), QStringLiteral("Status"));
    EXPECT_FALSE(f.form.datePanel->text().isEmpty());
    ASSERT_EQ(f.form.selectUserCombo->count(), 2);
    EXPECT_EQ(f.form.selectUserCombo->itemText(0), QStringLiteral("<select_or_enter_user>"));
    EXPECT_EQ(f.form.selectUserCombo->itemText(1), QStringLiteral("ALL"));
    ASSERT_EQ(f.form.trigNamesCombo->count(), 3);
    EXPECT_EQ(f.form.trigNamesCombo->itemText(2), QStringLiteral("_UCM_KORVANE_SECURITY"));
    EXPECT_EQ(f.form.trigNamesCombo->currentIndex(), 0);
    EXPECT_EQ(f.window->caption(), QStringLiteral("Zan Utility - www.korvane.com (Beta Release) - 1.5.6"));
}

TEST(MainWindowController, AFailingLoadStepIsReportedAndTheRestIsSkipped)
{
    ShellFixture f;
    f.context.hooks.populateOperationsList = [](bool, bool) {
        throw ZanError(5, QStringLiteral("catalogue"), QStringLiteral("broken"));
    };
    f.window->load();
    EXPECT_EQ(f.form.selectUserCombo->count(), 0);
    ASSERT_EQ(f.prompter.count(), 1);
    EXPECT_EQ(f.prompter.last().text, QStringLiteral("ERROR::broken\r\nReport Bug to support@korvane.com"));
}

TEST(MainWindowController, UnloadEmptiesTheOverrideVariableAndClosesWindowsOnce)
{
    ShellFixture f;
    f.platform.setEnvVar(QStringLiteral("CLEARCASE_OVERRIDE"), QStringLiteral("True"));
    CloseCounter counter;
    f.detail.installEventFilter(&counter);
    f.detail.setDetail(QStringLiteral("open"));

    f.form.Exit->trigger();
    f.window->unloadAllForms();
    f.form.close();

    EXPECT_EQ(counter.closes, 1);
    EXPECT_TRUE(f.window->isClosing());
    EXPECT_EQ(f.platform.environment.value(QStringLiteral("CLEARCASE_OVERRIDE"), QStringLiteral("unset")), QString());
}

TEST(MainWindowController, HelpContentOpensTheDocumentNextToTheProgram)
{
    ShellFixture f;
    f.platform.folder = QStringLiteral("/opt/zan");
    f.form.content->trigger();
    EXPECT_EQ(f.platform.openedDocuments, QStringList{QStringLiteral("/opt/zan/help/main.html")});
}
