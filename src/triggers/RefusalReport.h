#pragma once

#include "triggers/RefusalLog.h"
#include "util/ReportFormat.h"

#include <QString>

// Recorded refusals written out: aligned text columns under a header line, local times (what
// zanctl and the window's Detail show); CSV with one header line or one JSON array, with UTC
// times in ISO 8601.
namespace RefusalReport {

QString render(const QList<RefusalLog::Refusal> &refusals, ReportFormat format);

} // namespace RefusalReport
