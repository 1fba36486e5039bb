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

TEST(CleartoolQuoting, ArgumentsPerSiteStyle)
{
    const QuotingCase cases[] = {
        {QStringLiteral("lsvob"), QStringLiteral("lsvob"), QStringLiteral("lsvob")},
        {QStringLiteral("m:\\bob_dev\\proj\\src\\main.c@@/main/0"), QStringLiteral("m:\\bob_dev\\proj\\src\\main.c@@/main/0"),
         QStringLiteral("m\\:\\\\bob\\_dev\\\\proj\\\\src\\\\main\\.c\\@\\@\\/main\\/0")},
        {QStringLiteral("/view/bob_dev/vobs/proj/a.c@@/main/0"), QStringLiteral("/view/bob_dev/vobs/proj/a.c@@/main/0"),
         QStringLiteral("/view/bob_dev/vobs/proj/a.c@@/main/0")},
        {QStringLiteral("bob,ALL"), QStringLiteral("bob,ALL"), QStringLiteral("bob,ALL")},
        {QStringLiteral("Zürich"), QStringLiteral("Zürich"), QStringLiteral("Zürich")},
        {QString(), QStringLiteral("''"), QStringLiteral("''")},
        {QStringLiteral("dir with blanks/a.c"), QStringLiteral("'dir with blanks/a.c'"), QStringLiteral("'dir with blanks/a.c'")},
        {QStringLiteral("*src*"), QStringLiteral("'*src*'"), QStringLiteral("'*src*'")},
        {QStringLiteral("tab\there"), QStringLiteral("'tab\there'"), QStringLiteral("'tab\there'")},
        {QStringLiteral("$HOME;rm"), QStringLiteral("$HOME;rm"), QStringLiteral("'$HOME;rm'")},
        {QStringLiteral("say \"hi\""), QStringLiteral("'say \"hi\"'"), QStringLiteral("'say \"hi\"'")},
        {QStringLiteral("O'Brien"), QStringLiteral("\"O'Brien\""), QStringLiteral("\"O'Brien\"")},
        {QStringLiteral("it's \"x\""), refused, QStringLiteral("it\\'s\\ \\\"x\\\"")},
        {QStringLiteral("a\\b c"), QStringLiteral("'a\\b c'"), QStringLiteral("a\\\\b\\ c")},
        {QStringLiteral("Jörg's \\ *"), QStringLiteral("\"Jörg's \\ *\""), QStringLiteral("Jörg\\'s\\ \\\\\\ \\*")},
        // A trigger command whose admin list is empty ends in a blank, which must survive.
        {QStringLiteral("perl /net/h/t/x.pl /view "), QStringLiteral("'perl /net/h/t/x.pl /view '"),
         QStringLiteral("'perl /net/h/t/x.pl /view '")},
        {QStringLiteral("two\nlines"), refused, refused},
        {QStringLiteral("cr\rhere"), refused, refused},
        {QString(QChar(0)), refused, refused},
    };
    for (const QuotingCase &c : cases) {
        SCOPED_TRACE(c.argument.toStdString());
        EXPECT_EQ(quoted(c.argument, Style::Windows), c.windows);
        EXPECT_EQ(quoted(c.argument, Style::Unix), c.unix);
        // What is sent comes back whole through the emulator's UNIX line parser.
        if (c.unix != refused) {
            EXPECT_EQ(CommandLine::split(QStringLiteral("x ") + c.unix, CommandLine::Style::Unix).mid(1),
                      QStringList{c.argument});
        }
    }
}

TEST(CleartoolQuoting, StringValuesCarryTheirDoubleQuotes)
{
    const QuotingCase cases[] = {
        {QStringLiteral("bob,ALL"), QStringLiteral("'\"bob,ALL\"'"), QStringLiteral("'\"bob,ALL\"'")},
        {QString(), QStringLiteral("'\"\"'"), QStringLiteral("'\"\"'")},
        {QStringLiteral("Anne Marie,Jörg"), QStringLiteral("'\"Anne Marie,Jörg\"'"), QStringLiteral("'\"Anne Marie,Jörg\"'")},
        {QStringLiteral("O'Toole"), refused, QStringLiteral("\\\"O\\'Toole\\\"")},
        {QStringLiteral("bob\""), refused, refused},
        {QStringLiteral("a\\b"), QStringLiteral("'\"a\\b\"'"), refused},
    };
    for (const QuotingCase &c : cases) {
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
    EXPECT_EQ(CleartoolTriggerOptions::mktrtypeCommand(QStringLiteral("\\proj_pvob"), ucm),
              QStringLiteral("mktrtype -ucmobject -all -preop MODIFY_UCM -exec 'ccperl x.pl' -nc _UCM_KORVANE_SECURITY@\\proj_pvob"));

    TriggerTypeDefinition unknownKind = elementTrigger(), unknownOperation = elementTrigger(), quotedComment = elementTrigger();
    unknownKind.kind = 1;
    unknownOperation.operationKinds = {3, 77};
    quotedComment.comment = QStringLiteral("it's \"quoted\"");
    for (const TriggerTypeDefinition &refused : {unknownKind, unknownOperation, quotedComment})
        EXPECT_THROW(CleartoolTriggerOptions::mktrtypeCommand(QStringLiteral("\\proj"), refused), ZanError);
}
