// The refusal log read back: lines parsed, filtered and put in time order across months and
// folders, what keeps a listing from being complete said so, the three report forms, and the
// Tools menu showing the selected VOB's refusals in the Detail window.
#include "TriggerTabFixture.h"

#include "access/AccessToolsController.h"
#include "shell/DetailWindow.h"
#include "triggers/RefusalLog.h"
#include "triggers/RefusalReport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPlainTextEdit>
#include <sys/stat.h>

namespace {

const QString eveLine = QStringLiteral("2026-11-30T23:59:59Z\tdesk7\teve\tcheckout\tm:\\bob_dev\\proj\\src\\main.c\t\\proj\t__checkout\t"
                                       "Zan Utility: eve may not checkout main.c");

void writeLog(const QString &folder, const QString &month, const QByteArray &content)
{
    writeFile(QDir(folder).filePath(QStringLiteral("refusals-%1.log").arg(month)), content);
}

QStringList usersOf(const RefusalLog::Reading &reading)
{
    QStringList users;
    for (const RefusalLog::Refusal &refusal : reading.refusals)
        users << refusal.user;
    return users;
}

} // namespace

TEST(RefusalLog, ALineIsARecordOnlyWithEightFieldsAndAUtcTime)
{
    RefusalLog::Refusal refusal;
    ASSERT_TRUE(RefusalLog::parseLine(eveLine, refusal));
    EXPECT_EQ(refusal.time, QDateTime(QDate(2026, 11, 30), QTime(23, 59, 59), Qt::UTC));
    EXPECT_EQ(QStringList({refusal.host, refusal.user, refusal.operation, refusal.path, refusal.vobTag, refusal.setting, refusal.reason}),
              QStringList({"desk7", "eve", "checkout", "m:\\bob_dev\\proj\\src\\main.c", "\\proj", "__checkout",
                           "Zan Utility: eve may not checkout main.c"}));
    ASSERT_TRUE(RefusalLog::parseLine(eveLine + "\twith a tab", refusal));
    EXPECT_EQ(refusal.reason, "Zan Utility: eve may not checkout main.c\twith a tab");
    for (const QString &notARecord : {eveLine.section('\t', 0, 6), QString(eveLine).replace("59:59Z", "59:59"),
                                      QString(eveLine).replace("2026-11-30", "yesterday"), QString()})
        EXPECT_FALSE(RefusalLog::parseLine(notARecord, refusal)) << notARecord.toStdString();
}

