// zanctl over a prepared VOB, through both backends: what explain says is what the
// emulator then does, dry runs change nothing, the audit lists exactly what was set, and
// lint finds each kind of finding.
#include "ZanctlFixture.h"

#include "shell/SettingsStore.h"

#include <QJsonDocument>

namespace {

const QString checkout = "checkout";

} // namespace

TEST_P(ZanctlFixture, ExplainAgreesWithWhatTheEmulatorThenDoes)
{
    set(mainC, "__checkout", "bob,carol");
    set(utilC, "__checkout", "NONE");
    set(root + "\\.", "__mklbtype", "bob");
    EXPECT_EQ(zanctl({"explain", "eve", checkout, utilC}).out.section('\n', 0, 0), "allow")
        << "nothing is enforced before the triggers are installed";

    installTriggers("vobadm");
    const struct {
        QString user;
        QStringList command;
    } cases[] = {
        {"bob", {checkout, "-nc", mainC}},    {"Carol", {checkout, "-nc", mainC}},  {"eve", {checkout, "-nc", mainC}},
        {"bob", {checkout, "-nc", utilC}},    {"vobadm", {checkout, "-nc", utilC}}, {"eve", {checkout, "-nc", readme}},
        {"eve", {"mklbtype", "-nc", "REL_9@\\proj"}},
    };
    QList<int> outcomes;
    for (const auto &c : cases) {
        const QString target = c.command.last().startsWith("m:") ? c.command.last() : root;
        const Run explained = zanctl({"explain", c.user, c.command.first(), target});
        const Run done = cleartoolAs(c.user, c.command);
        EXPECT_EQ(explained.status, done.status) << c.user.toStdString() << ' ' << c.command.join(' ').toStdString() << '\n'
                                                 << explained.out.toStdString() << done.err.toStdString();
        EXPECT_TRUE(explained.out.startsWith(explained.status == 0 ? "allow\n" : "deny\n"));
        outcomes << done.status;
    }
    EXPECT_EQ(outcomes, (QList<int>{0, 0, 1, 1, 0, 0, 1}));
}

TEST_P(ZanctlFixture, DryRunsLeaveTheVobByteForByteUnchanged)
{
    set(mainC, "__checkout", "bob,carol");
    set(mainC, AccessAttributeFormat::groupsTypeName, "dev");
    set(readme, "__checkout", "eve,bob");
    const QStringList describe{"describe", "-aattr", "-all", mainC + "@@/main/0", readme + "@@/main/0", utilC + "@@/main/0"};
    const QString before = cleartoolAs("bob", describe).out;

    const Run apply = zanctl({"apply", "--dry-run", "--from", mainC, readme, utilC});
    EXPECT_EQ(apply.status, 0) << apply.err.toStdString();
    EXPECT_TRUE(apply.out.contains(readme + "\n  checkout: gains carol; loses eve\n  groups: new (dev)\n")) << apply.out.toStdString();
    EXPECT_EQ(zanctl({"purge", "--dry-run", "--json", mainC, readme}).status, 0);
    EXPECT_EQ(cleartoolAs("bob", describe).out, before);

    EXPECT_EQ(zanctl({"apply", "--from", mainC, readme}).status, 0);
    EXPECT_EQ(zanctl({"show", readme}).out, readme + "\n  checkout: bob, carol\n  groups: dev\n");
}

// The stored value is written, so a setting that refuses everybody reads NONE. A path below
// the VOB root stands for its VOB, and stderr says so.
TEST_P(ZanctlFixture, AuditCsvListsExactlyTheSettingsOfTheTypicalRequest)
{
    set(mainC, "__checkout", "bob,carol,dave");
    set(mainC, AccessAttributeFormat::groupsTypeName, "dev");
    set(readme, "__checkin", "NONE");
    set(root + "\\.", "__rmtype", "bob");
    const QString csv = "path,operation,value,groups,place\r\nm:\\bob_dev\\proj\\.,rmtype,bob,,root\r\n"
                        "m:\\bob_dev\\proj\\docs\\readme.txt,checkin,NONE,,element\r\n"
                        "m:\\bob_dev\\proj\\src\\main.c,checkout,\"bob,carol,dave\",dev,element\r\n";
    const Run audit = zanctl({"audit", "--format", "csv", root});
    EXPECT_EQ(audit.status, 0) << audit.err.toStdString();
    EXPECT_EQ(audit.out, csv);
    EXPECT_EQ(audit.err, "");
    const Run below = zanctl({"audit", "--format", "csv", root + "\\src"});
    EXPECT_EQ(below.out, csv);
    EXPECT_EQ(below.err, "zanctl audit: " + root + "\\src is not a VOB root: the report covers the whole VOB \\proj (" + root + ")\n");
    EXPECT_EQ(zanctl({"lint", mainC}).err,
              "zanctl lint: " + mainC + " is not a VOB root: the findings cover the whole VOB \\proj (" + root + ")\n");
}

