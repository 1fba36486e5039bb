#pragma once

#include <QString>
#include <QStringList>

// Text routines: delimiters, tokens, path names, character replacement, line ends.
namespace TextRoutines {

// Cuts text at the first delimiter: text keeps the part before it, the tail is returned.
// Without a delimiter text stays as it is and the result is "".
QString splitAtDelim(QString &text, const QString &delimiter);

// The part after the last delimiter, trimmed; the whole text trimmed without one.
QString getLastToken(const QString &text, const QString &delimiter);

// The part after the last backslash, trimmed; the whole path trimmed without one.
QString getFileNameFromPath(const QString &path);

QString replaceChar(const QString &character, const QString &replacement, const QString &text);

// Removes characters whose code lies outside 1..255.
QString stripNonAnsi(const QString &text);

// Every LF becomes CR LF (a CR LF already present becomes CR CR LF).
QString lfToCrLf(const QString &text);

// Comma lists: split at every "," keeping empty pieces, never trimming; "" gives no piece.
QStringList commaSplit(const QString &text);
QString commaJoin(const QStringList &pieces);

} // namespace TextRoutines
