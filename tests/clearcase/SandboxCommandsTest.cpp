#include "clearcase/sandbox/CommandLine.h"
#include "clearcase/sandbox/SandboxClearCase.h"
#include "clearcase/sandbox/SandboxSeed.h"
#include "clearcase/sandbox/SandboxStore.h"
#include "support/FakePlatform.h"
#include "support/TempSandbox.h"
#include "util/ZanError.h"

#include <gtest/gtest.h>

namespace {

QString errorOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const ZanError &e) {
        return e.description();
    }
    return QStringLiteral("<no error>");
}

// The line the trigger installation issues for the type trigger, blanks as it writes them.
const QString kTypeTriggerLine = QStringLiteral(
    "mktrtype -type -preop MODIFY_TYPE -nusers \"user1\" -attype -all -brtype -all -eltype -all -hltype -all "
    "-lbtype -all -trtype -all -exec \"ccperl \\\\myhost\\triggers\\_qx_security_trigger.pl m user1,user2\"  "
    "-c \"Created by Zan Utility on 12/5/2006 * * DO NOT MODIFY OR DELETE * *\" _KORVANE_SECURITY2@\\proj");

class SandboxCommandsTest : public ::testing::Test
{
protected:
    TempSandbox sandbox;
    FakePlatform platform;
    std::unique_ptr<ClearCase> cc = sandbox.open(platform);
};

} // namespace

TEST(CommandLineSplit, FollowsCleartoolQuoting)
{
    using Style = CommandLine::Style;
    EXPECT_EQ(CommandLine::split(QStringLiteral("  desc   -l\ttrtype:X@\\proj ")),
              (QStringList{QStringLiteral("desc"), QStringLiteral("-l"), QStringLiteral("trtype:X@\\proj")}));
    EXPECT_EQ(CommandLine::split(QStringLiteral("a 'b c' \"d 'e'\" '' x'y z'w")),
              (QStringList{QStringLiteral("a"), QStringLiteral("b c"), QStringLiteral("d 'e'"), QString(), QStringLiteral("xy zw")}));
    EXPECT_EQ(CommandLine::split(QStringLiteral("'M:\\v\\dir x\\a.c' \\\\srv\\s")),
              (QStringList{QStringLiteral("M:\\v\\dir x\\a.c"), QStringLiteral("\\\\srv\\s")}));
    EXPECT_EQ(CommandLine::split(QStringLiteral("'it^'s'")), QStringList{QStringLiteral("it's")});
    EXPECT_EQ(CommandLine::split(QStringLiteral("a\\ b \"say \\\"hi\\\"\""), Style::Unix),
              (QStringList{QStringLiteral("a b"), QStringLiteral("say \"hi\"")}));
    EXPECT_EQ(errorOf([] { CommandLine::split(QStringLiteral("mkattr -c 'open")); }),
              QStringLiteral("cleartool: Error: Unmatched quote in command line."));
}

TEST(CommandLineSplit, QuoteGivesEveryArgumentBack)
{
    for (const QString &argument : {QStringLiteral("plain"), QString(), QStringLiteral("two words"), QStringLiteral("\"bob,ALL\""),
                                    QStringLiteral("o'neil"), QStringLiteral("M:\\v\\dir x\\a.c"), QStringLiteral("*?[]()")}) {
        const QStringList back = CommandLine::split(QStringLiteral("cmd ") + CommandLine::quote(argument));
        ASSERT_EQ(back.size(), 2) << argument.toStdString();
        EXPECT_EQ(back.at(1), argument);
    }
    // Closing quotes that could be read as escaped ones.
    using Style = CommandLine::Style;
    EXPECT_EQ(CommandLine::split(CommandLine::quote(QStringLiteral("ends in ^"))), QStringList{QStringLiteral("ends in ^")});
    EXPECT_EQ(CommandLine::split(CommandLine::quote(QStringLiteral("a\\ b"), Style::Unix), Style::Unix),
              QStringList{QStringLiteral("a\\ b")});
    EXPECT_THROW(CommandLine::quote(QStringLiteral("it's a\\"), CommandLine::Style::Unix), ZanError);
    EXPECT_THROW(CommandLine::quote(QStringLiteral("both ' and \"")), ZanError);
    EXPECT_THROW(CommandLine::quote(QStringLiteral("two\nlines")), ZanError);
}

