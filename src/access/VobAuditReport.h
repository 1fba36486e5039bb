#pragma once

#include "access/AuditReport.h"

#include <QByteArray>

class VobAudit;

// An audit written out as AuditReport writes it, except that the CSV and the HTML page give
// each setting's value as stored (so NONE reads NONE, not an empty cell), every HTML column
// has a header, and each trigger action is one item under its trigger type.
namespace VobAuditReport {

QByteArray render(const VobAudit &audit, AuditReport::Format format);

} // namespace VobAuditReport
