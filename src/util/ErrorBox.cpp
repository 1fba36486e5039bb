#include "util/ErrorBox.h"

#include "util/AppInfo.h"

#include <QStringList>

namespace ErrorBox {

QString boxedText(const ZanError &error, const QString &text)
{
    const QString frame(88, QLatin1Char('*'));
    const QStringList lines{
        frame,
        QStringLiteral("* E R R O R: %1 (%2)").arg(error.number()).arg(error.source()),
        QString(63, QLatin1Char('*')) + QLatin1Char(' '),
        QStringLiteral("* SysErr: ") + error.description(),
        QStringLiteral("*"),
        QStringLiteral("* ") + text,
        QStringLiteral("*            Report bugs to: ") + AppInfo::supportAddress,
        frame,
    };
    return lines.join(AppInfo::crlf);
}

void showErrorBox(Prompter &prompter, const ZanError &error, const QString &text)
{
    prompter.message(boxedText(error, text), QStringLiteral("Error..."), Prompter::Icon::Critical,
                     Prompter::Buttons::Ok);
}

} // namespace ErrorBox
