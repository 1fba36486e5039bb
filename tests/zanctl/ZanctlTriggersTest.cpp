// zanctl triggers over both backends and both site styles: an install makes exactly the
// trigger types Apply Trigger makes, each VOB's stored setup is the default of the next
// run, the window's questions are answered by --yes or refused, and status, the dry run
// and --all say what the VOBs have.
#include "ZanctlFixture.h"

#include "app/AppComposer.h"
#include "shell/MainWindow.h"
#include "shell/SettingsStore.h"
#include "support/MouseClicks.h"
#include "support/ScriptedPrompter.h"
#include "triggers/TriggerInstaller.h"

#include <QCheckBox>
#include <QJsonDocument>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

class ZanctlTriggers : public ZanctlSites
{
protected:
    QString tag(const QString &seedTag = SandboxSeed::projVob) const { return SandboxSeed::vobTag(seedTag, std::get<0>(GetParam())); }
    QString rootOf(const QString &seedTag = SandboxSeed::projVob) const { return inVob(QString(), seedTag); }
    // Every trigger type of the tool in the VOB as cleartool describes it, but for when it was made.
    QString described(const QString &vobTag)
    {
        QString text;
        for (const QString &name : backend->triggerTypeNames(vobTag)) {
            for (const QString &line : backend->runCommand(QStringLiteral("describe -long trtype:") + name + '@' + vobTag).split('\n')) {
                if (!line.trimmed().startsWith(QStringLiteral("created ")))
                    text += line + '\n';
            }
        }
        return text;
    }
    QString recordedList() { return AccessAttributeFormat::valueOf(backend->attributes(backend->siteStyle().rootVersionOf(rootOf())), "QX_PRIVOPER"); }

    // Apply Trigger as a person presses it, with the VOB selected in the tree; in interop the
    // script goes to the Unix location `unixLocation` as well.
    void applyInTheWindow(const QString &administrators, const QString &unixLocation)
    {
        ScriptedPrompter prompter;
        AppComposer app({&platform, &prompter, settings.path(), [this](Platform &p) { return open(p); }});
        ASSERT_TRUE(app.start(false));
        MainWindow &form = app.form();
        form.vobTagTxt->setText(tag());
        form.vobRootTxt->setText(rootOf());
        form.show();
        clickTab(form.mainTabStrip, 2);
        retype(form.trigLocationTxt, triggerLocation());
        if (!unixLocation.isEmpty()) {
            setTicked(form.interopSupportCB, true);
            setTicked(form.checkboxUnixOrWindowsLocation, true);
            retype(form.trigLocationUnixTxt, unixLocation);
        }
        retype(form.adminUsersTxt, administrators);
        clickButton(form.applyTriggerBut);
        form.hide();
    }
};

TEST_P(ZanctlTriggers, InstallMakesTheTriggerTypesApplyTriggerMakes)
{
    const QString unixFolder = QDir(sandbox.folder()).filePath("unix");
    ASSERT_TRUE(QDir().mkpath(unixFolder));
    const struct {
        QString administrators;
        QString unixLocation; // interop with a Unix location of its own
        bool exempt;
    } setups[] = {{"user1, user2", "", false}, {"", unixFolder, true}};
    for (const auto &setup : setups) {
        SCOPED_TRACE(setup.unixLocation.toStdString());
        SettingsStore(settings.path()).setValue("NUSERS", setup.exempt ? "1" : "0");
        ASSERT_EQ(zanctl({"triggers", "remove", "--yes", rootOf()}).status, 0);
        applyInTheWindow(setup.administrators, setup.unixLocation);
        const QString window = described(tag());
        ASSERT_TRUE(window.contains(TriggerCommandLines::typeTriggerName)) << window.toStdString();
        const QString list = recordedList();
        ASSERT_EQ(zanctl({"triggers", "remove", "--yes", rootOf()}).status, 0);

        QStringList install{"triggers", "install", "--location", triggerLocation(), "--admins", setup.administrators, rootOf()};
        if (!setup.unixLocation.isEmpty())
            install << "--interop" << "--unix-location" << setup.unixLocation;
        const Run run = zanctl(install);
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_EQ(run.out, tag() + ": security triggers installed\n");
        EXPECT_EQ(described(tag()), window);
        EXPECT_EQ(recordedList(), list);
    }
}

