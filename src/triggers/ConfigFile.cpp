#include "triggers/ConfigFile.h"

#include <QStringDecoder>

const QString ConfigFile::marker = QStringLiteral("#ZAN#");

namespace {

const QByteArray byteOrderMark("\xEF\xBB\xBF");

// Characters no record may hold: line breaks and the other control characters (tab aside).
bool isPlainText(QStringView text)
{
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if ((u < 0x20 && u != u'\t') || u == 0x7F)
            return false;
    }
    return true;
}

QString decode(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    return QString::fromLatin1(bytes);
}

QStringList splitLines(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.last().isEmpty())
        lines.removeLast(); // the end of the last line, not an empty record
    return lines;
}

} // namespace

bool ConfigFile::canHold(const QString &key, const QString &value)
{
    return !key.isEmpty() && !key.contains(QLatin1Char(':')) && isPlainText(key) && isPlainText(value) &&
           key.size() + 1 + value.size() <= maxLineLength;
}

ConfigFile::Composed ConfigFile::compose(const Records &settings)
{
    Composed result;
    QString text = marker + QStringLiteral("\r\n");
    for (const auto &[key, value] : settings) {
        if (canHold(key, value))
            text += key + QLatin1Char(':') + value + QStringLiteral("\r\n");
        else
            result.leftOut << key;
    }
    result.content = text.toUtf8();
    return result;
}

ConfigFile::Parsed ConfigFile::parse(const QByteArray &content)
{
    if (content.size() > maxFileSize)
        return {Status::TooLarge, {}, 0};
    const QByteArray body = content.startsWith(byteOrderMark) ? content.mid(byteOrderMark.size()) : content;
    if (body.isEmpty())
        return {Status::Empty, {}, 0};
    const QStringList lines = splitLines(decode(body));
    if (lines.first() != marker)
        return {Status::BadMarker, {}, 1};

    Parsed parsed;
    for (int i = 1; i < lines.size(); ++i) {
        if (lines[i].size() > maxLineLength)
            return {Status::LineTooLong, {}, i + 1};
        if (!isPlainText(lines[i]))
            return {Status::NotText, {}, i + 1};
        parsed.records << splitRecord(lines[i]);
    }
    return parsed;
}

QPair<QString, QString> ConfigFile::splitRecord(const QString &line)
{
    const qsizetype colon = line.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return {line, QString()};
    return {line.left(colon), line.mid(colon + 1)};
}
