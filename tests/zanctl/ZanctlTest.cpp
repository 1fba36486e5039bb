// zanctl over a prepared VOB, through both backends: what explain says is what the
// emulator then does, dry runs change nothing, the audit lists exactly what was set, and
// lint finds each kind of finding.
#include "ZanctlFixture.h"

#include "shell/SettingsStore.h"

namespace {

const QString checkout = QStringLiteral("checkout");

} // namespace

TEST_P(ZanctlFixture, ExplainAgreesWithWhatTheEmulatorThenDoes)
{
    set(mainC, QStringLiteral("__checkout"), QStringLiteral("bob,carol"));
    set(utilC, QStringLiteral("__checkout"), QStringLiteral("NONE"));
    set(root + QStringLiteral("\\."), QStringLiteral("__mklbtype"), QStringLiteral("bob"));
    EXPECT_EQ(zanctl({QStringLiteral("explain"), QStringLiteral("eve"), checkout, utilC}).out.section(QLatin1Char('\n'), 0, 0),
              QStringLiteral("allow")) << "nothing is enforced before the triggers are installed";

    installTriggers(QStringLiteral("vobadm"));
    struct Case {
        QString user, operation;
        QStringList command;
    };
    const QList<Case> cases = {
        {QStringLiteral("bob"), checkout, {checkout, QStringLiteral("-nc"), mainC}},
        {QStringLiteral("Carol"), checkout, {checkout, QStringLiteral("-nc"), mainC}},
        {QStringLiteral("eve"), checkout, {checkout, QStringLiteral("-nc"), mainC}},
        {QStringLiteral("bob"), checkout, {checkout, QStringLiteral("-nc"), utilC}},
        {QStringLiteral("vobadm"), checkout, {checkout, QStringLiteral("-nc"), utilC}},
        {QStringLiteral("eve"), checkout, {checkout, QStringLiteral("-nc"), readme}},
        {QStringLiteral("eve"), QStringLiteral("mklbtype"), {QStringLiteral("mklbtype"), QStringLiteral("-nc"), QStringLiteral("REL_9@\\proj")}},
    };
    QList<int> outcomes;
    for (const Case &c : cases) {
        const Run explained = zanctl({QStringLiteral("explain"), c.user, c.operation, c.command.last().startsWith(QLatin1String("m:")) ? c.command.last() : root});
        const Run done = cleartoolAs(c.user, c.command);
        EXPECT_EQ(explained.status, done.status) << c.user.toStdString() << ' ' << c.command.join(' ').toStdString() << '\n'
                                                 << explained.out.toStdString() << done.err.toStdString();
        EXPECT_TRUE(explained.out.startsWith(explained.status == 0 ? QStringLiteral("allow\n") : QStringLiteral("deny\n")));
        outcomes << done.status;
    }
    EXPECT_EQ(outcomes, (QList<int>{0, 0, 1, 1, 0, 0, 1}));
}

TEST_P(ZanctlFixture, DryRunsLeaveTheVobByteForByteUnchanged)
{
    set(mainC, QStringLiteral("__checkout"), QStringLiteral("bob,carol"));
    set(mainC, AccessAttributeFormat::groupsTypeName, QStringLiteral("dev"));
    set(readme, QStringLiteral("__checkout"), QStringLiteral("eve,bob"));
    const QStringList describe{QStringLiteral("describe"), QStringLiteral("-aattr"), QStringLiteral("-all"), mainC + QStringLiteral("@@/main/0"),
                               readme + QStringLiteral("@@/main/0"), utilC + QStringLiteral("@@/main/0")};
    const QString before = cleartoolAs(QStringLiteral("bob"), describe).out;

    const Run apply = zanctl({QStringLiteral("apply"), QStringLiteral("--dry-run"), QStringLiteral("--from"), mainC, readme, utilC});
    EXPECT_EQ(apply.status, 0) << apply.err.toStdString();
    EXPECT_TRUE(apply.out.contains(readme + QStringLiteral("\n  checkout: gains carol; loses eve\n  groups: new (dev)\n"))) << apply.out.toStdString();
    EXPECT_EQ(zanctl({QStringLiteral("purge"), QStringLiteral("--dry-run"), QStringLiteral("--json"), mainC, readme}).status, 0);
    EXPECT_EQ(cleartoolAs(QStringLiteral("bob"), describe).out, before);

    EXPECT_EQ(zanctl({QStringLiteral("apply"), QStringLiteral("--from"), mainC, readme}).status, 0);
    EXPECT_EQ(zanctl({QStringLiteral("show"), readme}).out, readme + QStringLiteral("\n  checkout: bob, carol\n  groups: dev\n"));
}

TEST_P(ZanctlFixture, AuditCsvListsExactlyTheSettingsOfTheTypicalRequest)
{
    set(mainC, QStringLiteral("__checkout"), QStringLiteral("bob,carol,dave"));
    set(mainC, AccessAttributeFormat::groupsTypeName, QStringLiteral("dev"));
    set(root + QStringLiteral("\\."), QStringLiteral("__rmtype"), QStringLiteral("bob"));
    const Run audit = zanctl({QStringLiteral("audit"), QStringLiteral("--format"), QStringLiteral("csv"), root});
    EXPECT_EQ(audit.status, 0) << audit.err.toStdString();
    EXPECT_EQ(audit.out, QStringLiteral("path,operation,users,groups,place\r\n"
                                        "m:\\bob_dev\\proj\\.,rmtype,bob,,root\r\n"
                                        "m:\\bob_dev\\proj\\src\\main.c,checkout,\"bob,carol,dave\",dev,element\r\n"));
}

