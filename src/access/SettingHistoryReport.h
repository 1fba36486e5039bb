#pragma once

#include "access/SettingHistory.h"

#include <QString>

// A setting history written out: aligned text lines under the element's path (what zanctl
// and the window's Detail show), CSV with one header line, or one JSON document. Times are
// local; CSV and JSON write them in ISO 8601.
namespace SettingHistoryReport {

enum class Format { Text, Csv, Json };

// "text", "csv", "json"; false for anything else.
bool parseFormat(const QString &name, Format &format);

QString render(const QString &element, const QList<SettingHistory::Change> &changes, Format format);

} // namespace SettingHistoryReport