TEST(RefusalLog, ReadsEveryMonthOfEveryFolderInTimeOrderAndKeepsWhatTheFilterAsks)
{
    QTemporaryDir root;
    const QString windows = root.filePath("win/log"), unix = root.filePath("unix/log");
    const auto line = [](const char *time, const char *user, const char *vob) {
        return QStringLiteral("%1\thost\t%2\tcheckout\t/p\t%3\t__checkout\tno\n").arg(time, user, vob).toUtf8();
    };
    writeLog(windows, "2026-11", line("2026-11-03T10:00:00Z", "eve", "\\proj") + line("2026-11-20T10:00:00Z", "Carol", "\\PROJ"));
    writeLog(windows, "2026-12", line("2026-12-01T08:00:00Z", "eve", "\\tools") + "torn half a li");
    writeLog(unix, "2026-11", line("2026-11-10T10:00:00Z", "dave", "\\proj") + "torn\n");
    writeLog(unix, "notes", "a file of another name is left alone\n");

    const SiteStyle windowsSite;
    const QStringList folders{windows, unix};
    const RefusalLog::Reading all = RefusalLog::read(folders, {}, windowsSite);
    EXPECT_EQ(usersOf(all), QStringList({"eve", "dave", "Carol", "eve"}));
    const QString tornLine = QStringLiteral(": 1 line is no refusal record, skipped");
    EXPECT_EQ(all.problems, QStringList({QDir::toNativeSeparators(windows + "/refusals-2026-12.log") + tornLine,
                                         QDir::toNativeSeparators(unix + "/refusals-2026-11.log") + tornLine}));
    EXPECT_TRUE(all.notes.isEmpty());

    const struct {
        const char *what;
        RefusalLog::Filter filter;
        SiteStyle site;
        QStringList users;
    } cases[] = {
        {"since a time in the month", {QDateTime(QDate(2026, 11, 15), QTime(0, 0), Qt::UTC), {}, {}}, windowsSite, {"Carol", "eve"}},
        {"since a later month: earlier files are not read", {QDateTime(QDate(2026, 12, 1), QTime(0, 0), Qt::UTC), {}, {}}, windowsSite, {"eve"}},
        {"a user in any case", {{}, "CAROL", {}}, windowsSite, {"Carol"}},
        {"a Windows VOB tag in any case", {{}, {}, "\\proj"}, windowsSite, {"eve", "dave", "Carol"}},
        {"a UNIX VOB tag in its own case", {{}, {}, "\\proj"}, SiteStyle(SiteStyle::Kind::Unix), {"eve", "dave"}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(usersOf(RefusalLog::read(folders, c.filter, c.site)), c.users) << c.what;
    EXPECT_EQ(RefusalLog::read(folders, cases[1].filter, windowsSite).problems.size(), 1) << "November's files are not read";
}

TEST(RefusalLog, AFolderNotCreatedIsANoteAndAFileThatCannotBeReadAProblem)
{
    QTemporaryDir root;
    const QString folder = root.filePath("log");
    writeLog(folder, "2026-10", eveLine.toUtf8() + "\n");
    ASSERT_EQ(mkfifo(QFile::encodeName(QDir(folder).filePath("refusals-2026-11.log")).constData(), 0600), 0);
    ASSERT_TRUE(QDir(folder).mkdir("refusals-2026-12.log"));

    const RefusalLog::Reading reading = RefusalLog::read({root.filePath("absent"), folder}, {}, SiteStyle());
    EXPECT_EQ(usersOf(reading), QStringList{"eve"}) << "what can be read is listed";
    EXPECT_EQ(reading.notes, QStringList{"no log folder at " + QDir::toNativeSeparators(root.filePath("absent")) +
                                         ": nothing is recorded there until an administrator creates it"});
    ASSERT_EQ(reading.problems.size(), 1) << "a FIFO is reported, never waited on; a folder of a log's name is no file";
    EXPECT_TRUE(reading.problems.first().startsWith(QDir::toNativeSeparators(QDir(folder).filePath("refusals-2026-11.log")) +
                                                    " cannot be read: "))
        << reading.problems.first().toStdString();
}

TEST(RefusalReport, TextAlignsColumnsCsvQuotesAndJsonNamesEveryField)
{
    RefusalLog::Refusal eve, bare;
    ASSERT_TRUE(RefusalLog::parseLine(eveLine, eve));
    ASSERT_TRUE(RefusalLog::parseLine("2026-12-01T00:00:00Z\th\tbob\tlock\t/p, q\t/vobs/p\t\tthe \"environment\" is wanting", bare));
    EXPECT_EQ(RefusalReport::render({}, ReportFormat::Text), "no recorded refusal\n");

    const QStringList text = RefusalReport::render({eve, bare}, ReportFormat::Text).split('\n');
    ASSERT_EQ(text.size(), 4);
    EXPECT_TRUE(text[0].startsWith("time                 host   user  operation  path")) << text[0].toStdString();
    EXPECT_TRUE(text[0].endsWith("setting     reason"));
    EXPECT_TRUE(text[1].startsWith(eve.time.toLocalTime().toString("yyyy-MM-dd hh:mm:ss") + "  desk7  eve   checkout "));
    EXPECT_TRUE(text[2].contains("  /vobs/p  -           the \"environment\" is wanting")) << "no setting shows as -";

    EXPECT_EQ(RefusalReport::render({bare}, ReportFormat::Csv),
              "time,host,user,operation,path,vob,setting,reason\n"
              "2026-12-01T00:00:00Z,h,bob,lock,\"/p, q\",/vobs/p,,\"the \"\"environment\"\" is wanting\"\n");
    const QJsonArray json = QJsonDocument::fromJson(RefusalReport::render({eve}, ReportFormat::Json).toUtf8()).array();
    ASSERT_EQ(json.size(), 1);
    EXPECT_EQ(json[0].toObject().keys(), QStringList({"host", "operation", "path", "reason", "setting", "time", "user", "vob"}));
    EXPECT_EQ(json[0]["time"].toString(), "2026-11-30T23:59:59Z");
    EXPECT_EQ(json[0]["vob"].toString(), "\\proj");
}

// Tools > "Refused operations…" over the window's backend and site: the selected VOB's log,
// found beside the script its installed trigger type runs.
class RefusedOperationsMenu : public TriggerTabFixture
{
protected:
    void choose() { chooseMenuItem(form().menuBar(), form().tools, form().refusedOperations); }
};

TEST_F(RefusedOperationsMenu, ShowsTheSelectedVobsRefusalsInTheDetailWindow)
{
    selectVob(QString(), QString());
    const QString vobFirst = "Select a VOB in the tree first: the list covers the selected VOB.";
    const std::vector<MessageCase> messages{
        {"no VOB selected", [&] { choose(); }, vobFirst, AccessToolsController::refusalsTitle, Prompter::Icon::Exclamation},
        {"no triggers installed",
         [&] {
             selectVob(vobTag, vobRoot);
             choose();
         },
         "No trigger location is recorded for " + vobTag + ": refusals are recorded once the security triggers are installed.",
         AccessToolsController::refusalsTitle, Prompter::Icon::Exclamation},
    };
    expectMessages(prompter, messages);

    makeElementTrigger();
    const QString log = QDir(hostFolder(siteLocation())).filePath("log");
    const QString otherVob = QString(eveLine).replace("\\proj", tagOf("\\tools"));
    writeLog(log, "2026-11", QString(eveLine).replace("\t\\proj\t", "\t" + vobTag + "\t").toUtf8() + "\n" + otherVob.toUtf8() + "\nnot a record\n");
    prompter.clear();
    choose();
    ASSERT_EQ(prompter.count(), 0) << prompter.last().text.toStdString();
    EXPECT_EQ(ctx().detail.windowTitle(), "Detail: Refused operations in: " + vobTag);
    const QString shown = ctx().detail.mainTxt->toPlainText().remove('\r');
    RefusalLog::Refusal eve;
    ASSERT_TRUE(RefusalLog::parseLine(QString(eveLine).replace("\t\\proj\t", "\t" + vobTag + "\t"), eve));
    EXPECT_EQ(shown, RefusalReport::render({eve}, ReportFormat::Text) + "\nIncomplete: " + QDir::toNativeSeparators(log) +
                         "/refusals-2026-11.log: 1 line is no refusal record, skipped");
}
