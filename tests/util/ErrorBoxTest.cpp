#include "support/MessageTable.h"
#include "util/ErrorBox.h"

TEST(ErrorBox, ShowsTheFramedReportWithNumberSourceDescriptionAndText)
{
    ScriptedPrompter prompter;
    const QString box = QStringList{QString(88, QLatin1Char('*')), "* E R R O R: 91 (ccase)", QString(63, QLatin1Char('*')) + " ",
                                    "* SysErr: Object variable not set", "*", "* Error encountered::refreshBut_C()",
                                    "*            Report bugs to: support@korvane.com", QString(88, QLatin1Char('*'))}
                            .join("\r\n");
    expectMessages(prompter, {{"a failing handler", [&] {
                                   ErrorBox::showErrorBox(prompter, ZanError(91, "ccase", "Object variable not set"),
                                                          "Error encountered::refreshBut_C()");
                               }, box, "Error...", Prompter::Icon::Critical}});
}
