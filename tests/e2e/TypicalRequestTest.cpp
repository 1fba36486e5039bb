// The typical request from start to end, through the real main window and real input
// events: define group dev, take rmelem off the privileged operations, restrict checkout
// of src\main.c to bob and dev, rmelem of src\util.c to bob, rmtype and mklbtype on \proj
// to bob, apply the triggers; then the emulator, acting as several users, runs the
// installed trigger script before each operation. On a Windows-style site (m:\bob_dev\proj)
// and a UNIX-style one (/view/bob_dev/vobs/proj, the script run as perl <location>/... /view),
// each over the sandbox backend and over cleartool (the emulator through the co-process).
#include "support/MouseClicks.h"

#include "app/AppComposer.h"
#include "clearcase/ClearCaseFactory.h"
#include "clearcase/SiteStyle.h"
#include "clearcase/emulator/CleartoolEmulator.h"
#include "clearcase/sandbox/SandboxSeed.h"
#include "clearcase/sandbox/SandboxStore.h"
#include "shell/MainContext.h"
#include "shell/MainWindow.h"
#include "shell/SettingsController.h"
#include "shell/SettingsDialog.h"
#include "support/EmulatorBackend.h"
#include "support/FakePlatform.h"
#include "support/ScriptedPrompter.h"
#include "support/TempSandbox.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <memory>

namespace {

QTreeWidgetItem *child(QTreeWidgetItem *parent, const QString &text)
{
    for (int i = 0; i < parent->childCount(); ++i) {
        if (parent->child(i)->text(0) == text)
            return parent->child(i);
    }
    return nullptr;
}

// A click on the node's text (right of its check box), then the right arrow, which expands it.
void openNode(QTreeWidget *tree, QTreeWidgetItem *node, bool expand = true)
{
    tree->scrollToItem(node);
    const QRect rect = tree->visualItemRect(node);
    mouseClick(tree->viewport(), QPoint(rect.right() - 4, rect.center().y()));
    if (expand)
        QTest::keyClick(tree, Qt::Key_Right);
}

struct Outcome {
    int status = -1;
    QString output;
};

// The site's style and whether the program talks to cleartool.
using Combination = std::tuple<SiteStyle::Kind, bool>;

class TypicalRequest : public ::testing::TestWithParam<Combination>
{
protected:
    static bool unixSite() { return std::get<0>(GetParam()) == SiteStyle::Kind::Unix; }
    static bool overCleartool() { return std::get<1>(GetParam()); }
    static QString vobTag() { return SandboxSeed::vobTag(SandboxSeed::projVob, std::get<0>(GetParam())); }
    // The clicks from the tree's root down to a path below \proj, given with "/".
    static QStringList nodes(const QString &relative)
    {
        QStringList names = unixSite() ? QStringList{QStringLiteral("/view"), SandboxSeed::bobDev, QStringLiteral("vobs")}
                                       : QStringList{QStringLiteral("m:"), SandboxSeed::bobDev};
        names << QStringLiteral("proj");
        if (!relative.isEmpty())
            names << relative.split(QLatin1Char('/'));
        return names;
    }
    static QString elementPath(const QString &relative)
    {
        return unixSite() ? QStringLiteral("/view/bob_dev/vobs/proj/") + relative
                          : QStringLiteral("m:\\bob_dev\\proj\\") + QString(relative).replace(QLatin1Char('/'), QLatin1Char('\\'));
    }

    void SetUp() override
    {
        cleartool = QDir(CleartoolEmulator::installAsCleartool(sandbox.folder(), emulatorProgram())).filePath(QStringLiteral("cleartool"));
        // c:\triggers, the trigger location, is a folder on the sandbox's drive c.
        ASSERT_TRUE(QDir().mkpath(QDir(sandbox.folder()).filePath(QStringLiteral("drives/c/triggers"))));
        platform.folder = QFileInfo(emulatorProgram()).path(); // the security script is shipped next to the programs

        AppComposer::Options options{&platform, &prompter, settings.path(), [this](Platform &p) {
                                         std::unique_ptr<ClearCase> backend = sandbox.open(p);
                                         ClearCaseFactory::adoptSiteStyle(*backend, QString());
                                         return backend;
                                     }};
        if (overCleartool()) {
            platform.environment.insert(QStringLiteral("ZAN_CLEARCASE"), QStringLiteral("cleartool"));
            platform.environment.insert(QStringLiteral("ZAN_CLEARTOOL"), cleartool);
            platform.environment.insert(QStringLiteral("ZAN_SANDBOX"), sandbox.folder());
            options.clearCaseFactory = [](Platform &p) { return ClearCaseFactory::create(p); };
        }
        app = std::make_unique<AppComposer>(options);
        ASSERT_TRUE(app->start(false));
        form().show();
    }

