#pragma once

#include "access/SettingHistory.h"
#include "util/ReportFormat.h"

#include <QString>

// A setting history written out: aligned text lines under the element's path (what zanctl
// and the window's Detail show), CSV with one header line, or one JSON document. Times are
// local; CSV and JSON write them in ISO 8601.
namespace SettingHistoryReport {

using Format = ReportFormat;

QString render(const QString &element, const QList<SettingHistory::Change> &changes, Format format);

} // namespace SettingHistoryReport
