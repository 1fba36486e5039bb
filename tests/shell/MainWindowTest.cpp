#include "ShellFixture.h"
#include "support/MouseClicks.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>

namespace {

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

TEST(MainWindow, ControlsMenusAndTabsCarryTheirNamesCaptionsAndToolTips)
{
    ShellFixture f;
    expectTexts(f.form, {
        {"loadBut", "text", "Load Views"},
        {"myViewsOnlyCB", "toolTip", "Filter to show only my views"},
        {"filterDriveTxt", "text", "a:,c:,d;e;f;g;h;i;j;k;l;n;o;p;q;r;s;t;u;v;w;x;y;z"},
        {"vobTagTxt", "text", "<UNDEF>"},
        {"vobRootTxt", "text", "UNDEFINED"},
        {"zanCurSettingLbl", "text", "Element: <UNDEF>"},
        {"userGroupLbl", "text", "User(s) with <operation> privileges"},
        {"zanBut_4", "toolTip", "Delete group members from \"Users\" list"},
        {"zanBut_10", "toolTip", "Delete group referenced by element"},
        {"zanList_2", "toolTip", "Double click to add group members to users list"},
        {"zanLbl_3", "text", "Apply to all checked based on: "},
        {"trigLbl_0", "text", "Trigger setup for VOB: <UNDEF>"},
        {"trigLocationTxt", "text", "<trigger_location>"},
        {"adminUsersTxt", "tag", "<admin_users_list>"},
        {"removeAllTriggersBut", "toolTip", "Remove Zan triggers from this VOB (listed in the \"Trigger Names:\" pull-down list)"},
        {"dgTxt_1", "text", "<enter_new_user>"},
        {"dgLbl", "text", "Load groups from file:"},
        {"overrideImage", "toolTip", "Override Trigger = \"ON\""},
        {"File", "title", "File"},
        {"loadConfigFile", "text", "Load Config File"},
        {"saveConfigToFile", "text", "Save Config to File"},
        {"settings", "text", "Settings"},
        {"GettingHelp", "text", "Getting Help from Korvane"},
    });
    EXPECT_NE(f.form.findChild<QTreeWidget *>("tTreeList"), nullptr);
    for (int i = 6; i <= 9; ++i)
        EXPECT_FALSE(f.form.zanBut[i]->isEnabled()) << i;
    EXPECT_FALSE(MainWindow::isShown(f.form.ProgressBar1));

    QTabWidget *tabs = f.form.mainTabStrip;
    ASSERT_EQ(tabs->count(), 3);
    const QStringList captions{"Acess Control", "Define Groups", "Trigger(Admin)"}, keys{"ac", "dg", "trigger"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(tabs->tabText(i), captions[i]);
        EXPECT_EQ(tabs->tabBar()->tabData(i).toString(), keys[i]);
        EXPECT_EQ(tabs->widget(i)->objectName(), QStringLiteral("frame_%1").arg(i));
    }
}

TEST(MainWindowController, LoadFillsTheFixedListsAndTheCaptionNamesTheVersion)
{
    ShellFixture f;
    f.storeValue("PrivOper", "rmelem");
    f.window->load();
    EXPECT_EQ(f.state.privilegedList(), "rmelem");
    EXPECT_EQ(f.form.statusPanel->text(), "Status");
    EXPECT_FALSE(f.form.datePanel->text().isEmpty());
    EXPECT_EQ(entriesOf(*f.form.selectUserCombo), (QStringList{"<select_or_enter_user>", "ALL"}));
    EXPECT_EQ(entriesOf(*f.form.trigNamesCombo), (QStringList{"_KORVANE_SECURITY1", "_KORVANE_SECURITY2", "_UCM_KORVANE_SECURITY"}));
    EXPECT_EQ(f.form.trigNamesCombo->currentIndex(), 0);
    EXPECT_EQ(f.window->caption(), "Zan Utility - www.korvane.com (Beta Release) - 1.5.6");
}

TEST(MainWindowController, UnloadEmptiesTheOverrideVariableAndClosesWindowsOnce)
{
    ShellFixture f;
    f.platform.setEnvVar("CLEARCASE_OVERRIDE", "True");
    CloseCounter counter;
    f.detail.installEventFilter(&counter);
    f.detail.setDetail("open");

    chooseMenuItem(f.form.menuBar(), f.form.File, f.form.Exit);
    f.window->unloadAllForms();
    f.form.close();

    EXPECT_EQ(counter.closes, 1);
    EXPECT_TRUE(f.window->isClosing());
    EXPECT_EQ(f.env(), QString());
}

TEST(MainWindowController, HelpContentOpensTheDocumentNextToTheProgram)
{
    ShellFixture f;
    f.platform.folder = "/opt/zan";
    chooseMenuItem(f.form.menuBar(), f.form.help, f.form.content);
    EXPECT_EQ(f.platform.openedDocuments, QStringList{"/opt/zan/help/main.html"});
    EXPECT_EQ(f.prompter.count(), 0);

    f.platform.documentsOpen = false;
    chooseMenuItem(f.form.menuBar(), f.form.help, f.form.content);
    ASSERT_EQ(f.prompter.count(), 1);
    EXPECT_EQ(f.prompter.last().text, "The help document could not be opened:\r\n/opt/zan/help/main.html\r\n\r\n"
                                      "Open it in a web browser, or check that the program is installed completely.");
    EXPECT_EQ(f.prompter.last().title, "Help");
    EXPECT_EQ(f.prompter.last().icon, Prompter::Icon::Exclamation);
}
