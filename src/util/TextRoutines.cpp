#include "util/TextRoutines.h"

namespace TextRoutines {

QString splitAtDelim(QString &text, const QString &delimiter)
{
    const int at = delimiter.isEmpty() ? -1 : text.indexOf(delimiter);
    if (at < 0)
        return QString();
    const QString tail = text.mid(at + delimiter.size());
    text.truncate(at);
    return tail;
}

QString getLastToken(const QString &text, const QString &delimiter)
{
    const int at = delimiter.isEmpty() ? -1 : text.lastIndexOf(delimiter);
    if (at < 0)
        return text.trimmed();
    return text.mid(at + delimiter.size()).trimmed();
}

QString getFileNameFromPath(const QString &path)
{
    return getLastToken(path, QStringLiteral("\\"));
}

QString replaceChar(const QString &character, const QString &replacement, const QString &text)
{
    if (character.isEmpty())
        return text;
    QString result = text;
    return result.replace(character, replacement);
}

QString stripNonAnsi(const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() >= 1 && c.unicode() <= 255)
            result.append(c);
    }
    return result;
}

QString lfToCrLf(const QString &text)
{
    QString result = text;
    return result.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

QStringList commaSplit(const QString &text)
{
    if (text.isEmpty())
        return {};
    return text.split(QLatin1Char(','), Qt::KeepEmptyParts);
}

QString commaJoin(const QStringList &pieces)
{
    return pieces.join(QLatin1Char(','));
}

} // namespace TextRoutines
