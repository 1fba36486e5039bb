#include "ElementTrigger.h"
#include "clearcase/cleartool/CleartoolQuoting.h"
#include "clearcase/cleartool/CleartoolTriggerOptions.h"
#include "support/QtPrinters.h"
#include "util/ZanError.h"

#include <gtest/gtest.h>

using namespace CleartoolQuoting;

TEST(CleartoolQuoting, PlainArgumentsPassUnchangedOthersAreQuoted)
{
    EXPECT_EQ(quote(QStringLiteral("lsvob")), QStringLiteral("lsvob"));
    EXPECT_EQ(quote(QStringLiteral("m:\\bob_dev\\proj\\src\\main.c@@/main/0")),
              QStringLiteral("m:\\bob_dev\\proj\\src\\main.c@@/main/0"));
    EXPECT_EQ(quote(QStringLiteral("bob,ALL")), QStringLiteral("bob,ALL"));
    EXPECT_EQ(quote(QStringLiteral("Zürich")), QStringLiteral("Zürich"));
    // Special ones go in the quote they do not contain.
    EXPECT_EQ(quote(QString()), QStringLiteral("''"));
    EXPECT_EQ(quote(QStringLiteral("dir with blanks\\a.c")), QStringLiteral("'dir with blanks\\a.c'"));
    EXPECT_EQ(quote(QStringLiteral("*src*")), QStringLiteral("'*src*'"));
    EXPECT_EQ(quote(QStringLiteral("tab\there")), QStringLiteral("'tab\there'"));
    EXPECT_EQ(quote(QStringLiteral("say \"hi\"")), QStringLiteral("'say \"hi\"'"));
    EXPECT_EQ(quote(QStringLiteral("O'Brien")), QStringLiteral("\"O'Brien\""));
    // A trigger command whose admin list is empty ends in a blank, which must survive.
    EXPECT_EQ(quote(QStringLiteral("ccperl \\\\h\\t\\x.pl m ")), QStringLiteral("'ccperl \\\\h\\t\\x.pl m '"));
}

TEST(CleartoolQuoting, StringValuesCarryTheirDoubleQuotes)
{
    EXPECT_EQ(stringValue(QStringLiteral("bob,ALL")), QStringLiteral("'\"bob,ALL\"'"));
    EXPECT_EQ(stringValue(QString()), QStringLiteral("'\"\"'"));
    EXPECT_EQ(stringValue(QStringLiteral("Anne Marie,Jörg")), QStringLiteral("'\"Anne Marie,Jörg\"'"));
}

TEST(CleartoolQuoting, UnsafeTextIsRefusedWithAClearMessage)
{
    const QStringList unsafeArguments = {QStringLiteral("it's \"x\""), QStringLiteral("two\nlines"),
                                         QStringLiteral("cr\rhere"), QString(QChar(0))};
    for (const QString &argument : unsafeArguments) {
        try {
            quote(argument);
            ADD_FAILURE() << "accepted " << argument.toStdString();
        } catch (const ZanError &e) {
            EXPECT_TRUE(e.description().startsWith(QLatin1String("Cannot pass"))) << e.description().toStdString();
        }
    }
    // Inside '"..."' any quote in the value would end up next to the other kind.
    EXPECT_THROW(stringValue(QStringLiteral("bob\"")), ZanError);
    EXPECT_THROW(stringValue(QStringLiteral("o'neil")), ZanError);
    EXPECT_THROW(requireSingleLine(QStringLiteral("lsvob\nrmvob \\proj")), ZanError);
    EXPECT_NO_THROW(requireSingleLine(QStringLiteral("desc -l trtype:X@\\proj")));
}

TEST(CleartoolTriggerOptions, ElementTriggerBecomesOneMktrtypeLine)
{
    EXPECT_EQ(CleartoolTriggerOptions::mktrtypeCommand(QStringLiteral("\\proj"), elementTrigger()),
              QStringLiteral("mktrtype -element -all -preop MODIFY_DATA,MODIFY_ELEM,MODIFY_MD -nusers bob "
                             "-execwin 'ccperl \\\\host\\trig dir\\_qx_security_trigger.pl m ' "
                             "-execunix 'perl /net/host/trig/_qx_security_trigger.pl m ' "
                             "-c 'Created by Zan Utility on 12/5/2006 * * DO NOT MODIFY OR DELETE * *' "
                             "_KORVANE_SECURITY1@\\proj"));
}

TEST(CleartoolTriggerOptions, UcmTriggerAndOptionalParts)
{
    TriggerTypeDefinition definition;
    definition.name = QStringLiteral("_UCM_KORVANE_SECURITY");
    definition.kind = 4;
    definition.firing = 1;
    definition.operationKinds = {88};
    definition.actions = {{TriggerTypeDefinition::AllClients, QStringLiteral("ccperl x.pl")}};
    EXPECT_EQ(CleartoolTriggerOptions::mktrtypeCommand(QStringLiteral("\\proj_pvob"), definition),
              QStringLiteral("mktrtype -ucmobject -all -preop MODIFY_UCM -exec 'ccperl x.pl' -nc _UCM_KORVANE_SECURITY@\\proj_pvob"));
}

TEST(CleartoolTriggerOptions, CodesWithoutAMappingAreRefused)
{
    TriggerTypeDefinition definition = elementTrigger();
    definition.kind = 1;
    EXPECT_THROW(CleartoolTriggerOptions::mktrtypeCommand(QStringLiteral("\\proj"), definition), ZanError);
    definition = elementTrigger();
    definition.operationKinds = {3, 77};
    EXPECT_THROW(CleartoolTriggerOptions::mktrtypeCommand(QStringLiteral("\\proj"), definition), ZanError);
    definition = elementTrigger();
    definition.comment = QStringLiteral("it's \"quoted\"");
    EXPECT_THROW(CleartoolTriggerOptions::mktrtypeCommand(QStringLiteral("\\proj"), definition), ZanError);

    EXPECT_EQ(CleartoolTriggerOptions::operationKindCode(QStringLiteral("MODIFY_UCM")), 88);
    EXPECT_EQ(CleartoolTriggerOptions::operationKindCode(QStringLiteral("nonsense")), -1);
}
