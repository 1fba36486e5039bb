#pragma once

#include <QString>
#include <functional>

// cleartool's report formats (-fmt): "%" conversions with an optional "[argument]" and
// upper-case modifiers (%n, %Xn, %[ACL]a, %%), and the escapes \n \t \\ \' \nnn.
// Output ends with a newline only when the format asks for one.
namespace EmulatorFormat {

using Converter = std::function<QString(QChar conversion, const QString &modifiers, const QString &argument)>;

QString expand(const QString &format, const Converter &convert);

} // namespace EmulatorFormat
