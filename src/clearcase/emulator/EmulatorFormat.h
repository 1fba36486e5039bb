#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <functional>

// cleartool's report formats (-fmt): "%" conversions with upper-case modifiers and an
// optional "[argument]" (%n, %Xn, %[ACL]a, %SN[ACL]a, %%), a printf-like width in front of
// any of them (%-12.12En: left-justified, at least and at most 12 characters), and the
// escapes \n \t \\ \' \nnn.
// Output ends with a newline only when the format asks for one.
namespace EmulatorFormat {

using Converter = std::function<QString(QChar conversion, const QString &modifiers, const QString &argument)>;

QString expand(const QString &format, const Converter &convert);

// %a of name and value pairs (values as printed, strings quoted): (ACL="bob,ALL", Level=3);
// the modifier N leaves out the names, S the parentheses ("" when there are none).
QString attributes(const QList<QPair<QString, QString>> &namedValues, const QString &modifiers);

} // namespace EmulatorFormat
