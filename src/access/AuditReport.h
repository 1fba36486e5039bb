#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class VobAudit;

// An audit written out: plain text, CSV (one header line, then path, operation, users,
// groups, place), JSON, or one self-contained HTML page with a table per folder in which the
// settings that refuse everybody are marked.
namespace AuditReport {

enum class Format { Text, Csv, Json, Html };

// "text", "csv", "json", "html"; false for anything else.
bool parseFormat(const QString &name, Format &format);

QByteArray render(const VobAudit &audit, Format format);
// Several VOBs in one report: one CSV header, a JSON array, one HTML page, texts one after
// the other.
QByteArray render(const QList<VobAudit> &audits, Format format);

// One line on the VOB's trigger status, e.g. "triggers installed, script in place".
QString triggerStatus(const VobAudit &audit);

} // namespace AuditReport
