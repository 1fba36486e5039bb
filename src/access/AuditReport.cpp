#include "access/AuditReport.h"

#include "access/VobAudit.h"
#include "clearcase/ClearCase.h"
#include "util/ReportFormat.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>

namespace AuditReport {

namespace {

QString place(const VobAudit::Row &row)
{
    return row.onVobRoot ? QStringLiteral("root") : QStringLiteral("element");
}

QString usersText(const VobAudit::Row &row)
{
    QStringList shown = row.users;
    if (row.value.split(QLatin1Char(',')).contains(QStringLiteral("ALL")))
        shown.prepend(QStringLiteral("ALL"));
    return shown.join(QLatin1Char(','));
}

QByteArray csv(const QList<VobAudit> &audits)
{
    QString out = QStringLiteral("path,operation,value,groups,place\r\n");
    for (const VobAudit &audit : audits) {
        for (const VobAudit::Row &row : audit.rows) {
            out += QStringList{ReportFormats::csvField(row.path), ReportFormats::csvField(row.operation), ReportFormats::csvField(row.value),
                               ReportFormats::csvField(row.groups.join(QLatin1Char(','))), place(row)}
                       .join(QLatin1Char(',')) +
                   QStringLiteral("\r\n");
        }
    }
    return out.toUtf8();
}

QByteArray text(const VobAudit &audit)
{
    QString out = QStringLiteral("VOB %1 (%2): %3\n").arg(audit.vobTag, audit.vobRoot, triggerStatus(audit));
    for (const QString &line : audit.enforcement.describe())
        out += QStringLiteral("  ") + line + QLatin1Char('\n');
    out += QStringLiteral("%1 setting(s) on %2 element(s)\n").arg(audit.rows.size()).arg(audit.elements.size());
    for (const VobAudit::Row &row : audit.rows) {
        out += QStringLiteral("%1  %2  users: %3  groups: %4  (%5)%6\n")
                   .arg(row.path, row.operation, usersText(row).isEmpty() ? QStringLiteral("-") : usersText(row),
                        row.groups.isEmpty() ? QStringLiteral("-") : row.groups.join(QLatin1Char(',')), place(row),
                        row.refusesEveryone() ? QStringLiteral("  REFUSED FOR EVERYONE") : QString());
    }
    return out.toUtf8();
}

QJsonObject triggersJson(const VobAudit &audit)
{
    QJsonArray triggers;
    for (const VobEnforcement::Trigger &trigger : audit.enforcement.triggers()) {
        QJsonArray actions;
        for (const VobEnforcement::Action &action : trigger.actions)
            actions.append(QJsonObject{{QStringLiteral("option"), action.option}, {QStringLiteral("command"), action.command},
                                       {QStringLiteral("scriptFound"), action.scriptFound}});
        triggers.append(QJsonObject{{QStringLiteral("name"), trigger.name}, {QStringLiteral("present"), trigger.present},
                                    {QStringLiteral("actions"), actions}});
    }
    return QJsonObject{{QStringLiteral("installed"), audit.enforcement.installed()},
                       {QStringLiteral("enforced"), audit.enforcement.enforced()},
                       {QStringLiteral("types"), triggers}};
}

QJsonObject json(const VobAudit &audit)
{
    QJsonArray rows;
    for (const VobAudit::Row &row : audit.rows) {
        rows.append(QJsonObject{{QStringLiteral("path"), row.path},
                                {QStringLiteral("operation"), row.operation},
                                {QStringLiteral("value"), row.value},
                                {QStringLiteral("users"), QJsonArray::fromStringList(row.users)},
                                {QStringLiteral("groups"), QJsonArray::fromStringList(row.groups)},
                                {QStringLiteral("place"), place(row)},
                                {QStringLiteral("refusesEveryone"), row.refusesEveryone()}});
    }
    const QJsonObject root{{QStringLiteral("vob"), audit.vobTag},
                           {QStringLiteral("root"), audit.vobRoot},
                           {QStringLiteral("privilegedList"), audit.privilegedList},
                           {QStringLiteral("privilegedListRecorded"), audit.privilegedListRecorded},
                           {QStringLiteral("triggers"), triggersJson(audit)},
                           {QStringLiteral("rows"), rows}};
    return root;
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

QString htmlSection(const VobAudit &audit)
{
    QMap<QString, QList<const VobAudit::Row *>> byFolder;
    for (const VobAudit::Row &row : audit.rows)
        byFolder[row.folder] << &row;
    QString out = QStringLiteral("<h1>Access audit of %1</h1>\n<p>VOB root: %2<br>Triggers: %3<br>Privileged list: %4 (%5)</p>\n")
                      .arg(audit.vobTag.toHtmlEscaped(), audit.vobRoot.toHtmlEscaped(), triggerStatus(audit).toHtmlEscaped(),
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
    return out;
}

QByteArray html(const QList<VobAudit> &audits)
{
    QStringList tags;
    QString sections;
    for (const VobAudit &audit : audits) {
        tags << audit.vobTag;
        sections += htmlSection(audit);
    }
    return (QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Access audit of %1</title>\n<style>"
                           "body{font-family:sans-serif;margin:2em}table{border-collapse:collapse;margin-bottom:1.5em}"
                           "th,td{border:1px solid #999;padding:.2em .6em;text-align:left}th{background:#eee}"
                           "tr.refused td{background:#fdd;color:#900;font-weight:bold}</style></head><body>\n")
                .arg(tags.join(QStringLiteral(", ")).toHtmlEscaped()) +
            sections + QStringLiteral("</body></html>\n"))
        .toUtf8();
}


} // namespace

bool parseFormat(const QString &name, Format &format)
{
    static const QMap<QString, Format> formats{{QStringLiteral("text"), Format::Text}, {QStringLiteral("csv"), Format::Csv},
                                               {QStringLiteral("json"), Format::Json}, {QStringLiteral("html"), Format::Html}};
    if (!formats.contains(name))
        return false;
    format = formats.value(name);
    return true;
}

QString triggerStatus(const VobAudit &audit)
{
    if (audit.enforcement.enforced())
        return QStringLiteral("security triggers installed, script in place");
    if (audit.enforcement.installed())
        return QStringLiteral("security triggers installed, but a script is MISSING: every guarded operation is refused");
    return QStringLiteral("security triggers NOT installed: nothing is enforced");
}

QByteArray render(const VobAudit &audit, Format format)
{
    if (format == Format::Json)
        return QJsonDocument(json(audit)).toJson(QJsonDocument::Indented);
    return render(QList<VobAudit>{audit}, format);
}

QByteArray render(const QList<VobAudit> &audits, Format format)
{
    switch (format) {
    case Format::Csv:
        return csv(audits);
    case Format::Json: {
        QJsonArray documents;
        for (const VobAudit &audit : audits)
            documents.append(json(audit));
        return QJsonDocument(documents).toJson(QJsonDocument::Indented);
    }
    case Format::Html:
        return html(audits);
    case Format::Text:
        break;
    }
    QByteArray out;
    for (const VobAudit &audit : audits)
        out += (out.isEmpty() ? QByteArray() : QByteArray("\n")) + text(audit);
    return out;
}

} // namespace AuditReport
