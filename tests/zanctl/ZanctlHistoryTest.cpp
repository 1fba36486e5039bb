// zanctl history reads ClearCase's own event records, so an edit made by the window's core,
// one made by zanctl set and one made with plain cleartool all show, in order, each with its
// user; the VOB root's history adds the privileged list and the trigger types.
#include "ZanctlFixture.h"

#include "access/AccessEditor.h"
#include "access/AccessExplainer.h"
#include "access/SettingHistoryReport.h"
#include "browser/BrowserFixture.h"
#include "browser/ElementHistoryController.h"
#include "shell/DetailWindow.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QContextMenuEvent>
#include <QJsonObject>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRegularExpression>

namespace {

// The CSV rows without the header, each as "user,setting,action,value" (time, host and
// element hold no comma).
QStringList rowsOf(const QString &csv)
{
    QStringList rows = csv.split('\n', Qt::SkipEmptyParts).mid(1);
    for (QString &row : rows)
        row = row.section(',', 1, 1) + ',' + row.section(',', 4);
    return rows;
}

QStringList hostsOf(const QString &csv)
{
    QStringList hosts;
    for (const QString &row : csv.split('\n', Qt::SkipEmptyParts).mid(1))
        hosts << row.section(',', 2, 2);
    return hosts;
}

} // namespace

class ZanctlHistory : public ZanctlSites
{
protected:
    // The backend as another administrator would open it, from the computer `host`.
    std::unique_ptr<ClearCase> backendAs(const QString &user, const QString &host)
    {
        if (!overCleartool()) {
            FakePlatform other;
            other.login = user;
            other.computer = host;
            return sandbox.open(other);
        }
        auto cleartoolBackend = std::make_unique<CleartoolClearCase>(emulatorProgram());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("ZAN_SANDBOX", sandbox.folder());
        environment.insert("CLEARCASE_USER", user);
        cleartoolBackend->process().setEnvironment(environment);
        return cleartoolBackend;
    }
};

// The window's edits, zanctl's and plain cleartool's on one element, then its history.
TEST_P(ZanctlHistory, ListsEveryToolsEditInOrderWithItsUser)
{
    const QString mainC = inVob("src/main.c");
    const ElementLocation location = AccessExplainer::locationOf(mainC, backend->siteStyle());
    {
        std::unique_ptr<ClearCase> window = backendAs("alice", "DESK7");
        AccessEditor editor(*window);
        editor.ensureAttributeType(location, "__checkout");
        editor.addOperation(location, "checkout", QString());
        editor.changeUsers(location, "checkout", AccessListChange({"alice"}, {}), QString());
    }
    ASSERT_EQ(zanctl({"set", mainC, "checkout", "--add-user", "bob"}).status, 0);
    ASSERT_EQ(cleartoolAs("carol", {"rmattr", "-nc", "__checkout", mainC + "@@/main/0"}).status, 0);
    ASSERT_EQ(cleartoolAs("carol", {"mkattr", "-c", "by hand,\n| on two lines", "__checkout", "\"carol,dave\"", mainC + "@@/main/0"}).status, 0);

    const Run history = zanctl({"history", "--format", "csv", mainC});
    ASSERT_EQ(history.status, 0) << history.err.toStdString();
    // Over cleartool only the value stored now is known: ClearCase's events do not keep theirs.
    const auto recorded = [this](const QString &value) { return overCleartool() ? QString() : value; };
    EXPECT_EQ(rowsOf(history.out), QStringList({"alice,checkout,set," + recorded("NONE"), "alice,checkout,changed," + recorded("alice"),
                                                "bob,checkout,changed," + recorded("\"alice,bob\""), "carol,checkout,removed,",
                                                "carol,checkout,set,\"carol,dave\""}))
        << history.out.toStdString();
    const QStringList hosts = hostsOf(history.out);
    EXPECT_FALSE(hosts.contains(QString())) << history.out.toStdString();
    if (!overCleartool()) {
        EXPECT_EQ(hosts.first(), "desk7"); // the emulator signs with the host it runs on
    }
    EXPECT_TRUE(history.out.startsWith("time,user,host,element,setting,action,value\n"));
    // A comment reads back whole, line break and punctuation included.
    const QJsonObject json = QJsonDocument::fromJson(zanctl({"history", "--json", mainC}).out.toUtf8()).object();
    EXPECT_EQ(json["element"].toString(), mainC);
    ASSERT_EQ(json["changes"].toArray().size(), 5);
    const QJsonObject last = json["changes"].toArray().last().toObject();
    EXPECT_EQ(last["operation"].toString() + ' ' + last["action"].toString(), "checkout set");
    EXPECT_EQ(last["comment"].toString(), "by hand,\n| on two lines");
    EXPECT_TRUE(history.out.contains("," + mainC + ",checkout,")) << history.out.toStdString();
}

// The root's history: the privileged list recorded there and the trigger types made and
// removed. A type's own events go with it; its removal stays in the VOB's.
TEST_P(ZanctlHistory, TheVobRootAddsThePrivilegedListAndTheTriggerTypes)
{
    const QString vob = SandboxSeed::vobTag(SandboxSeed::projVob, kind);
    set(inVob("src/main.c"), "__checkout", "bob"); // not the root's
    set(inVob("."), AccessAttributeFormat::privilegedListTypeName, "rmelem,mklbtype");
    const TriggerCommandLines lines({"c:\\triggers", QString(), "vobadm", "m", QString(), false, "12/7/26"});
    const TriggerTypeDefinition trigger = lines.elementTrigger();
    backend->createTriggerType(vob, trigger);
    backend->removeTriggerType(vob, trigger.name);
    backend->createTriggerType(vob, trigger);

    const Run history = zanctl({"history", "--format", "csv", inVob(".")});
    EXPECT_EQ(rowsOf(history.out), QStringList({"bob,privileged list,set,\"rmelem,mklbtype\"", "bob,trigger type " + trigger.name + ",removed,",
                                                "bob,trigger type " + trigger.name + ",made,"}))
        << history.out.toStdString();
}