    void TearDown() override
    {
        if (app)
            form().hide();
    }

    MainWindow &form() { return app->form(); }

    void defineGroup(const QString &name, const QStringList &members)
    {
        clickTab(form().mainTabStrip, 1);
        clickAndType(form().dgTxt[0], name, false);
        clickButton(form().dgBut[0]);
        clickText(form().dgList[0], name);
        for (const QString &member : members) {
            retype(form().dgTxt[1], member);
            clickButton(form().dgBut[2]);
        }
        clickTab(form().mainTabStrip, 0);
    }

    // Clicks down the tree from the view drive or root, each click loading the node's children.
    QTreeWidgetItem *openPath(const QString &relative)
    {
        const QStringList names = nodes(relative);
        QTreeWidget *tree = form().tTreeList;
        QTreeWidgetItem *node = nullptr;
        for (int i = 0; i < tree->topLevelItemCount() && !node; ++i) {
            if (tree->topLevelItem(i)->text(0) == names.first())
                node = tree->topLevelItem(i);
        }
        for (const QString &name : names.mid(1)) {
            if (!node)
                return nullptr;
            openNode(tree, node);
            node = child(node, name);
        }
        if (node)
            openNode(tree, node, false);
        return node;
    }

    void setPrivilegedOperations(const QString &list)
    {
        form().settings->trigger();
        SettingsDialog &dialog = app->controller<SettingsController>().dialog();
        // The view root, not drive letters, on a UNIX site.
        EXPECT_EQ(dialog.viewDriveCombo->count(), unixSite() ? 1 : 21);
        EXPECT_EQ(dialog.viewDriveCombo->currentText(), unixSite() ? QStringLiteral("/view") : QStringLiteral("m"));
        clickButton(dialog.lockImage[0]);
        retype(dialog.privOperationsTxt, list);
        clickButton(dialog.okBut);
    }

    void addOperation(const QString &operation)
    {
        clickButton(form().zanBut[0]);
        QListWidget *picker = form().zanSubList;
        const auto found = picker->findItems(operation, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << operation.toStdString();
        doubleClickRow(picker, picker->row(found.first()));
    }

    void addUser(const QString &user)
    {
        if (form().zanBut[2]->isVisible() && form().zanBut[2]->isEnabled()) // the chooser may be open already
            clickButton(form().zanBut[2]);
        clickAndType(form().selectUserCombo->lineEdit(), user); // as the help's step 5 has it: type bob, press Enter
    }

    void addGroup(const QString &group)
    {
        clickButton(form().zanBut[5]);
        QComboBox *chooser = form().selectGroupCombo;
        const int index = chooser->findText(group);
        ASSERT_GT(index, 0);
        for (int i = chooser->currentIndex(); i < index; ++i)
            QTest::keyClick(chooser, Qt::Key_Down);
    }

    QString attribute(const QString &path, const QString &type)
    {
        for (const AttributeInfo &info : sandbox.store().attributes(vobTag(), path)) {
            if (info.typeName == type)
                return info.value;
        }
        return QStringLiteral("<absent>");
    }

    // cleartool as the given user, from a folder of the view bob_dev.
    Outcome runAs(const QString &user, const QStringList &arguments, bool override = false)
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("CLEARCASE_USER"), user);
        env.insert(QStringLiteral("CLEARCASE_OVERRIDE"), override ? QStringLiteral("True") : QStringLiteral("False"));
        const QString viewFolder = QDir(sandbox.store().driveFolder(SandboxSeed::viewDrive))
                                       .filePath(unixSite() ? QStringLiteral("bob_dev/vobs/proj") : QStringLiteral("bob_dev/proj"));
        env.insert(QStringLiteral("PWD"), viewFolder);
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(viewFolder);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(cleartool, arguments);
        if (!process.waitForFinished(60000))
            return {};
        return {process.exitCode(), QString::fromLocal8Bit(process.readAll())};
    }

    FakePlatform platform;
    ScriptedPrompter prompter;
    QTemporaryDir settings;
    TempSandbox sandbox{std::get<0>(GetParam())};
    QString cleartool;
    std::unique_ptr<AppComposer> app;
};

} // namespace

