#include "support/QtPrinters.h"
#include "triggers/TriggerCommandLines.h"
#include "triggers/TriggerPaths.h"

#include <gtest/gtest.h>

namespace {

TriggerCommandLines::Inputs exampleInputs()
{
    TriggerCommandLines::Inputs in;
    in.windowsLocation = QStringLiteral("\\\\myhost\\triggers");
    in.unixLocation = QStringLiteral("/net/myhost/triggers");
    in.adminUsersText = QStringLiteral("user1,user2");
    in.viewDrive = QStringLiteral("m");
    in.exemptUser = QStringLiteral("user1");
    in.date = QStringLiteral("12/5/2006");
    return in;
}

} // namespace

TEST(TriggerCommandLines, TypeTriggerLineMatchesTheDocumentedExampleCharacterForCharacter)
{
    const TriggerCommandLines lines(exampleInputs());
    EXPECT_EQ(lines.typeTriggerCommand(QStringLiteral("\\proj")),
              QStringLiteral("mktrtype -type -preop MODIFY_TYPE -nusers \"user1\" -attype -all -brtype -all -eltype -all "
                             "-hltype -all -lbtype -all -trtype -all -exec \"ccperl \\\\myhost\\triggers\\_qx_security_trigger.pl "
                             "m user1,user2\"  -c \"Created by Zan Utility on 12/5/2006 * * DO NOT MODIFY OR DELETE * *\" "
                             "_KORVANE_SECURITY2@\\proj"));
}

TEST(TriggerCommandLines, CommandsTakeTheTypedInputsAsTheScriptExpectsThem)
{
    auto in = exampleInputs();
    in.adminUsersText = QStringLiteral("<admin_users_list>");
    in.viewDrive.clear();
    const TriggerCommandLines placeholder(in);
    EXPECT_EQ(placeholder.windowsCommand(), QStringLiteral("ccperl \\\\myhost\\triggers\\_qx_security_trigger.pl m "));
    EXPECT_EQ(placeholder.unixCommand(), QStringLiteral("perl /net/myhost/triggers/_qx_security_trigger.pl m "));

    in.adminUsersText = QStringLiteral("user1, user2");
    in.viewDrive = QStringLiteral("x");
    EXPECT_EQ(TriggerCommandLines(in).windowsCommand(),
              QStringLiteral("ccperl \\\\myhost\\triggers\\_qx_security_trigger.pl x user1,user2"));

    in.exemptUser.clear();
    const TriggerCommandLines unexempted(in);
    EXPECT_TRUE(unexempted.typeTriggerCommand(QStringLiteral("\\proj"))
                    .startsWith(QStringLiteral("mktrtype -type -preop MODIFY_TYPE -attype -all")));
    EXPECT_TRUE(unexempted.elementTrigger().exemptUsers.isEmpty());
    EXPECT_TRUE(unexempted.ucmTrigger().exemptUsers.isEmpty());
}

TEST(TriggerCommandLines, InteropGivesWindowsThenUnixActions)
{
    auto in = exampleInputs();
    in.interop = true;
    const TriggerCommandLines lines(in);
    const QString line = lines.typeTriggerCommand(QStringLiteral("\\proj"));
    EXPECT_TRUE(line.contains(QStringLiteral(
        "-execwin \"ccperl \\\\myhost\\triggers\\_qx_security_trigger.pl m user1,user2\" "
        "-execunix \"perl /net/myhost/triggers/_qx_security_trigger.pl m user1,user2\"  -c ")))
        << line.toStdString();
    EXPECT_FALSE(line.contains(QStringLiteral("-exec \"")));

    const TriggerTypeDefinition element = lines.elementTrigger();
    ASSERT_EQ(element.actions.size(), 2);
    EXPECT_EQ(element.actions[0].target, TriggerTypeDefinition::WindowsClients);
    EXPECT_EQ(element.actions[0].command, lines.windowsCommand());
    EXPECT_EQ(element.actions[1].target, TriggerTypeDefinition::UnixClients);
    EXPECT_EQ(element.actions[1].command, lines.unixCommand());

    in.interop = false;
    const TriggerTypeDefinition single = TriggerCommandLines(in).elementTrigger();
    ASSERT_EQ(single.actions.size(), 1);
    EXPECT_EQ(single.actions[0].target, TriggerTypeDefinition::AllClients);
}

