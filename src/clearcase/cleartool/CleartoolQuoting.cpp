#include "clearcase/cleartool/CleartoolQuoting.h"

#include "util/ZanError.h"

namespace {

const QString source = QStringLiteral("cleartool");

bool needsQuotes(const QString &argument, CleartoolQuoting::Style style)
{
    if (argument.isEmpty())
        return true;
    const QString special = style == CleartoolQuoting::Style::Unix ? QStringLiteral("[]()*?\"'\\$;&|<>`~#!{}")
                                                                     : QStringLiteral("[]()*?\"'");
    for (const QChar c : argument) {
        if (c.isSpace() || special.contains(c))
            return true;
    }
    return false;
}

// Every ASCII character but letters and digits behind a backslash, no quotes.
QString escapedEverywhere(const QString &argument)
{
    QString result;
    for (const QChar c : argument) {
        if (c.unicode() < 0x80 && !c.isLetterOrNumber())
            result += QLatin1Char('\\');
        result += c;
    }
    return result;
}

bool hasLineBreakOrNul(const QString &text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\n' || u == u'\r' || u == 0 || u == 0x2028 || u == 0x2029 || u == 0x85)
            return true;
    }
    return false;
}

[[noreturn]] void refuse(const QString &what, const QString &text)
{
    throw ZanError(ZanError::General, source,
                   QStringLiteral("Cannot pass %1 to cleartool safely: \"%2\"").arg(what, text));
}

} // namespace

namespace CleartoolQuoting {

QString quote(const QString &argument, Style style)
{
    if (hasLineBreakOrNul(argument))
        refuse(QStringLiteral("text with a line break"), argument.simplified());
    const bool hasSingle = argument.contains(QLatin1Char('\''));
    const bool hasDouble = argument.contains(QLatin1Char('"'));
    const bool onUnix = style == Style::Unix;
    if (hasSingle && hasDouble && !onUnix)
        refuse(QStringLiteral("text holding both quote characters"), argument);
    if (!needsQuotes(argument, style))
        return argument;
    if (onUnix && ((hasSingle && hasDouble) || argument.contains(QLatin1Char('\\'))))
        return escapedEverywhere(argument);
    if (hasSingle)
        return QLatin1Char('"') + argument + QLatin1Char('"');
    return QLatin1Char('\'') + argument + QLatin1Char('\'');
}

QString stringValue(const QString &value, Style style)
{
    const bool onUnix = style == Style::Unix;
    if (value.contains(QLatin1Char('"')) || (!onUnix && value.contains(QLatin1Char('\''))))
        refuse(QStringLiteral("an attribute value holding a quote character"), value);
    if (onUnix && value.contains(QLatin1Char('\\')))
        refuse(QStringLiteral("an attribute value holding a backslash"), value);
    return quote(QLatin1Char('"') + value + QLatin1Char('"'), style);
}

QString join(const QStringList &quotedArguments)
{
    return quotedArguments.join(QLatin1Char(' '));
}

void requireSingleLine(const QString &commandLine)
{
    if (hasLineBreakOrNul(commandLine))
        refuse(QStringLiteral("a command line with a line break"), commandLine.simplified());
}

} // namespace CleartoolQuoting
