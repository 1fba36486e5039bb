// zanctl over a prepared VOB, through both backends: the audit lists exactly what was set,
// lint finds each kind of finding, and every record-printing command speaks JSON.
#include "ZanctlFixture.h"

#include "shell/SettingsStore.h"

#include <QJsonDocument>

namespace {

const QString checkout = "checkout";

} // namespace

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
        {{"purge", "--dry-run", mainC, root + "\\src\\nosuch.c"}, 1,
         R"({"base":"","kind":"purge","missing":["m:\\bob_dev\\proj\\src\\nosuch.c"],"skipped":["m:\\bob_dev\\proj\\src\\nosuch.c"],)"
         R"("targets":[{"changes":[{"after":null,"before":"bob,carol","gained":[],"lost":["bob","carol"],"setting":"checkout"}],)"
         R"("target":"m:\\bob_dev\\proj\\src\\main.c"}]})"},
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

INSTANTIATE_TEST_SUITE_P(Backends, ZanctlFixture, ::testing::Bool(), backendName);

// zanctl learns the site's path style from the backend before it reads a path, so on a UNIX
// site every command takes /view/<tag>/vobs/... paths, whichever command opens the backend;
// relative paths start from the view folder, versions keep their slashes and globs keep case.
using ZanctlOnAUnixSite = ZanctlSites;

TEST_P(ZanctlOnAUnixSite, EveryCommandTakesTheSitesPaths)
{
    const QString root = QStringLiteral("/view/bob_dev/vobs/proj"), src = inVob("src");
    const QString mainC = inVob("src/main.c"), utilC = inVob("src/util.c");
    set(mainC, "__checkout", "bob");
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

    currentFolder = platform.hostPath(inVob("docs"));
    EXPECT_EQ(zanctl({"show", "../src/main.c"}).out, mainC + "\n  checkout: bob\n  groups: none\n");
    EXPECT_TRUE(zanctl({"explain", "eve", "checkout", "../src/main.c"}).out.contains("  __checkout on " + mainC + "@@/main/0 = \"bob\""));

    EXPECT_EQ(zanctl({"purge", "--under", src, "--match", "SRC/*.c"}).err,
              "zanctl purge: no element at or below " + src + " matches \"SRC/*.c\"\n");
    const Run run = zanctl({"purge", "--dry-run", "--under", src, "--match", "src/include/*"});
    EXPECT_EQ(run.out, src + "/include/util.h: no change\n0 of 1 target(s) would change\n") << run.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Backends, ZanctlOnAUnixSite, ::testing::Combine(::testing::Values(SiteStyle::Kind::Unix), ::testing::Bool()),
                         siteAndBackendName);
