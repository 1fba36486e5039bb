#include "access/VobAuditReport.h"

#include "access/VobAudit.h"

#include <QMap>

namespace VobAuditReport {

namespace {

QString place(const VobAudit::Row &row)
{
    return row.onVobRoot ? QStringLiteral("root") : QStringLiteral("element");
}

QString csvField(const QString &text)
{
    static const QString special = QStringLiteral(",\"\r\n");
    for (const QChar c : text) {
        if (special.contains(c))
            return QLatin1Char('"') + QString(text).replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
    }
    return text;
}

QByteArray csv(const VobAudit &audit)
{
    QString out = QStringLiteral("path,operation,value,groups,place\r\n");
    for (const VobAudit::Row &row : audit.rows) {
        out += QStringList{csvField(row.path), csvField(row.operation), csvField(row.value), csvField(row.groups.join(QLatin1Char(','))),
                           place(row)}
                   .join(QLatin1Char(',')) +
               QStringLiteral("\r\n");
    }
    return out.toUtf8();
}

QString htmlRow(const VobAudit::Row &row)
{
    const QString cells = QStringList{row.path.toHtmlEscaped(), row.operation.toHtmlEscaped(), row.value.toHtmlEscaped(),
                                      row.groups.join(QStringLiteral(", ")).toHtmlEscaped(), place(row)}
                              .join(QStringLiteral("</td><td>"));
    if (row.refusesEveryone())
        return QStringLiteral("<tr class=\"refused\"><td>%1</td><td>refused for everyone</td></tr>\n").arg(cells);
    return QStringLiteral("<tr><td>%1</td><td></td></tr>\n").arg(cells);
}

// The trigger status lines as a list: a trigger type per item, its indented lines (the
// users it does not fire for, its actions) one item each beneath it.
QString htmlTriggers(const VobAudit &audit)
{
    QString out = QStringLiteral("<ul>\n");
    bool detailsOpen = false, itemOpen = false;
    for (const QString &line : audit.enforcement.describe()) {
        if (line.startsWith(QLatin1Char(' '))) {
            if (!detailsOpen)
                out += QStringLiteral("<ul>\n");
            detailsOpen = true;
            out += QStringLiteral("<li>%1</li>\n").arg(line.trimmed().toHtmlEscaped());
            continue;
        }
        out += QLatin1String(detailsOpen ? "</ul>" : "") + QLatin1String(itemOpen ? "</li>\n" : "");
        out += QStringLiteral("<li>%1").arg(line.toHtmlEscaped());
        detailsOpen = false;
        itemOpen = true;
    }
    out += QLatin1String(detailsOpen ? "</ul>" : "") + QLatin1String(itemOpen ? "</li>\n" : "");
    return out + QStringLiteral("</ul>\n");
}

QByteArray html(const VobAudit &audit)
{
    QMap<QString, QList<const VobAudit::Row *>> byFolder;
    for (const VobAudit::Row &row : audit.rows)
        byFolder[row.folder] << &row;
    QString out = QStringLiteral(
        "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Access audit of %1</title>\n<style>"
        "body{font-family:sans-serif;margin:2em}table{border-collapse:collapse;margin-bottom:1.5em}"
        "th,td{border:1px solid #999;padding:.2em .6em;text-align:left}th{background:#eee}"
        "tr.refused td{background:#fdd;color:#900;font-weight:bold}</style></head><body>\n"
        "<h1>Access audit of %1</h1>\n<p>VOB root: %2<br>Triggers: %3<br>Privileged list: %4 (%5)</p>\n")
        .arg(audit.vobTag.toHtmlEscaped(), audit.vobRoot.toHtmlEscaped(), AuditReport::triggerStatus(audit).toHtmlEscaped(),
             audit.privilegedList.toHtmlEscaped(),
             audit.privilegedListRecorded ? QStringLiteral("recorded in the VOB") : QStringLiteral("default"));
    out += htmlTriggers(audit);
    out += QStringLiteral("<p>%1 setting(s) on %2 element(s).</p>\n").arg(audit.rows.size()).arg(audit.elements.size());
    for (auto folder = byFolder.cbegin(); folder != byFolder.cend(); ++folder) {
        out += QStringLiteral("<h2>%1</h2>\n<table>\n<tr><th>path</th><th>operation</th><th>value</th><th>groups</th>"
                              "<th>place</th><th>note</th></tr>\n")
                   .arg(folder.key().toHtmlEscaped());
        for (const VobAudit::Row *row : folder.value())
            out += htmlRow(*row);
        out += QStringLiteral("</table>\n");
    }
    out += QStringLiteral("</body></html>\n");
    return out.toUtf8();
}

} // namespace

QByteArray render(const VobAudit &audit, AuditReport::Format format)
{
    switch (format) {
    case AuditReport::Format::Csv:
        return csv(audit);
    case AuditReport::Format::Html:
        return html(audit);
    case AuditReport::Format::Text:
    case AuditReport::Format::Json:
        break;
    }
    return AuditReport::render(audit, format);
}

} // namespace VobAuditReport