// What each option keeps, and the errors that end with status 2 and change nothing.
TEST_P(ZanctlHistory, OptionsNarrowTheReportAndBadInputIsRefused)
{
    const QString mainC = inVob("src/main.c");
    set(mainC, "__checkout", "bob");
    set(mainC, "__checkin", "NONE");
    set(inVob("."), "__rmelem", "erin");
    const QString noChange = mainC + "\n  no recorded change\n";
    const Step steps[] = {
        {{"history", "--op", "mkbranch", mainC}, 0, noChange, ""},
        {{"history", "--since", "2999-01-01", mainC}, 0, noChange, ""},
        {{"history", "--op", "rmelem", "--since", "2999-01-01T10:00", mainC}, 0, inVob(".") + "\n  no recorded change\n",
         "zanctl history: rmelem is privileged: its setting is the VOB root's\n"},
        {{"history", "--format", "xml", mainC}, 2, "", "zanctl history: unknown format \"xml\" (text, csv or json)\n"},
        {{"history", "--since", "yesterday", mainC}, 2, "",
         "zanctl history: \"yesterday\" is not a date: give YYYY-MM-DD or YYYY-MM-DDThh:mm[:ss]\n"},
        {{"history", "--op", "chekout", mainC}, 2, "",
         "zanctl history: \"chekout\" is not an operation of the catalogue; did you mean \"checkout\"? (see zanctl history --help)\n"},
        {{"history"}, 2, "", "zanctl history: usage: zanctl history [options] PATH (see zanctl history --help)\n"},
    };
    expectSteps(steps);

    const Run text = zanctl({"history", "--since", "2000-01-01", "--op", "checkout", mainC});
    static const QRegularExpression line("^  \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d  bob  \\S+  checkout set: bob$");
    EXPECT_EQ(text.out.section('\n', 0, 0), mainC);
    EXPECT_TRUE(line.match(text.out.section('\n', 1, 1)).hasMatch()) << text.out.toStdString();
    EXPECT_EQ(text.out.count('\n'), 2);

    EXPECT_EQ(zanctl({"history", "--format", "json", mainC}).out, zanctl({"history", "--json", mainC}).out);

    const Run missing = zanctl({"history", inVob("src/nosuch.c")});
    EXPECT_EQ(missing.status, 2);
    EXPECT_TRUE(missing.err.startsWith("zanctl history: ")) << missing.err.toStdString();
    EXPECT_EQ(missing.out, "");
}

INSTANTIATE_TEST_SUITE_P(SitesAndBackends, ZanctlHistory,
                         ::testing::Combine(::testing::Values(SiteStyle::Kind::Windows, SiteStyle::Kind::Unix), ::testing::Bool()),
                         siteAndBackendName);

// The tree's context menu shows the node's history in the Detail window, over either backend.
class HistoryInTheWindow : public BrowserFixture, public ::testing::WithParamInterface<bool>
{
protected:
    HistoryInTheWindow() { overCleartool = GetParam(); }
};

TEST_P(HistoryInTheWindow, TheTreesMenuShowsTheElementsHistoryInTheDetailWindow)
{
    const QString mainC = inProj(SandboxSeed::mainC);
    AccessEditor editor(ctx().ccase.clearCase());
    const ElementLocation location = AccessExplainer::locationOf(mainC, state().siteStyle());
    editor.ensureAttributeType(location, "__checkout");
    editor.writeUsers(location, "checkout", {"bob", "carol"}, QString());
    selectView(SandboxSeed::bobDev);
    QTreeWidgetItem *node = openNode(mainC);
    ASSERT_NE(node, nullptr);

    QTreeWidget *treeList = form().tTreeList;
    treeList->scrollToItem(node);
    ASSERT_EQ(treeList->itemAt(treeList->visualItemRect(node).center()), node);
    const QPoint at = treeList->visualItemRect(node).center();
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, at, treeList->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(treeList->viewport(), &rightClick);
    auto &history = controller<ElementHistoryController>();
    ASSERT_TRUE(history.treeMenu->isVisible());
    ASSERT_TRUE(history.showHistoryAction->isEnabled());
    mouseClick(history.treeMenu, history.treeMenu->actionGeometry(history.showHistoryAction).center());

    EXPECT_EQ(ctx().detail.windowTitle(), "Detail: History of: " + mainC) << (prompter.count() ? prompter.last().text : QString()).toStdString();
    const QString shown = ctx().detail.mainTxt->toPlainText().remove('\r');
    EXPECT_EQ(shown, SettingHistoryReport::render(mainC, SettingHistory(ctx().ccase.clearCase()).of(location),
                                                  SettingHistoryReport::Format::Text));
    EXPECT_TRUE(shown.contains(QRegularExpression("  bob  \\S+  checkout set: bob, carol\n$"))) << "[" << shown.toStdString() << "]";
    ASSERT_EQ(prompter.count(), 0);
}

INSTANTIATE_TEST_SUITE_P(Backends, HistoryInTheWindow, ::testing::Bool(), backendName);
