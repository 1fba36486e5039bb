#include "clearcase/emulator/EmulatorFormat.h"

namespace {

// Expands the escape at format[i] == '\\'; returns the index after it.
int escape(const QString &format, int i, QString &out)
{
    if (i + 1 >= format.size()) {
        out += QLatin1Char('\\');
        return i + 1;
    }
    const QChar c = format.at(i + 1);
    if (c == QLatin1Char('n'))
        out += QLatin1Char('\n');
    else if (c == QLatin1Char('t'))
        out += QLatin1Char('\t');
    else if (c == QLatin1Char('\\') || c == QLatin1Char('\''))
        out += c;
    else if (c >= QLatin1Char('0') && c <= QLatin1Char('7')) {
        int end = i + 1;
        int code = 0;
        while (end < format.size() && end < i + 4 && format.at(end) >= QLatin1Char('0') && format.at(end) <= QLatin1Char('7'))
            code = code * 8 + (format.at(end++).unicode() - '0');
        out += QChar(code);
        return end;
    } else {
        out += QLatin1Char('\\');
        out += c;
    }
    return i + 2;
}

} // namespace

namespace EmulatorFormat {

QString expand(const QString &format, const Converter &convert)
{
    QString out;
    int i = 0;
    while (i < format.size()) {
        const QChar c = format.at(i);
        if (c == QLatin1Char('\\')) {
            i = escape(format, i, out);
            continue;
        }
        if (c != QLatin1Char('%') || i + 1 >= format.size()) {
            out += c;
            ++i;
            continue;
        }
        int at = i + 1;
        if (format.at(at) == QLatin1Char('%')) {
            out += QLatin1Char('%');
            i = at + 1;
            continue;
        }
        QString argument;
        if (format.at(at) == QLatin1Char('[')) {
            const int close = format.indexOf(QLatin1Char(']'), at);
            if (close < 0) {
                out += format.mid(i);
                break;
            }
            argument = format.mid(at + 1, close - at - 1);
            at = close + 1;
        }
        QString modifiers;
        while (at < format.size() && format.at(at).isUpper())
            modifiers += format.at(at++);
        if (at >= format.size()) {
            out += format.mid(i);
            break;
        }
        out += convert(format.at(at), modifiers, argument);
        i = at + 1;
    }
    return out;
}

} // namespace EmulatorFormat
