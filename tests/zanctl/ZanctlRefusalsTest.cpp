// zanctl refusals lists what the installed security trigger refused, as the script recorded it
// beside itself: found from the VOB's trigger types, narrowed by user, VOB and date, on either
// site style over either backend (the refusals themselves come from cleartool-sim as eve).
#include "ZanctlFixture.h"

#include "clearcase/SiteStyle.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

class ZanctlRefusals : public ZanctlSites
{
protected:
    QString logFolder() const { return QDir(sandbox.folder()).filePath(QStringLiteral("drives/c/triggers/log")); }
    // The CSV rows without the header, each without its time and host.
    static QStringList rowsOf(const QString &csv)
    {
        QStringList rows = csv.split('\n', Qt::SkipEmptyParts).mid(1);
        for (QString &row : rows)
            row = row.section(',', 2);
        return rows;
    }
};

TEST_P(ZanctlRefusals, ListsWhatTheInstalledTriggerRefusedAndWhatEachOptionKeeps)
{
    const QString mainC = inVob("src/main.c");
    const QString vob = SandboxSeed::vobTag(SandboxSeed::projVob, kind);
    const Step notInstalled[] = {{{"refusals"}, 2, "",
                                  "zanctl refusals: no trigger location is recorded for any VOB of the site: install the security "
                                  "triggers, or give --log DIR\n"}};
    expectSteps(notInstalled);
    set(mainC, "__checkout", "bob");
    installTriggers("vobadm");

    ASSERT_NE(cleartoolAs("eve", {"checkout", "-nc", mainC}).status, 0);
    const Step noFolder[] = {{{"refusals"}, 0, "no recorded refusal\n",
                              "zanctl refusals: no log folder at " + logFolder() +
                                  ": nothing is recorded there until an administrator creates it\n"}};
    expectSteps(noFolder);

    ASSERT_TRUE(QDir().mkpath(logFolder()));
    const Run eve = cleartoolAs("eve", {"checkout", "-nc", mainC});
    ASSERT_NE(eve.status, 0);
    ASSERT_NE(cleartoolAs("Dave", {"checkout", "-nc", mainC}).status, 0);
    ASSERT_EQ(cleartoolAs("bob", {"checkout", "-nc", mainC}).status, 0) << "an allowed checkout records nothing";

    const Run all = zanctl({"refusals", "--format", "csv"});
    ASSERT_EQ(all.status, 0) << all.err.toStdString();
    const QStringList rows = rowsOf(all.out);
    ASSERT_EQ(rows.size(), 2) << all.out.toStdString();
    EXPECT_EQ(rows.first().section(',', 0, 4), "eve,checkout," + mainC + "," + vob + ",__checkout") << all.out.toStdString();
    EXPECT_TRUE(rows.last().startsWith("Dave,checkout,"));
    EXPECT_TRUE(all.out.startsWith("time,host,user,operation,path,vob,setting,reason\n"));

    const auto only = [&](const QStringList &options) {
        const Run run = zanctl(QStringList{"refusals", "--format", "csv"} + options);
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        QStringList users;
        for (const QString &row : rowsOf(run.out))
            users << row.section(',', 0, 0);
        return users;
    };
    EXPECT_EQ(only({"--user", "DAVE"}), QStringList{"Dave"});
    EXPECT_EQ(only({"--user", "bob"}), QStringList());
    EXPECT_EQ(only({"--vob", vob}), QStringList({"eve", "Dave"}));
    EXPECT_EQ(only({"--since", "2999-01-01"}), QStringList());
    EXPECT_EQ(only({"--since", "2000-01-01T00:00", "--log", logFolder()}), QStringList({"eve", "Dave"}));
    if (!unixSite()) {
        EXPECT_EQ(only({"--vob", "\\PROJ"}), QStringList({"eve", "Dave"})) << "a Windows tag in any case";
    }
    const QJsonArray json = QJsonDocument::fromJson(zanctl({"refusals", "--json", "--user", "eve"}).out.toUtf8()).array();
    ASSERT_EQ(json.size(), 1);
    EXPECT_EQ(json[0]["setting"].toString(), "__checkout");
    EXPECT_EQ(eve.err.section('\n', 0, 0), "Zan Utility: " + json[0]["reason"].toString()) << "the reason eve was shown";

    const QString nosuch = unixSite() ? "/vobs/nosuch" : "\\nosuch";
    const Step refused[] = {
        {{"refusals", "--format", "xml"}, 2, "", "zanctl refusals: unknown format \"xml\" (text, csv or json)\n"},
        {{"refusals", "--since", "May"}, 2, "", "zanctl refusals: \"May\" is not a date: give YYYY-MM-DD or YYYY-MM-DDThh:mm[:ss]\n"},
        {{"refusals", "--vob", nosuch}, 2, "", "zanctl refusals: \"" + nosuch + "\" is not a VOB tag of the site\n"},
        {{"refusals", "--log", logFolder() + "/nosuch"}, 2, "", "zanctl refusals: " + logFolder() + "/nosuch is not a folder\n"},
        {{"refusals", "extra"}, 2, "", "zanctl refusals: usage: zanctl refusals [options] (see zanctl refusals --help)\n"},
    };
    expectSteps(refused);

    // A line that is no record makes the listing incomplete: printed, said so, status 2.
    QFile log(QDir(logFolder()).entryInfoList({"refusals-*.log"}, QDir::Files).value(0).filePath());
    ASSERT_TRUE(log.open(QIODevice::Append));
    log.write("torn\n");
    log.close();
    const Run torn = zanctl({"refusals", "--user", "eve"});
    EXPECT_EQ(torn.status, 2);
    EXPECT_EQ(torn.out.count('\n'), 2) << torn.out.toStdString();
    EXPECT_EQ(torn.err, "zanctl refusals: " + log.fileName() + ": 1 line is no refusal record, skipped\n");
}

INSTANTIATE_TEST_SUITE_P(SitesAndBackends, ZanctlRefusals,
                         ::testing::Combine(::testing::Values(SiteStyle::Kind::Windows, SiteStyle::Kind::Unix), ::testing::Bool()),
                         siteAndBackendName);
