#include "clearcase/cleartool/CleartoolQuoting.h"

#include "util/ZanError.h"

namespace {

const QString source = QStringLiteral("cleartool");

bool needsQuotes(const QString &argument)
{
    if (argument.isEmpty())
        return true;
    for (const QChar c : argument) {
        if (c.isSpace() || QStringLiteral("[]()*?\"'").contains(c))
            return true;
    }
    return false;
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

QString quote(const QString &argument)
{
    if (hasLineBreakOrNul(argument))
        refuse(QStringLiteral("text with a line break"), argument.simplified());
    const bool hasSingle = argument.contains(QLatin1Char('\''));
    const bool hasDouble = argument.contains(QLatin1Char('"'));
    if (hasSingle && hasDouble)
        refuse(QStringLiteral("text holding both quote characters"), argument);
    if (!needsQuotes(argument))
        return argument;
    if (hasSingle)
        return QLatin1Char('"') + argument + QLatin1Char('"');
    return QLatin1Char('\'') + argument + QLatin1Char('\'');
}

QString stringValue(const QString &value)
{
    if (value.contains(QLatin1Char('"')) || value.contains(QLatin1Char('\'')))
        refuse(QStringLiteral("an attribute value holding a quote character"), value);
    return quote(QLatin1Char('"') + value + QLatin1Char('"'));
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