TEST_P(ZanctlTriggers, StatusUpdateAndRemoveFollowTheStoredSetup)
{
    const QString root = rootOf(), vob = tag();
    const QString absent = "  _KORVANE_SECURITY1: absent\n  _KORVANE_SECURITY2: absent\n  _UCM_KORVANE_SECURITY: absent\n";
    const QString installed = vob + " (" + root + "): installed\n  _KORVANE_SECURITY1: present\n  _KORVANE_SECURITY2: present\n"
                                                  "  _UCM_KORVANE_SECURITY: absent\n";
    const QString prefix = "zanctl triggers: " + vob + ": ";
    const Step steps[] = {
        {{"triggers", "status", root}, 0, vob + " (" + root + "): not installed\n" + absent, ""},
        {{"triggers", "update", root}, 1, "",
         prefix + "the security triggers are not installed: nothing to update (see zanctl triggers install)\n"},
        {{"triggers", "install", root}, 1, "",
         prefix + "Must define a valid absolute Windows path (\\\\myhost\\triggers) to copy the triggers.\n"},
        {{"triggers", "install", "--interop", "--unix-location", "", "--location", triggerLocation(), root}, 1, "",
         prefix + "Must define a valid absolute Unix (e.g., //net/myhost/triggers) path to copy the triggers.\n"},
        {{"triggers", "install", "--location", triggerLocation(), "--admins", "vobadm", root}, 0, vob + ": security triggers installed\n", ""},
        {{"triggers", "status", root}, 0, installed, ""},
        {{"triggers", "status", "--admins", "eve", root}, 0,
         QString(installed).replace(": present\n", ": present, runs other actions than an install would make\n"), ""},
        {{"triggers", "update", root}, 0, vob + ": security triggers updated\n", ""},
        {{"triggers", "remove", root}, 1, "", prefix + "removing the security triggers needs --yes where nobody can answer the question\n"},
        {{"triggers", "remove", "--yes", root}, 0, vob + ": security triggers removed\n", ""},
        {{"triggers", "remove", "--yes", root}, 0, vob + ": no security trigger to remove\n", ""},
        {{"triggers", "update", "--yes", root}, 1, "",
         prefix + "the security triggers are not installed: nothing to update (see zanctl triggers install)\n"},
        // Usage errors end with status 2.
        {{"triggers", "instal", root}, 2, "",
         "zanctl triggers: \"instal\" is no action: status, install, update or remove; did you mean \"install\"?\n"},
        {{"triggers", "status"}, 2, "", "zanctl triggers: no VOB given: VOBROOT... or --all (see zanctl triggers --help)\n"},
        {{"triggers", "status", "--all", root, root}, 2, "", "zanctl triggers: --all takes at most one path, in the view (see zanctl triggers --help)\n"},
        {{"triggers", "install", "--interop", "--no-interop", root}, 2, "", "zanctl triggers: --interop and --no-interop contradict each other\n"},
        {{"triggers", "install", "--no-interop", "--unix-location", "/net/h/t", root}, 2, "",
         "zanctl triggers: --unix-location is for a VOB in interop: drop --no-interop\n"},
    };
    expectSteps(steps);
    EXPECT_EQ(SettingsStore(settings.path()).value("NTLocproj"), "") << "a removal forgets the VOB's setup";
}

// The installation goes nowhere near the VOB until the question is answered yes.
TEST_P(ZanctlTriggers, AnUnreachableLocationIsInstalledOnlyWhenAnsweredYes)
{
    const QString root = rootOf(), vob = tag();
    const QStringList install{"triggers", "install", "--location", "\\\\nohost\\triggers", root};
    const Run refused = zanctl(install);
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.startsWith("zanctl triggers: " + vob + ": this machine cannot reach the trigger location \\\\nohost\\triggers ("))
        << refused.err.toStdString();
    EXPECT_TRUE(refused.err.endsWith("); give --yes to install the triggers anyway\n"));
    const Run declined = zanctl(install, "n\n");
    EXPECT_EQ(declined.status, 1);
    EXPECT_TRUE(declined.err.startsWith("This machine cannot reach the trigger location:\n\\\\nohost\\triggers\n"));
    EXPECT_TRUE(declined.err.endsWith("Install the triggers anyway? [y/N] zanctl triggers: " + vob + ": not confirmed: nothing changed\n"));
    EXPECT_EQ(described(vob), "");

    EXPECT_EQ(zanctl(install, "y\n").status, 0);
    EXPECT_EQ(backend->triggerTypeNames(vob).size(), 2);
    EXPECT_EQ(zanctl({"triggers", "remove", root}, "yes\n").status, 0);
    EXPECT_EQ(zanctl(QStringList(install) << "--yes").status, 0);
}

