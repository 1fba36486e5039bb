#pragma once

#include <QString>

// The forms a listing is written in, as zanctl's --format names them.
enum class ReportFormat { Text, Csv, Json };

namespace ReportFormats {

// "text", "csv", "json"; false for anything else.
bool parse(const QString &name, ReportFormat &format);

// A CSV field: quoted, its quotes doubled, when it holds a comma, a quote or a line break.
QString csvField(const QString &text);

} // namespace ReportFormats