TEST(TriggerCommandLines, DefinitionsCarryTheLibraryCodesAndComments)
{
    const TriggerCommandLines lines(exampleInputs());
    const TriggerTypeDefinition element = lines.elementTrigger();
    EXPECT_EQ(element.name, QStringLiteral("_KORVANE_SECURITY1"));
    EXPECT_EQ(element.kind, 2);
    EXPECT_EQ(element.firing, 1);
    EXPECT_EQ(element.operationKinds, (QList<int>{3, 2, 4}));
    EXPECT_EQ(element.exemptUsers, QStringList{QStringLiteral("user1")});
    EXPECT_EQ(element.comment, QStringLiteral("Created by Zan Utility on 12/5/2006 * * DO NOT MODIFY OR DELETE * *"));

    const TriggerTypeDefinition ucm = lines.ucmTrigger();
    EXPECT_EQ(ucm.name, QStringLiteral("_UCM_KORVANE_SECURITY"));
    EXPECT_EQ(ucm.kind, 4);
    EXPECT_EQ(ucm.firing, 1);
    EXPECT_EQ(ucm.operationKinds, QList<int>{88});
    EXPECT_EQ(ucm.comment, QStringLiteral("UCM::Created by Zan Utility on 12/5/2006 * * DO NOT MODIFY OR DELETE * *"));
}

TEST(TriggerCommandLines, TextThatWouldBreakTheQuotingIsNamed)
{
    auto in = exampleInputs();
    EXPECT_EQ(TriggerCommandLines(in).quotingProblem(), QString());

    in.windowsLocation = QStringLiteral("\\\\host\\tr\"ig");
    EXPECT_TRUE(TriggerCommandLines(in).quotingProblem().contains(QStringLiteral("Windows trigger location")));

    in = exampleInputs();
    in.adminUsersText = QStringLiteral("user1\nuser2");
    EXPECT_TRUE(TriggerCommandLines(in).quotingProblem().contains(QStringLiteral("admin users list")));
    in.adminUsersText = QStringLiteral("DOMAIN\\");
    EXPECT_TRUE(TriggerCommandLines(in).quotingProblem().contains(QStringLiteral("ends with a backslash")));
    // A placeholder never reaches the command line, whatever it holds.
    in.adminUsersText = QStringLiteral("<\"admins\">");
    EXPECT_EQ(TriggerCommandLines(in).quotingProblem(), QString());

    // The Unix location only travels in interop mode.
    in = exampleInputs();
    in.unixLocation = QStringLiteral("/net/a\r/b");
    EXPECT_EQ(TriggerCommandLines(in).quotingProblem(), QString());
    in.interop = true;
    EXPECT_TRUE(TriggerCommandLines(in).quotingProblem().contains(QStringLiteral("Unix trigger location")));
}

TEST(TriggerPaths, ConvertsBetweenUncAndNetPaths)
{
    using namespace TriggerPaths;
    EXPECT_EQ(toUnixPath(QStringLiteral("\\\\srv\\share\\trig")), QStringLiteral("/net/srv/share/trig"));
    EXPECT_EQ(toWindowsPath(QStringLiteral("/net/srv/share/trig")), QStringLiteral("\\\\srv\\share\\trig"));
    EXPECT_EQ(toWindowsPath(QStringLiteral("/home/trig")), QStringLiteral("\\home\\trig"));
    EXPECT_EQ(toUnixPath(QStringLiteral("<trigger_location>")), QStringLiteral("<trigger_location>"));
    // Case-sensitive: only a lower-case /net/ names a host.
    EXPECT_EQ(toWindowsPath(QStringLiteral("/NET/srv")), QStringLiteral("\\NET\\srv"));
}

TEST(TriggerPaths, VobNameIsTheLastTagComponentAndNeverAPlaceholder)
{
    using namespace TriggerPaths;
    EXPECT_EQ(vobNameOf(QStringLiteral("\\vobs\\proj")), QStringLiteral("proj"));
    EXPECT_EQ(vobNameOf(QStringLiteral("\\proj ")), QStringLiteral("proj"));
    EXPECT_EQ(vobNameOf(QStringLiteral("<UNDEF>")), QString());
    EXPECT_EQ(vobNameOf(QString()), QString());
}
