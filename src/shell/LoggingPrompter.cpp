#include "shell/LoggingPrompter.h"

#include <QFile>
#include <QTextStream>

void LoggingPrompter::append(const QString &kind, const QString &title, const QString &text)
{
    QFile file(m_logPath);
    if (!file.open(QIODevice::Append | QIODevice::Text))
        return;
    QTextStream out(&file);
    out << kind << '\t' << title << '\t' << QString(text).replace(QLatin1Char('\n'), QStringLiteral("\\n")).remove(QLatin1Char('\r'))
        << '\n';
}

Prompter::Answer LoggingPrompter::message(const QString &text, const QString &title, Icon, Buttons buttons)
{
    append(QStringLiteral("message"), title, text);
    return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
}

std::optional<QString> LoggingPrompter::inputText(const QString &prompt, const QString &title, const QString &defaultText)
{
    append(QStringLiteral("input"), title, prompt);
    return defaultText;
}

QString LoggingPrompter::openFileName(const QString &title, const QString &, const QString &presetName, const QString &)
{
    append(QStringLiteral("file"), title, presetName);
    return presetName;
}
