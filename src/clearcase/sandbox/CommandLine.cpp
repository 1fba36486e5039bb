#include "clearcase/sandbox/CommandLine.h"

#include "util/ZanError.h"

#include <algorithm>

namespace {

[[noreturn]] void unmatchedQuote()
{
    throw ZanError(ZanError::CommandFailure, QStringLiteral("cleartool"),
                   QStringLiteral("cleartool: Error: Unmatched quote in command line."));
}

// Reads a quoted run starting after the opening quote at `at`; returns the index after the
// closing quote.
int readQuoted(const QString &line, int at, QChar quote, CommandLine::Style style, QString &into)
{
    int i = at + 1;
    while (i < line.size()) {
        const QChar c = line.at(i);
        if (c == quote)
            return i + 1;
        if (style == CommandLine::Style::Windows && quote == QLatin1Char('\'') && c == QLatin1Char('^')
            && i + 1 < line.size() && line.at(i + 1) == QLatin1Char('\'')) {
            into += QLatin1Char('\'');
            i += 2;
            continue;
        }
        if (style == CommandLine::Style::Unix && quote == QLatin1Char('"') && c == QLatin1Char('\\')
            && i + 1 < line.size() && line.at(i + 1) == QLatin1Char('"')) {
            into += QLatin1Char('"');
            i += 2;
            continue;
        }
        into += c;
        ++i;
    }
    unmatchedQuote();
}

// The end of a run of characters that are taken as they stand, outside quotes.
int plainRunEnd(const QString &line, int at, CommandLine::Style style)
{
    int i = at;
    while (i < line.size()) {
        const QChar c = line.at(i);
        if (c.isSpace() || c == QLatin1Char('\'') || c == QLatin1Char('"') || (c == QLatin1Char('\\') && style == CommandLine::Style::Unix))
            break;
        ++i;
    }
    return i;
}

} // namespace

QStringList CommandLine::split(const QString &line, Style style)
{
    QStringList arguments;
    QString current;
    bool inArgument = false;
    int i = 0;
    while (i < line.size()) {
        const QChar c = line.at(i);
        if (c.isSpace()) {
            if (inArgument)
                arguments << current;
            current.clear();
            inArgument = false;
            ++i;
            continue;
        }
        inArgument = true;
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            i = readQuoted(line, i, c, style, current);
        } else if (c == QLatin1Char('\\') && style == Style::Unix && i + 1 < line.size()) {
            current += line.at(i + 1);
            i += 2;
        } else {
            const int end = std::max(plainRunEnd(line, i, style), i + 1);
            current += QStringView(line).mid(i, end - i);
            i = end;
        }
    }
    if (inArgument)
        arguments << current;
    return arguments;
}

QString CommandLine::quote(const QString &argument, Style style)
{
    const bool hasSingle = argument.contains(QLatin1Char('\''));
    const bool hasDouble = argument.contains(QLatin1Char('"'));
    if ((hasSingle && hasDouble) || argument.contains(QLatin1Char('\n')) || argument.contains(QLatin1Char('\r')))
        throw ZanError(ZanError::CommandFailure, QStringLiteral("cleartool"),
                       QStringLiteral("The text %1 cannot be passed to cleartool safely.").arg(argument));
    static const QString special = QStringLiteral("[]()*\"'?");
    bool needsQuotes = argument.isEmpty();
    for (const QChar c : argument)
        needsQuotes = needsQuotes || c.isSpace() || special.contains(c) || (style == Style::Unix && c == QLatin1Char('\\'));
    if (!needsQuotes)
        return argument;
    // A closing quote must not be read as escaped: ^' inside '...' on Windows, \" inside
    // "..." on Unix.
    const bool caretAtEnd = style == Style::Windows && argument.endsWith(QLatin1Char('^'));
    const bool backslashAtEnd = style == Style::Unix && argument.endsWith(QLatin1Char('\\'));
    if (hasSingle || caretAtEnd) {
        if (hasDouble || backslashAtEnd)
            throw ZanError(ZanError::CommandFailure, QStringLiteral("cleartool"),
                           QStringLiteral("The text %1 cannot be passed to cleartool safely.").arg(argument));
        return QLatin1Char('"') + argument + QLatin1Char('"');
    }
    return QLatin1Char('\'') + argument + QLatin1Char('\'');
}