TEST_F(SandboxCommandsTest, TypeTriggerLineIsDescribedLikeCleartool)
{
    // What it stores is checked on both backends by the contract suite; here its description.
    EXPECT_EQ(cc->runCommand(kTypeTriggerLine), QStringLiteral("Created trigger type \"_KORVANE_SECURITY2\".\n"));
    EXPECT_EQ(sandbox.store().findTriggerType(SandboxSeed::projVob, QStringLiteral("_KORVANE_SECURITY2"))->inclusions.size(), 6);

    const QString described = cc->runCommand(QStringLiteral("desc -l trtype:_KORVANE_SECURITY2@\\proj"));
    const QStringList lines = described.split(QLatin1Char('\n'));
    EXPECT_EQ(lines.first(), QStringLiteral("trigger type \"_KORVANE_SECURITY2\""));
    EXPECT_TRUE(lines.at(1).startsWith(QStringLiteral("  created ")));
    EXPECT_TRUE(lines.at(1).endsWith(QStringLiteral(" by bob")));
    for (const QString &expected : {QStringLiteral("  \"Created by Zan Utility on 12/5/2006 * * DO NOT MODIFY OR DELETE * *\""),
                                    QStringLiteral("  type trigger"), QStringLiteral("  pre-operation MODIFY_TYPE"),
                                    QStringLiteral("  action: -exec \"ccperl \\\\myhost\\triggers\\_qx_security_trigger.pl m user1,user2\""),
                                    QStringLiteral("  excluded users: user1")})
        EXPECT_TRUE(lines.contains(expected)) << expected.toStdString();
    EXPECT_TRUE(described.endsWith(QLatin1Char('\n')));
}

TEST_F(SandboxCommandsTest, InteropLineKeepsBothActionsInOrder)
{
    cc->runCommand(QStringLiteral("mktrtype -type -preop MODIFY_TYPE -attype -all -brtype -all -eltype -all -hltype -all "
                                  "-lbtype -all -trtype -all -execwin \"ccperl \\\\h\\t\\s.pl m \" "
                                  "-execunix \"perl /net/h/t/s.pl m \" -c \"c\" _KORVANE_SECURITY2@\\tools"));
    const QString described = cc->runCommand(QStringLiteral("describe -long trtype:_KORVANE_SECURITY2@\\tools"));
    const int win = described.indexOf(QStringLiteral("  action: -execwin \"ccperl \\\\h\\t\\s.pl m \""));
    const int unix = described.indexOf(QStringLiteral("  action: -execunix \"perl /net/h/t/s.pl m \""));
    EXPECT_GE(win, 0);
    EXPECT_GT(unix, win);
    EXPECT_FALSE(described.contains(QStringLiteral("excluded users")));
}

TEST_F(SandboxCommandsTest, MktrtypeRefusesWhatCleartoolRefuses)
{
    cc->runCommand(kTypeTriggerLine);
    EXPECT_EQ(errorOf([&] { cc->runCommand(kTypeTriggerLine); }),
              QStringLiteral("cleartool: Error: Name \"_KORVANE_SECURITY2\" already exists.\n"
                             "cleartool: Error: Unable to create trigger type \"_KORVANE_SECURITY2\"."));
    QString replacing = kTypeTriggerLine;
    replacing.replace(QStringLiteral("-nusers \"user1\""), QStringLiteral("-replace"));
    cc->runCommand(replacing);
    EXPECT_TRUE(sandbox.store().findTriggerType(SandboxSeed::projVob, QStringLiteral("_KORVANE_SECURITY2"))->exemptUsers.isEmpty());

    const QString base = QStringLiteral("mktrtype -type -preop MODIFY_TYPE -attype -all -exec x -nc ");
    const QStringList refused = {
        QStringLiteral("mktrtype -type -preop MODIFY_TYPE -attype -all -nc T@\\proj"),             // no action
        QStringLiteral("mktrtype -type -preop MODIFY_TYPE -exec x -nc T@\\proj"),                  // no inclusion list
        QStringLiteral("mktrtype -type -preop MODIFY_NOTHING -attype -all -exec x -nc T@\\proj"),  // unknown kind
        QStringLiteral("mktrtype -type -attype -all -exec x -nc T@\\proj"),                        // no firing
        QStringLiteral("mktrtype -type -preop MODIFY_TYPE -attype -all -exec"),                    // option without value
        base + QStringLiteral("T"),                                                                // no VOB
        base + QStringLiteral("T@\\novob"),
        base + QStringLiteral("-bogus T@\\proj")};
    for (const QString &line : refused) {
        const QString error = errorOf([&] { cc->runCommand(line); });
        EXPECT_TRUE(error.startsWith(QStringLiteral("cleartool: Error: "))) << line.toStdString() << " -> " << error.toStdString();
    }
    EXPECT_EQ(cc->triggerTypeNames(SandboxSeed::projVob), QStringList{QStringLiteral("_KORVANE_SECURITY2")});
}

TEST_F(SandboxCommandsTest, UnknownCommandsAndObjectsFailLikeCleartool)
{
    EXPECT_EQ(errorOf([&] { cc->runCommand(QStringLiteral("frobnicate -all")); }),
              QStringLiteral("cleartool: Error: Unrecognized command: \"frobnicate\""));
    EXPECT_EQ(errorOf([&] { cc->runCommand(QStringLiteral("desc -l trtype:_KORVANE_SECURITY1@\\proj")); }),
              QStringLiteral("cleartool: Error: Trigger type not found: \"_KORVANE_SECURITY1\"."));
    EXPECT_EQ(errorOf([&] { cc->runCommand(QStringLiteral("des -l trtype:X@\\proj")); }),
              QStringLiteral("cleartool: Error: Unrecognized command: \"des\""));
    EXPECT_EQ(cc->runCommand(QStringLiteral("   ")), QString());
}
