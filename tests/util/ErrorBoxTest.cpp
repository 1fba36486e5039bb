#include "support/ScriptedPrompter.h"
#include "util/ErrorBox.h"

#include <gtest/gtest.h>

TEST(ErrorBox, ShowsTheFramedReportWithNumberSourceDescriptionAndText)
{
    ScriptedPrompter prompter;
    const ZanError error(91, QStringLiteral("ccase"), QStringLiteral("Object variable not set"));
    ErrorBox::showErrorBox(prompter, error, QStringLiteral("Error encountered::refreshBut_C()"));

    ASSERT_EQ(prompter.count(), 1);
    const auto &shown = prompter.last();
    EXPECT_EQ(shown.title, QStringLiteral("Error..."));
    EXPECT_EQ(shown.icon, Prompter::Icon::Critical);
    EXPECT_EQ(shown.buttons, Prompter::Buttons::Ok);
    const QStringList lines = shown.text.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 8);
    EXPECT_EQ(lines[0], QString(88, QLatin1Char('*')));
    EXPECT_EQ(lines[1], QStringLiteral("* E R R O R: 91 (ccase)"));
    EXPECT_EQ(lines[2], QString(63, QLatin1Char('*')) + QLatin1Char(' '));
    EXPECT_EQ(lines[3], QStringLiteral("* SysErr: Object variable not set"));
    EXPECT_EQ(lines[4], QStringLiteral("*"));
    EXPECT_EQ(lines[5], QStringLiteral("* Error encountered::refreshBut_C()"));
    EXPECT_EQ(lines[6], QStringLiteral("*            Report bugs to: support@korvane.com"));
    EXPECT_EQ(lines[7], QString(88, QLatin1Char('*')));
}
