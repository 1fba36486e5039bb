#pragma once

#include "clearcase/SiteStyle.h"

#include <QString>
#include <QStringList>

// cleartool's own line parser: whitespace separates arguments; '...' and "..." group and
// lose their quotes, and quoted text joins any text touching it. On Windows a backslash is
// an ordinary character and ^' inside '...' is a single quote; on Unix an unquoted
// backslash escapes the next character and \" inside "..." is a double quote.
// An unbalanced quote throws ZanError with cleartool's error line.
class CommandLine
{
public:
    using Style = SiteStyle::Kind;

    static QStringList split(const QString &line, Style style = Style::Windows);

    // The argument written so that split() gives it back unchanged; throws for text that
    // cannot be passed (both quote characters, or a line break).
    static QString quote(const QString &argument, Style style = Style::Windows);
};