TEST_P(ZanctlFixture, LintFindsEachKindOfFindingAndTheHtmlAuditMarksRefusals)
{
    EXPECT_EQ(zanctl({"lint", root}).status, 0) << "the seeded VOB is clean";
    SettingsStore store(settings.path());
    store.setValue("QXGROUPS", "dev");
    store.setValue("dev", "carol,dave,erin");
    set(mainC, "__checkout", "bob,carol,dave");
    set(mainC, AccessAttributeFormat::groupsTypeName, "dev,gone");
    set(utilC, "__rmelem", "bob");
    set(readme, "__checkin", "NONE");
    EXPECT_TRUE(zanctl({"lint", root}).out.contains(
        "error: \\proj: 3 setting(s) but the security triggers are not installed: none is enforced"));

    installTriggers(QString(), false);
    const Run lint = zanctl({"lint", root});
    EXPECT_EQ(lint.status, 1);
    for (const QString &finding : {
             QStringLiteral("error: \\proj: trigger type _KORVANE_SECURITY1 runs c:\\triggers\\_qx_security_trigger.pl, which is missing"),
             utilC + ": rmelem is privileged, so only the VOB root's setting counts: this one is never enforced",
             readme + ": checkin is refused to everybody (NONE) and no administrator is configured",
             mainC + ": group gone is recorded here but no longer defined",
             mainC + ": group dev changed since it was copied into checkout: erin not listed"})
        EXPECT_TRUE(lint.out.contains(finding)) << finding.toStdString() << "\n" << lint.out.toStdString();
    EXPECT_FALSE(lint.out.contains("not installed"));

    const QString page = QDir(settings.path()).filePath("audit.html");
    ASSERT_EQ(zanctl({"audit", "--format=html", "--output", page, root}).status, 0);
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    EXPECT_EQ(html.count("<table>"), 2); // src and docs
    EXPECT_EQ(html.count("<tr class=\"refused\">"), 1);
    EXPECT_EQ(html.count("<th>path</th><th>operation</th><th>value</th><th>groups</th><th>place</th><th>note</th>"), 2);
    EXPECT_TRUE(html.contains("<td>" + readme + "</td><td>checkin</td><td>NONE</td>"));
    // Each action one item beneath its trigger type.
    EXPECT_TRUE(html.contains("<ul>\n<li>trigger type _KORVANE_SECURITY1: present<ul>\n<li>-exec c:\\triggers\\_qx_security_trigger.pl: "
                              "script MISSING at "))
        << html.toStdString();
    EXPECT_FALSE(html.contains("<link")) << "one self-contained file";
}

TEST_P(ZanctlFixture, UsageErrorsAndFailuresEndWithOneLineAndStatusTwo)
{
    const QList<QStringList> bad = {{}, {"frobnicate"}, {"explain", "eve"}, {"audit", "--format", "xml", root}, {"show", "--bogus", mainC},
                                    {"apply", mainC}, {"show", "c:\\nowhere"}, {"show", root + "\\no\\such.c"}, {"import", settings.path()}};
    for (const QStringList &arguments : bad) {
        const Run run = zanctl(arguments);
        EXPECT_EQ(run.status, 2) << arguments.join(' ').toStdString();
        if (!arguments.isEmpty()) {
            EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
        }
    }
    EXPECT_EQ(zanctl({"lint", "--version"}).out, "zanctl 1.5.6\n");
}

// A path typed with the VOB tag in another case names the VOB as the site lists it.
TEST_P(ZanctlFixture, AVobTagTypedInAnotherCaseIsTheSitesOwn)
{
    set(mainC, "__checkout", "bob");
    EXPECT_EQ(zanctl({"apply", "--from", mainC.toUpper(), readme}).status, 0);
    EXPECT_EQ(zanctl({"explain", "bob", "checkout", readme.toUpper()}).out.section('\n', 0, 0), "allow");
}

