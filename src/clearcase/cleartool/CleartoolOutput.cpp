#include "clearcase/cleartool/CleartoolOutput.h"

#include <QRegularExpression>

namespace {

int indentOf(const QString &line)
{
    int n = 0;
    while (n < line.size() && line.at(n).isSpace())
        ++n;
    return n;
}

QString fieldValue(const QString &trimmedLine, const QString &field)
{
    return trimmedLine.mid(field.size()).trimmed();
}

// "Tag: joe_dyn "comment"" -> joe_dyn
QString tagOf(const QString &tagLine)
{
    static const QRegularExpression pattern(QStringLiteral("^Tag: (.*?)(?: \".*\")?$"));
    return pattern.match(tagLine).captured(1).trimmed();
}

} // namespace

namespace CleartoolOutput {

QStringList lines(const QString &text)
{
    QStringList result;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        QString cleaned = line;
        while (!cleaned.isEmpty() && cleaned.back().isSpace())
            cleaned.chop(1);
        if (!cleaned.isEmpty())
            result << cleaned;
    }
    return result;
}

QList<ViewInfo> parseViewRecords(const QString &text)
{
    static const QString serverHost = QStringLiteral("Server host:");
    static const QString viewOnHost = QStringLiteral("View on host:");
    static const QString attributes = QStringLiteral("View attributes:");
    static const QString active = QStringLiteral("Active:");

    QList<ViewInfo> views;
    for (const QString &line : lines(text)) {
        const QString field = line.trimmed();
        if (line.startsWith(QLatin1String("Tag: "))) {
            views.append(ViewInfo{});
            views.last().tag = tagOf(line);
        } else if (views.isEmpty()) {
            continue;
        } else if (field.startsWith(serverHost)) {
            views.last().host = fieldValue(field, serverHost);
        } else if (field.startsWith(viewOnHost) && views.last().host.isEmpty()) {
            views.last().host = fieldValue(field, viewOnHost);
        } else if (field.startsWith(attributes)) {
            static const QRegularExpression separators(QStringLiteral("[,\\s]+"));
            views.last().snapshot = fieldValue(field, attributes).split(separators).contains(QLatin1String("snapshot"));
        } else if (field.startsWith(active)) {
            views.last().active = fieldValue(field, active).compare(QLatin1String("YES"), Qt::CaseInsensitive) == 0;
        }
    }
    return views;
}

bool isUcmProjectVobRecord(const QString &text)
{
    static const QString attributes = QStringLiteral("Vob registry attributes:");
    static const QRegularExpression separators(QStringLiteral("[,\\s]+"));
    for (const QString &line : lines(text)) {
        const QString field = line.trimmed();
        if (field.startsWith(attributes) && fieldValue(field, attributes).split(separators).contains(QLatin1String("ucmvob")))
            return true;
    }
    return false;
}

QList<AttributeInfo> parseAttributes(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^\\s+(\\S+) = (.*)$"));
    QList<AttributeInfo> result;
    int sectionIndent = -1;
    for (const QString &line : lines(text)) {
        if (sectionIndent < 0) {
            if (line.trimmed() == QLatin1String("Attributes:"))
                sectionIndent = indentOf(line);
            continue;
        }
        if (indentOf(line) <= sectionIndent)
            break;
        const QRegularExpressionMatch match = pattern.match(line);
        if (!match.hasMatch())
            continue;
        QString value = match.captured(2);
        if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
            value = value.mid(1, value.size() - 2);
        result.append(AttributeInfo{match.captured(1), value});
    }
    return result;
}

} // namespace CleartoolOutput