TEST_P(ZanctlFixture, LintFindsEachKindOfFindingAndTheHtmlAuditMarksRefusals)
{
    EXPECT_EQ(zanctl({QStringLiteral("lint"), root}).status, 0) << "the seeded VOB is clean";
    SettingsStore store(settings.path());
    store.setValue(QStringLiteral("QXGROUPS"), QStringLiteral("dev"));
    store.setValue(QStringLiteral("dev"), QStringLiteral("carol,dave,erin"));
    set(mainC, QStringLiteral("__checkout"), QStringLiteral("bob,carol,dave"));
    set(mainC, AccessAttributeFormat::groupsTypeName, QStringLiteral("dev,gone"));
    set(utilC, QStringLiteral("__rmelem"), QStringLiteral("bob"));
    set(readme, QStringLiteral("__checkin"), QStringLiteral("NONE"));
    EXPECT_TRUE(zanctl({QStringLiteral("lint"), root}).out.contains(
        QStringLiteral("error: \\proj: 3 setting(s) but the security triggers are not installed: none is enforced")));

    installTriggers(QString(), false);
    const Run lint = zanctl({QStringLiteral("lint"), root});
    EXPECT_EQ(lint.status, 1);
    for (const QString &finding : {
             QStringLiteral("error: \\proj: trigger type _KORVANE_SECURITY1 runs c:\\triggers\\_qx_security_trigger.pl, which is missing"),
             utilC + QStringLiteral(": rmelem is privileged, so only the VOB root's setting counts: this one is never enforced"),
             readme + QStringLiteral(": checkin is refused to everybody (NONE) and no administrator is configured"),
             mainC + QStringLiteral(": group gone is recorded here but no longer defined"),
             mainC + QStringLiteral(": group dev changed since it was copied into checkout: erin not listed")})
        EXPECT_TRUE(lint.out.contains(finding)) << finding.toStdString() << "\n" << lint.out.toStdString();
    EXPECT_FALSE(lint.out.contains(QStringLiteral("not installed")));

    const QString page = QDir(settings.path()).filePath(QStringLiteral("audit.html"));
    ASSERT_EQ(zanctl({QStringLiteral("audit"), QStringLiteral("--format=html"), QStringLiteral("--output"), page, root}).status, 0);
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    EXPECT_EQ(html.count(QStringLiteral("<table>")), 2); // src and docs
    EXPECT_EQ(html.count(QStringLiteral("<tr class=\"refused\">")), 1);
    EXPECT_FALSE(html.contains(QStringLiteral("<link"))) << "one self-contained file";
}

TEST_P(ZanctlFixture, UsageErrorsAndFailuresEndWithOneLineAndStatusTwo)
{
    const QList<QStringList> bad = {{},
                                    {QStringLiteral("frobnicate")},
                                    {QStringLiteral("explain"), QStringLiteral("eve")},
                                    {QStringLiteral("audit"), QStringLiteral("--format"), QStringLiteral("xml"), root},
                                    {QStringLiteral("show"), QStringLiteral("--bogus"), mainC},
                                    {QStringLiteral("apply"), mainC},
                                    {QStringLiteral("show"), QStringLiteral("c:\\nowhere")},
                                    {QStringLiteral("show"), root + QStringLiteral("\\no\\such.c")},
                                    {QStringLiteral("import"), settings.path()}};
    for (const QStringList &arguments : bad) {
        const Run run = zanctl(arguments);
        EXPECT_EQ(run.status, 2) << arguments.join(' ').toStdString();
        if (!arguments.isEmpty()) {
            EXPECT_EQ(run.err.count(QLatin1Char('\n')), 1) << run.err.toStdString();
        }
    }
    EXPECT_EQ(zanctl({QStringLiteral("lint"), QStringLiteral("--version")}).out, QStringLiteral("zanctl 1.5.6\n"));
}

TEST_P(ZanctlFixture, ExportAndImportTheConfigurationFile)
{
    SettingsStore(settings.path()).setValue(QStringLiteral("PrivOper"), QStringLiteral("rmelem,checkout"));
    const QString file = QDir(settings.path()).filePath(QStringLiteral("zan_config.txt"));
    ASSERT_EQ(zanctl({QStringLiteral("export"), file}).status, 0);
    SettingsStore(settings.path()).setValue(QStringLiteral("PrivOper"), QStringLiteral("changed"));
    ASSERT_EQ(zanctl({QStringLiteral("import"), file}).status, 0);
    EXPECT_EQ(SettingsStore(settings.path()).value(QStringLiteral("PrivOper")), QStringLiteral("rmelem,checkout"));
}

INSTANTIATE_TEST_SUITE_P(Backends, ZanctlFixture, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool> &backend) {
                             return backend.param ? std::string("Cleartool") : std::string("Sandbox");
                         });
