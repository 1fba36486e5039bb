#pragma once

#include "clearcase/SiteStyle.h"

#include <QString>
#include <QStringList>

// The one place where arguments become a cleartool command line, for the line parser of
// the site's cleartool. Both split at unquoted whitespace and remove one level of '...' or
// "..." quotes. On Windows a backslash is an ordinary character, so element paths pass
// unchanged. On UNIX an unquoted backslash escapes the next character, so text holding a
// backslash, or both quote characters, goes without quotes and with every punctuation
// character escaped (the form every UNIX reading agrees on).
//
// Text that cannot be passed safely (a line break, a NUL; on Windows both quote characters
// in one argument) is refused with a ZanError and never sent.
namespace CleartoolQuoting {

using Style = SiteStyle::Kind;

// The argument as cleartool must receive it: bare when it is plain, in '...' when it is
// empty or holds whitespace or one of []()*?" (UNIX also $;&|<>`~#!{}), in "..." when it
// holds a single quote.
QString quote(const QString &argument, Style style);

// A string attribute value: cleartool wants the double quotes as part of the argument,
// so bob,ALL is sent as '"bob,ALL"' (and O'Toole on UNIX as \"O\'Toole\"). A value holding
// a double quote (or, on UNIX, a backslash) is refused: how mkattr unescapes it is not
// certain.
QString stringValue(const QString &value, Style style);

// Joins already quoted arguments into one command line.
QString join(const QStringList &quotedArguments);

// Throws unless the line can travel as one co-process command (no line break, no NUL).
void requireSingleLine(const QString &commandLine);

} // namespace CleartoolQuoting