TEST_P(TypicalRequest, SettingsMadeInTheWindowAreEnforcedBeforeEachOperation)
{
    const QString mainC = elementPath(QStringLiteral("src/main.c"));
    const QString privileged = QStringLiteral("mktype,rntype,rmtype,mklbtype");
    defineGroup(QStringLiteral("dev"), {QStringLiteral("carol"), QStringLiteral("dave")});
    setPrivilegedOperations(privileged);

    clickButton(form().loadBut);
    clickText(form().mainList, SandboxSeed::bobDev);
    ASSERT_NE(openPath(QString()), nullptr);
    EXPECT_EQ(form().vobTagTxt->text(), vobTag());
    ASSERT_NE(openPath(QStringLiteral("src/main.c")), nullptr);
    EXPECT_EQ(form().selectedElemTxt->text(), mainC);

    addOperation(QStringLiteral("checkout"));
    EXPECT_EQ(attribute(QStringLiteral("src/main.c"), QStringLiteral("__checkout")), QStringLiteral("NONE"));
    addUser(QStringLiteral("bob"));
    addGroup(QStringLiteral("dev"));
    EXPECT_EQ(attribute(QStringLiteral("src/main.c"), QStringLiteral("__checkout")), QStringLiteral("bob,carol,dave"));
    EXPECT_EQ(attribute(QStringLiteral("src/main.c"), QStringLiteral("QX_GROUPS")), QStringLiteral("dev"));

    // Not privileged in this VOB: the setting stays on the element.
    openPath(QStringLiteral("src/util.c"));
    addOperation(QStringLiteral("rmelem"));
    addUser(QStringLiteral("bob"));
    EXPECT_EQ(attribute(QStringLiteral("src/util.c"), QStringLiteral("__rmelem")), QStringLiteral("bob"));

    openPath(QString());
    for (const QString &operation : {QStringLiteral("rmtype"), QStringLiteral("mklbtype")}) {
        addOperation(operation);
        addUser(QStringLiteral("bob"));
        EXPECT_EQ(attribute(QString(), QStringLiteral("__") + operation), QStringLiteral("bob"));
    }

    clickTab(form().mainTabStrip, 2);
    // A UNIX site's clients run the script from a UNIX path: here the host folder itself.
    retype(form().trigLocationTxt, unixSite() ? QDir(sandbox.folder()).filePath(QStringLiteral("drives/c/triggers"))
                                                : QStringLiteral("c:\\triggers"));
    retype(form().adminUsersTxt, QStringLiteral("vobadm"));
    clickButton(form().applyTriggerBut);
    EXPECT_EQ(form().applyTriggerBut->text(), QStringLiteral("Update Trigger"));
    EXPECT_EQ(prompter.texts(), QStringList());
    EXPECT_EQ(attribute(QString(), QStringLiteral("QX_PRIVOPER")), privileged);
    const QString action = sandbox.store().triggerTypes(vobTag()).value(0).actions.value(0).command;
    EXPECT_TRUE(action.startsWith(unixSite() ? QStringLiteral("perl /") : QStringLiteral("ccperl c:\\triggers\\")));
    EXPECT_TRUE(action.endsWith(unixSite() ? QStringLiteral("/_qx_security_trigger.pl /view vobadm")
                                           : QStringLiteral("\\_qx_security_trigger.pl m vobadm")))
        << action.toStdString();

    const QStringList checkout{QStringLiteral("checkout"), QStringLiteral("-nc"), mainC};
    const Outcome bob = runAs(QStringLiteral("bob"), checkout);
    EXPECT_EQ(bob.status, 0) << bob.output.toStdString();
    EXPECT_EQ(bob.output, QStringLiteral("Checked out \"%1\" from version \"%2\".\n")
                              .arg(mainC, unixSite() ? QStringLiteral("/main/0") : QStringLiteral("\\main\\0")));
    EXPECT_EQ(runAs(QStringLiteral("Carol"), checkout).status, 0);
    EXPECT_EQ(runAs(QStringLiteral("vobadm"), checkout).status, 0);
    const Outcome eve = runAs(QStringLiteral("eve"), checkout);
    EXPECT_EQ(eve.status, 1);
    EXPECT_TRUE(eve.output.endsWith(
        QStringLiteral("cleartool: Warning: Trigger \"_KORVANE_SECURITY1\" has refused to let checkout proceed.\n"
                       "cleartool: Error: Unable to check out \"%1\".\n")
            .arg(mainC)))
        << eve.output.toStdString();
    EXPECT_EQ(runAs(QStringLiteral("eve"), checkout, true).status, 1);

    // Each refused to eve by the trigger and let through for bob. bob owns the type he made,
    // which ClearCase asks of whoever removes it; type creation goes by the kind's own setting;
    // with rmelem off the list, the element's own setting decides.
    ASSERT_EQ(runAs(QStringLiteral("bob"), {QStringLiteral("mklbtype"), QStringLiteral("-nc"), QStringLiteral("REL_2@") + vobTag()}).status, 0);
    const struct {
        QStringList command;
        QString refusal;
    } guarded[] = {
        {{"rmtype", "-nc", "lbtype:REL_2@" + vobTag()}, "Trigger \"_KORVANE_SECURITY2\" has refused to let rmtype proceed."},
        {{"mklbtype", "-nc", "REL_3@" + vobTag()}, "Trigger \"_KORVANE_SECURITY2\" has refused to let mktype proceed."},
        {{"rmelem", "-force", "-nc", elementPath(QStringLiteral("src/util.c"))},
         "Trigger \"_KORVANE_SECURITY1\" has refused to let rmelem proceed."},
    };
    for (const auto &row : guarded) {
        const Outcome eveRun = runAs(QStringLiteral("eve"), row.command);
        EXPECT_EQ(eveRun.status, 1) << eveRun.output.toStdString();
        EXPECT_TRUE(eveRun.output.contains(row.refusal)) << eveRun.output.toStdString();
        EXPECT_EQ(runAs(QStringLiteral("bob"), row.command).status, 0) << row.command.join(' ').toStdString();
    }

    // Now that the triggers hold, bob, who is no administrator, may not change a setting:
    // on either backend the installed trigger refuses, in its own words, and nothing changes.
    prompter.clear();
    openPath(QStringLiteral("src/main.c"));
    addUser(QStringLiteral("eve"));
    EXPECT_EQ(attribute(QStringLiteral("src/main.c"), QStringLiteral("__checkout")), QStringLiteral("bob,carol,dave"));
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_TRUE(prompter.last().text.contains(QStringLiteral("administrators"))) << prompter.last().text.toStdString();
    EXPECT_TRUE(prompter.last().text.startsWith(QStringLiteral("ERROR::")) && prompter.last().text.endsWith(QStringLiteral("addCCAttrToElem()::")));
    EXPECT_EQ(prompter.last().title, QStringLiteral("Error..."));
    EXPECT_EQ(prompter.last().icon, Prompter::Icon::Information);
}