// The dry run lists the steps of the real run and changes nothing, the removal of the old
// types first when they are there.
TEST_P(ZanctlTriggers, DryRunListsEveryCleartoolLineInOrder)
{
    const QString root = rootOf();
    const auto firstWords = [this](const QStringList &arguments) {
        const Run run = zanctl(arguments);
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        QStringList words;
        for (const QString &line : run.out.split('\n', Qt::SkipEmptyParts))
            words << line.section(' ', 0, 1);
        return words;
    };
    const QStringList install{"triggers", "install", "--dry-run", "--location", triggerLocation(), root};
    EXPECT_EQ(firstWords(install), (QStringList{"mkattype -vtype", "mkattr -replace", "mktrtype -element", "mktrtype -type"}));
    EXPECT_EQ(described(tag()), "");
    ASSERT_EQ(zanctl(QStringList(install).mid(0, 2) + install.mid(3)).status, 0);
    EXPECT_EQ(firstWords(install), (QStringList{"rmtype -ignore", "rmtype -ignore", "mkattr -replace", "mktrtype -element", "mktrtype -type"}));
    EXPECT_EQ(firstWords({"triggers", "remove", "--dry-run", root}), (QStringList{"rmtype -ignore", "rmtype -ignore"}));
    EXPECT_EQ(backend->triggerTypeNames(tag()).size(), 2);
}

// --all reaches every VOB of the site through the view; the UCM project VOB gets the UCM trigger.
TEST_P(ZanctlTriggers, AllCoversEveryVobTheSiteLists)
{
    set(inVob("src/main.c"), "__checkout", "bob");
    set(inVob("bin/tool.pl", SandboxSeed::toolsVob), "__checkin", "eve", SandboxSeed::toolsVob);
    const QString view = unixSite() ? "/view/bob_dev" : "m:\\bob_dev";
    ASSERT_EQ(zanctl({"triggers", "install", "--location", triggerLocation(), rootOf(SandboxSeed::projPvob)}).status, 0);
    EXPECT_EQ(backend->triggerTypeNames(tag(SandboxSeed::projPvob)), QStringList{TriggerCommandLines::ucmTriggerName});

    const Run status = zanctl({"triggers", "status", "--all", "--json", view});
    EXPECT_EQ(status.status, 0) << status.err.toStdString();
    QStringList summary;
    for (const QJsonValue &record : QJsonDocument::fromJson(status.out.toUtf8()).array())
        summary << record["vob"].toString() + (record["types"][2]["present"].toBool() ? " ucm" : "");
    EXPECT_EQ(summary, (QStringList{tag(), tag(SandboxSeed::toolsVob), tag(SandboxSeed::projPvob) + " ucm"}));

    const Run audit = zanctl({"audit", "--all", "--format", "csv", view});
    EXPECT_EQ(audit.status, 0) << audit.err.toStdString();
    EXPECT_EQ(audit.out.count("\r\n"), 3) << audit.out.toStdString(); // the header and one row in each of two VOBs
    const Run outside = zanctl({"audit", "--all", settings.path()});
    EXPECT_EQ(outside.status, 2);
    EXPECT_EQ(outside.err, "zanctl audit: " + settings.path() +
                               " lies in no view: --all reaches the VOBs through a view (give a path in one, or run in one)\n");
}

INSTANTIATE_TEST_SUITE_P(SitesAndBackends, ZanctlTriggers,
                         ::testing::Combine(::testing::Values(SiteStyle::Kind::Windows, SiteStyle::Kind::Unix), ::testing::Bool()),
                         siteAndBackendName);
