#include "shell/ErrorReporter.h"

#include "shell/BusyState.h"
#include "util/AppInfo.h"
#include "util/ErrorBox.h"
#include "util/Prompter.h"

ErrorReporter::ErrorReporter(Prompter &prompter, BusyState &busy) : m_prompter(prompter), m_busy(busy) {}

QString ErrorReporter::supportLineText(const ZanError &error, const QString &extraLine)
{
    QString text = QStringLiteral("ERROR::") + error.description() + AppInfo::crlf;
    if (!extraLine.isEmpty())
        text += extraLine + AppInfo::crlf;
    return text + QStringLiteral("Report Bug to ") + AppInfo::supportAddress;
}

void ErrorReporter::reportWithSupportLine(const ZanError &error, const QString &extraLine)
{
    m_busy.setBusy(false);
    m_prompter.message(supportLineText(error, extraLine), QStringLiteral("ERROR..."), Prompter::Icon::Exclamation);
}

void ErrorReporter::reportBoxed(const ZanError &error, const QString &text)
{
    m_busy.setBusy(false);
    ErrorBox::showErrorBox(m_prompter, error, text);
}
