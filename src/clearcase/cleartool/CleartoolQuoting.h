#pragma once

#include <QString>
#include <QStringList>

// The one place where arguments become a cleartool command line. cleartool's own line
// parser splits at unquoted whitespace and removes one level of '...' or "..." quotes; a
// backslash is an ordinary character (Windows rule), so element paths pass unchanged.
//
// Text that cannot be passed safely (both quote characters in one argument, a line break,
// a NUL) is refused with a ZanError and never sent.
namespace CleartoolQuoting {

// The argument as cleartool must receive it: bare when it is plain, in '...' when it is
// empty or holds whitespace or one of []()*?" , in "..." when it holds a single quote.
QString quote(const QString &argument);

// A string attribute value: cleartool wants the double quotes as part of the argument,
// so bob,ALL is sent as '"bob,ALL"'.
QString stringValue(const QString &value);

// Joins already quoted arguments into one command line.
QString join(const QStringList &quotedArguments);

// Throws unless the line can travel as one co-process command (no line break, no NUL).
void requireSingleLine(const QString &commandLine);

} // namespace CleartoolQuoting