// The emulator named by ZAN_CLEARTOOL makes its sandbox on its first command; the program's
// drive map reaches that sandbox's views from the first run on.
TEST(FirstRunOverTheEmulator, TheNewSandboxsViewsFillTheTree)
{
    QTemporaryDir home;
    const QString folder = QDir(home.path()).filePath(QStringLiteral("sandbox"));
    const QByteArray before = qgetenv("ZAN_SANDBOX");
    qputenv("ZAN_SANDBOX", folder.toLocal8Bit()); // the emulator's own environment
    FakePlatform platform;
    platform.environment = {{QStringLiteral("ZAN_CLEARCASE"), QStringLiteral("cleartool")},
                            {QStringLiteral("ZAN_CLEARTOOL"), emulatorProgram()},
                            {QStringLiteral("ZAN_SANDBOX"), folder}};
    ScriptedPrompter prompter;
    QTemporaryDir settings;
    {
        AppComposer app(AppComposer::Options{&platform, &prompter, settings.path(), {}});
        ASSERT_TRUE(app.start(false));
        app.form().show();
        clickButton(app.form().loadBut);
        clickText(app.form().mainList, SandboxSeed::bobDev);
        QTreeWidget *tree = app.form().tTreeList;
        ASSERT_EQ(tree->topLevelItemCount(), 1);
        openNode(tree, tree->topLevelItem(0));
        EXPECT_NE(child(tree->topLevelItem(0), SandboxSeed::bobDev), nullptr);
        EXPECT_EQ(prompter.texts(), QStringList());
    }
    qputenv("ZAN_SANDBOX", before);
}

INSTANTIATE_TEST_SUITE_P(StylesAndBackends, TypicalRequest,
                         ::testing::Combine(::testing::Values(SiteStyle::Kind::Windows, SiteStyle::Kind::Unix),
                                            ::testing::Bool()),
                         [](const ::testing::TestParamInfo<Combination> &combination) {
                             return SiteStyle::name(std::get<0>(combination.param)).toStdString() +
                                    (std::get<1>(combination.param) ? "Cleartool" : "Sandbox");
                         });
