#include "ElementTrigger.h"
#include "clearcase/cleartool/CleartoolQuoting.h"
#include "clearcase/sandbox/CommandLine.h"
#include "clearcase/cleartool/CleartoolTriggerOptions.h"
#include "support/QtPrinters.h"
#include "util/ZanError.h"

#include <gtest/gtest.h>

using namespace CleartoolQuoting;

namespace {

const QString refused = QStringLiteral("<refused>");

QString quoted(const QString &argument, Style style, QString (*how)(const QString &, Style) = &quote)
{
    try {
        return how(argument, style);
    } catch (const ZanError &e) {
        EXPECT_TRUE(e.description().startsWith(QLatin1String("Cannot pass"))) << e.description().toStdString();
        return refused;
    }
}

struct QuotingCase {
    QString argument;
    QString windows;
    QString unix;
};

} // namespace

TEST(CleartoolQuoting, ArgumentsAndStringValuesPerSiteStyle)
{
    const QuotingCase cases[] = {
        {"lsvob", "lsvob", "lsvob"},
        {"m:\\bob_dev\\proj\\src\\main.c@@/main/0", "m:\\bob_dev\\proj\\src\\main.c@@/main/0", "m\\:\\\\bob\\_dev\\\\proj\\\\src\\\\main\\.c\\@\\@\\/main\\/0"},
        {"/view/bob_dev/vobs/proj/a.c@@/main/0", "/view/bob_dev/vobs/proj/a.c@@/main/0", "/view/bob_dev/vobs/proj/a.c@@/main/0"},
        {"bob,ALL", "bob,ALL", "bob,ALL"},
        {"Zürich", "Zürich", "Zürich"},
        {QString(), "''", "''"},
        {"dir with blanks/a.c", "'dir with blanks/a.c'", "'dir with blanks/a.c'"},
        {"*src*", "'*src*'", "'*src*'"},
        {"tab\there", "'tab\there'", "'tab\there'"},
        {"$HOME;rm", "$HOME;rm", "'$HOME;rm'"},
        {"say \"hi\"", "'say \"hi\"'", "'say \"hi\"'"},
        {"O'Brien", "\"O'Brien\"", "\"O'Brien\""},
        {"it's \"x\"", refused, "it\\'s\\ \\\"x\\\""},
        {"a\\b c", "'a\\b c'", "a\\\\b\\ c"},
        {"Jörg's \\ *", "\"Jörg's \\ *\"", "Jörg\\'s\\ \\\\\\ \\*"},
        // A trigger command whose admin list is empty ends in a blank, which must survive.
        {"perl /net/h/t/x.pl /view ", "'perl /net/h/t/x.pl /view '", "'perl /net/h/t/x.pl /view '"},
        {"two\nlines", refused, refused},
        {"cr\rhere", refused, refused},
        {QString(QChar(0)), refused, refused},
    };
    // String values carry their double quotes.
    const QuotingCase values[] = {
        {"bob,ALL", "'\"bob,ALL\"'", "'\"bob,ALL\"'"},
        {QString(), "'\"\"'", "'\"\"'"},
        {"Anne Marie,Jörg", "'\"Anne Marie,Jörg\"'", "'\"Anne Marie,Jörg\"'"},
        {"O'Toole", refused, "\\\"O\\'Toole\\\""},
        {"bob\"", refused, refused},
        {"a\\b", "'\"a\\b\"'", refused},
    };
    for (const QuotingCase &c : cases) {
        SCOPED_TRACE(c.argument.toStdString());
        EXPECT_EQ(quoted(c.argument, Style::Windows), c.windows);
        EXPECT_EQ(quoted(c.argument, Style::Unix), c.unix);
        // What is sent comes back whole through the emulator's UNIX line parser.
        if (c.unix != refused) {
            EXPECT_EQ(CommandLine::split(QStringLiteral("x ") + c.unix, CommandLine::Style::Unix).mid(1), QStringList{c.argument});
        }
    }
    for (const QuotingCase &c : values) {
        SCOPED_TRACE(c.argument.toStdString());
        EXPECT_EQ(quoted(c.argument, Style::Windows, &stringValue), c.windows);
        EXPECT_EQ(quoted(c.argument, Style::Unix, &stringValue), c.unix);
    }
}

// Without a comment the line says -nc: cleartool would otherwise read a comment from its input.
TEST(CleartoolTriggerOptions, UcmTriggerWithoutACommentAndCodesWithoutAMapping)
{
    const TriggerTypeDefinition ucm{QStringLiteral("_UCM_KORVANE_SECURITY"), 4, 1, {88}, {},
                                    {{TriggerTypeDefinition::AllClients, QStringLiteral("ccperl x.pl")}}, {}};
    EXPECT_EQ(CleartoolTriggerOptions::mktrtypeCommand(QStringLiteral("\\proj_pvob"), ucm, Style::Windows),
              QStringLiteral("mktrtype -ucmobject -all -preop MODIFY_UCM -exec 'ccperl x.pl' -nc _UCM_KORVANE_SECURITY@\\proj_pvob"));

    TriggerTypeDefinition unknownKind = elementTrigger(), unknownOperation = elementTrigger(), quotedComment = elementTrigger();
    unknownKind.kind = 1;
    unknownOperation.operationKinds = {3, 77};
    quotedComment.comment = QStringLiteral("it's \"quoted\"");
    for (const TriggerTypeDefinition &refused : {unknownKind, unknownOperation, quotedComment})
        EXPECT_THROW(CleartoolTriggerOptions::mktrtypeCommand(QStringLiteral("\\proj"), refused, Style::Windows), ZanError);
}
