#include "support/QtPrinters.h"
#include "triggers/TriggerCommandLines.h"

#include <gtest/gtest.h>

// On a UNIX site without interop every client runs the Unix command with the view root; only
// the Unix location must survive sh. With interop, Windows clients keep a drive letter.
TEST(UnixSiteTriggerLines, ClientsRunTheUnixCommandAndOnlyItsLocationIsChecked)
{
    TriggerCommandLines::Inputs in;
    in.windowsLocation = QStringLiteral("/net/my host/triggers"); // would be refused on a Windows site
    in.unixLocation = QStringLiteral("/net/myhost/triggers");
    in.adminUsersText = QStringLiteral("vobadm");
    in.viewDrive = QStringLiteral("/view");
    in.unixSite = true;
    const QString unixCommand = QStringLiteral("perl /net/myhost/triggers/_qx_security_trigger.pl /view vobadm");
    const TriggerCommandLines lines(in);
    EXPECT_EQ(lines.quotingProblem(), QString());
    EXPECT_EQ(lines.elementTrigger().actions.size(), 1);
    EXPECT_EQ(lines.elementTrigger().actions.first().command, unixCommand);
    EXPECT_TRUE(lines.typeTriggerCommand(QStringLiteral("/vobs/a/proj")).contains(QStringLiteral("-exec \"") + unixCommand + '"'));

    in.unixLocation = QStringLiteral("/net/my host/triggers");
    EXPECT_TRUE(TriggerCommandLines(in).quotingProblem().startsWith(
        QStringLiteral("The Unix trigger location cannot be written into the trigger command line: it contains a blank")));

    in.interop = true;
    in.windowsLocation = QStringLiteral("\\\\myhost\\triggers");
    in.unixLocation = QStringLiteral("/net/myhost/triggers");
    EXPECT_EQ(TriggerCommandLines(in).windowsCommand(), QStringLiteral("ccperl \\\\myhost\\triggers\\_qx_security_trigger.pl m vobadm"));
}