// Every command that prints records prints them as one JSON document with --json, the
// writes' results and dry runs included.
TEST_P(ZanctlFixture, JsonOutputOfEveryRecordPrintingCommandParses)
{
    set(mainC, "__checkout", "bob,carol");
    const struct {
        QStringList arguments;
        int status;
        QString compact; // "" when only the parse is checked
    } cases[] = {
        {{"show", mainC}, 0, ""},
        {{"explain", "bob", checkout, mainC}, 0, ""},
        {{"audit", root}, 0, ""},
        {{"lint", root}, 1, ""},
        {{"set", "--dry-run", "--add-user", "dave", mainC, checkout}, 0,
         R"({"dryRun":true,"element":"m:\\bob_dev\\proj\\src\\main.c","operation":"checkout","users":["bob","carol","dave"]})"},
        {{"set", "--users", "eve", utilC, checkout}, 0,
         R"({"dryRun":false,"element":"m:\\bob_dev\\proj\\src\\util.c","operation":"checkout","users":["eve"]})"},
        {{"set", "--remove", utilC, checkout}, 0,
         R"({"dryRun":false,"element":"m:\\bob_dev\\proj\\src\\util.c","operation":"checkout","removed":true})"},
        {{"apply", "--dry-run", "--from", mainC, readme}, 0, ""},
        {{"apply", "--from", mainC, readme, root + "\\src\\nosuch.c"}, 1,
         R"({"failed":[],"missing":["m:\\bob_dev\\proj\\src\\nosuch.c"],"passedOver":0,"written":1})"},
        {{"purge", "--dry-run", mainC}, 0, ""},
        {{"purge", readme, utilC}, 0, R"({"failed":[],"missing":[],"passedOver":1,"purged":1})"},
    };
    for (const auto &c : cases) {
        const Run run = zanctl(QStringList(c.arguments) << "--json");
        EXPECT_EQ(run.status, c.status) << c.arguments.join(' ').toStdString() << '\n' << run.err.toStdString();
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(run.out.toUtf8(), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << c.arguments.join(' ').toStdString() << '\n' << run.out.toStdString();
        if (!c.compact.isEmpty()) {
            EXPECT_EQ(QString::fromUtf8(document.toJson(QJsonDocument::Compact)), c.compact) << c.arguments.join(' ').toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Backends, ZanctlFixture, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool> &backend) {
                             return backend.param ? std::string("Cleartool") : std::string("Sandbox");
                         });

// zanctl learns the site's path style from the backend before it reads a path, so on a UNIX
// site every command takes /view/<tag>/vobs/... paths, whichever command opens the backend.
class ZanctlOnAUnixSite : public ZanctlFixture
{
protected:
    ZanctlOnAUnixSite() : ZanctlFixture(SiteStyle::Kind::Unix) {}
};

TEST_P(ZanctlOnAUnixSite, EveryCommandTakesTheSitesPaths)
{
    const QString root = QStringLiteral("/view/bob_dev/vobs/proj");
    const QString mainC = root + QStringLiteral("/src/main.c"), utilC = root + QStringLiteral("/src/util.c");
    sandbox.store().addAttributeType(QStringLiteral("/vobs/proj"), {QStringLiteral("__checkout"), 8, QString(), {}});
    sandbox.store().attachAttribute(QStringLiteral("/vobs/proj"), QStringLiteral("src/main.c"), QStringLiteral("__checkout"),
                                    QStringLiteral("bob"), QString(), true);
    for (const QStringList &arguments : QList<QStringList>{{"show", mainC}, {"apply", "--from", mainC, utilC},
                                                           {"explain", "bob", "checkout", utilC}, {"audit", root}, {"purge", utilC}}) {
        const Run run = zanctl(arguments);
        EXPECT_EQ(run.status, 0) << arguments.join(' ').toStdString() << "\n" << run.err.toStdString();
    }
    EXPECT_TRUE(sandbox.store().attributes(QStringLiteral("/vobs/proj"), QStringLiteral("src/util.c")).isEmpty());
    EXPECT_EQ(zanctl({"show", "/view/bob_dev/elsewhere/x.c"}).err,
              "zanctl show: \"/view/bob_dev/elsewhere/x.c\" is not a path in a VOB (a view path such as "
              "/view/<view>/vobs/<vob>/dir/file).\n");
    // A shell's completion ends a directory with "/": the VOB root stays the root.
    EXPECT_EQ(zanctl({"show", root + "/"}).out, root + "/.\n  no operation set\n  groups: none\n");
}

INSTANTIATE_TEST_SUITE_P(Backends, ZanctlOnAUnixSite, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool> &backend) {
                             return backend.param ? std::string("Cleartool") : std::string("Sandbox");
                         });
