#include "triggers/ConfigFile.h"

#include "platform/FileGuard.h"

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

bool ConfigFile::isHint(const QString &value)
{
    return value.contains(QLatin1Char('<'));
}

QString ConfigFile::whyLeftOut(const QString &key, const QString &value)
{
    if (isHint(value))
        return QStringLiteral("its value %1 is a field's hint, not a setting").arg(value);
    if (!canHold(key, value))
        return QStringLiteral("a key with \":\" or a line break in a key or value would not read back the same");
    return QString();
}

ConfigFile::Storable ConfigFile::storable(const Records &records)
{
    Storable result;
    for (const auto &[key, value] : records) {
        if (isHint(value))
            result.leftOut << QStringLiteral("%1 (%2)").arg(key, whyLeftOut(key, value));
        else
            result.records.append({key, value});
    }
    return result;
}

ConfigFile::Composed ConfigFile::compose(const Records &settings)
{
    Composed result;
    QString text = marker + QStringLiteral("\r\n");
    for (const auto &[key, value] : settings) {
        const QString why = whyLeftOut(key, value);
        if (why.isEmpty()) {
            text += key + QLatin1Char(':') + value + QStringLiteral("\r\n");
        } else {
            result.leftOut << key;
            result.reasons << why;
        }
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

std::optional<ConfigFile::Parsed> ConfigFile::load(const QString &path, QString &reason)
{
    const FileGuard::Outcome read = FileGuard::read(path, maxFileSize);
    if (read.verdict == FileGuard::Verdict::TooLarge)
        return Parsed{Status::TooLarge, {}, 0};
    if (!read.ok()) {
        reason = read.reason;
        return std::nullopt;
    }
    return parse(read.content);
}

QPair<QString, QString> ConfigFile::splitRecord(const QString &line)
{
    const qsizetype colon = line.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return {line, QString()};
    return {line.left(colon), line.mid(colon + 1)};
}
