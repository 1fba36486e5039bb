#include "support/QtPrinters.h"
#include "triggers/TriggerCommandLines.h"
#include "triggers/TriggerPaths.h"

#include <gtest/gtest.h>
#include <functional>

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

// Each row changes the example's inputs and names a piece of the type trigger line it must then hold;
// blanks in the list, interop and a UNIX site are in the lines the Apply Trigger tests check.
TEST(TriggerCommandLines, CommandsTakeTheTypedInputsAsTheScriptExpectsThem)
{
    const QString script = QStringLiteral("\\\\myhost\\triggers\\_qx_security_trigger.pl ");
    const struct {
        const char *inputs;
        std::function<void(TriggerCommandLines::Inputs &)> change;
        QString piece;
    } cases[] = {
        {"a placeholder list and no drive", [](auto &in) { in.adminUsersText = "<admin_users_list>"; in.viewDrive.clear(); },
         "-exec \"ccperl " + script + "m \"  -c "},
        {"nobody exempted", [](auto &in) { in.exemptUser.clear(); }, "mktrtype -type -preop MODIFY_TYPE -attype -all "},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.inputs);
        auto in = exampleInputs();
        c.change(in);
        const QString line = TriggerCommandLines(in).typeTriggerCommand(QStringLiteral("\\proj"));
        EXPECT_TRUE(line.contains(c.piece)) << line.toStdString();
    }
}

TEST(TriggerCommandLines, InputsTheCommandLineCannotCarryAreNamed)
{
    struct Case {
        QString windows, unix, admins; // "" keeps the example's
        bool interop;
        QString named;                 // "" when the inputs are fine
        bool unixSite = false;         // where only the Unix location reaches the command line
    };
    const QString quoteOrBreak =
        QStringLiteral(" cannot be written into the trigger command line: it contains a double quote or a line break.");
    const Case cases[] = {
        {{}, {}, {}, false, {}},
        {QStringLiteral("\\\\host\\tr\"ig"), {}, {}, false, QStringLiteral("Windows trigger location") },
        {{}, {}, QStringLiteral("user1\nuser2"), false, QStringLiteral("admin users list")},
        {{}, {}, QStringLiteral("DOMAIN\\"), false, QStringLiteral("ends with a backslash")},
        {{}, {}, QStringLiteral("<\"admins\">"), false, {}}, // a placeholder never reaches the command line
        {{}, QStringLiteral("/net/a\r/b"), {}, false, {}},     // the Unix location travels in interop mode only
        {{}, QStringLiteral("/net/a\r/b"), {}, true, QStringLiteral("Unix trigger location") + quoteOrBreak},
        // What the shell running the action would split, expand or end.
        {{}, {}, QStringLiteral("bob,o'neil"), false, QStringLiteral("admin users list cannot be written into the trigger "
                                                                   "command line: it contains the character ', which")},
        {{}, {}, QStringLiteral("bob;id"), false, QStringLiteral("the character ;")},
        {{}, {}, QStringLiteral("bob,<eve"), false, QStringLiteral("the character <")}, // typed, not the hint
        {QStringLiteral("\\\\my host\\triggers"), {}, {}, false, QStringLiteral("Windows trigger location cannot be written "
                                                                              "into the trigger command line: it contains a blank")},
        {{}, QStringLiteral("/net/my host/t"), {}, true, QStringLiteral("Unix trigger location cannot be written into the "
                                                                       "trigger command line: it contains a blank")},
        {{}, QStringLiteral("/net/o'neil/t"), {}, true, QStringLiteral("Unix trigger location")},
        // A UNIX site's clients all run the Unix command: only its location is checked.
        {QStringLiteral("\\\\my host\\triggers"), {}, {}, false, {}, true},
        {{}, QStringLiteral("/net/my host/t"), {}, false, QStringLiteral("Unix trigger location cannot be written into the "
                                                                        "trigger command line: it contains a blank"), true},
        {QStringLiteral("\\\\host\\c$\\triggers"), {}, QStringLiteral("micha\u0142,\u0417\u043e\u044f,DOM\\bob,a.b-c_d@x"), true, {}},
    };
    for (const Case &c : cases) {
        auto in = exampleInputs();
        in.interop = c.interop;
        in.unixSite = c.unixSite;
        in.windowsLocation = c.windows.isEmpty() ? in.windowsLocation : c.windows;
        in.unixLocation = c.unix.isEmpty() ? in.unixLocation : c.unix;
        in.adminUsersText = c.admins.isEmpty() ? in.adminUsersText : c.admins;
        const QString problem = TriggerCommandLines(in).quotingProblem();
        if (c.named.isEmpty())
            EXPECT_EQ(problem, QString());
        else
            EXPECT_TRUE(problem.contains(c.named)) << problem.toStdString() << " / " << c.named.toStdString();
    }
}

// Blanks of other scripts and invisible characters look like nothing in the field, so the
// refusal names them by code; each field is checked on its own.
TEST(TriggerCommandLines, UnicodeBlanksInALocationAreRefusedByTheirCode)
{
    const struct {
        char32_t character;
        QString what;
    } characters[] = {
        {U'\u00A0', QStringLiteral("a blank (U+00A0)")}, {U'\u2002', QStringLiteral("a blank (U+2002)")},
        {U'\u3000', QStringLiteral("a blank (U+3000)")}, {U'\u0085', QStringLiteral("a blank (U+0085)")},
        {U'\u200B', QStringLiteral("an invisible control character (U+200B)")},
    };
    for (const auto &c : characters) {
        const QString inside = QString::fromUcs4(&c.character, 1);
        for (const bool windows : {true, false}) {
            auto in = exampleInputs();
            in.interop = !windows;
            (windows ? in.windowsLocation : in.unixLocation) += inside + QStringLiteral("x");
            EXPECT_EQ(TriggerCommandLines(in).quotingProblem(),
                      QStringLiteral("The %1 trigger location cannot be written into the trigger command line: it contains %2, "
                                     "which the trigger's command line cannot pass on.\r\nPlease correct it and apply the "
                                     "triggers again.")
                          .arg(windows ? QStringLiteral("Windows") : QStringLiteral("Unix"), c.what));
        }
    }
}

// The conversions the Trigger(Admin) tab's own tests do not reach.
TEST(TriggerPaths, ConvertsBetweenUncAndNetPathsAndNamesTheVob)
{
    using namespace TriggerPaths;
    EXPECT_EQ(toWindowsPath(QStringLiteral("/home/trig")), QStringLiteral("\\home\\trig"));
    // Case-sensitive: only a lower-case /net/ names a host.
    EXPECT_EQ(toWindowsPath(QStringLiteral("/NET/srv")), QStringLiteral("\\NET\\srv"));
    EXPECT_EQ(vobNameOf(QStringLiteral("\\proj "), SiteStyle()), QStringLiteral("proj"));
    EXPECT_EQ(vobNameOf(QStringLiteral("/vobs/proj"), SiteStyle(SiteStyle::Kind::Unix)), QStringLiteral("proj"));
    EXPECT_EQ(vobNameOf(QString(), SiteStyle()), QString());
}
