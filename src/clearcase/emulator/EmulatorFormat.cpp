#include "clearcase/emulator/EmulatorFormat.h"

#include <QStringList>

#include <optional>

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

struct Directive {
    bool leftJustified = false;
    int minimum = 0;
    int maximum = -1;
    QString modifiers;
    QString argument;
    QChar conversion;
    int end = 0; // the index after the directive
};

int numberAt(const QString &format, int &at)
{
    int number = 0;
    while (at < format.size() && format.at(at).isDigit())
        number = number * 10 + format.at(at++).digitValue();
    return number;
}

// [-][min][.max], upper-case modifiers, [argument], more modifiers, the conversion letter:
// %-12.12En, %SN[ACL]a, %[ACL]Na. None for a directive that is cut off.
std::optional<Directive> directiveAt(const QString &format, int at)
{
    Directive directive;
    if (at < format.size() && format.at(at) == QLatin1Char('-')) {
        directive.leftJustified = true;
        ++at;
    }
    directive.minimum = numberAt(format, at);
    if (at < format.size() && format.at(at) == QLatin1Char('.')) {
        ++at;
        directive.maximum = numberAt(format, at);
    }
    const auto takeModifiers = [&] {
        while (at < format.size() && format.at(at).isUpper())
            directive.modifiers += format.at(at++);
    };
    takeModifiers();
    if (at < format.size() && format.at(at) == QLatin1Char('[')) {
        const int close = format.indexOf(QLatin1Char(']'), at);
        if (close < 0)
            return std::nullopt;
        directive.argument = format.mid(at + 1, close - at - 1);
        at = close + 1;
        takeModifiers();
    }
    if (at >= format.size())
        return std::nullopt;
    directive.conversion = format.at(at);
    directive.end = at + 1;
    return directive;
}

QString fitted(QString text, const Directive &directive)
{
    if (directive.maximum >= 0)
        text.truncate(directive.maximum);
    return directive.leftJustified ? text.leftJustified(directive.minimum) : text.rightJustified(directive.minimum);
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
        if (format.at(i + 1) == QLatin1Char('%')) {
            out += QLatin1Char('%');
            i += 2;
            continue;
        }
        const std::optional<Directive> directive = directiveAt(format, i + 1);
        if (!directive) {
            out += format.mid(i);
            break;
        }
        out += fitted(convert(directive->conversion, directive->modifiers, directive->argument), *directive);
        i = directive->end;
    }
    return out;
}

QString attributes(const QList<QPair<QString, QString>> &namedValues, const QString &modifiers)
{
    if (namedValues.isEmpty())
        return QString();
    QStringList parts;
    for (const auto &[name, value] : namedValues)
        parts << (modifiers.contains(QLatin1Char('N')) ? value : name + QLatin1Char('=') + value);
    const QString joined = parts.join(QStringLiteral(", "));
    return modifiers.contains(QLatin1Char('S')) ? joined : QLatin1Char('(') + joined + QLatin1Char(')');
}

} // namespace EmulatorFormat
