#include "access/SettingHistoryReport.h"

#include "access/AccessAttributeFormat.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace Format = AccessAttributeFormat;
using Change = SettingHistory::Change;

namespace {

QString valueText(const Change &change)
{
    if (!change.hasValue)
        return QStringLiteral("(value not recorded)");
    if (change.operation.isEmpty())
        return change.setting == QLatin1String("groups") ? Format::splitGroups(change.value).join(QStringLiteral(", ")) : change.value;
    const QStringList users = Format::splitUsers(change.value);
    return users.isEmpty() ? QStringLiteral("nobody (NONE)") : users.join(QStringLiteral(", "));
}

QString whatText(const Change &change)
{
    const QString what = change.setting + QLatin1Char(' ') + SettingHistory::actionName(change.action);
    if (change.action == Change::Removed || change.action == Change::Made)
        return what;
    return what + QStringLiteral(": ") + valueText(change);
}

QString text(const QString &element, const QList<Change> &changes)
{
    QString out = element + QLatin1Char('\n');
    if (changes.isEmpty())
        return out + QStringLiteral("  no recorded change\n");
    qsizetype userWidth = 0, hostWidth = 0;
    for (const Change &change : changes) {
        userWidth = std::max(userWidth, change.user.size());
        hostWidth = std::max(hostWidth, change.host.size());
    }
    for (const Change &change : changes)
        out += QStringLiteral("  %1  %2  %3  %4\n")
                   .arg(change.time.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")), change.user.leftJustified(userWidth),
                        change.host.leftJustified(hostWidth), whatText(change));
    return out;
}

QString csv(const QString &element, const QList<Change> &changes)
{
    QString out = QStringLiteral("time,user,host,element,setting,action,value\n");
    for (const Change &change : changes) {
        QStringList fields{change.time.toString(Qt::ISODate), change.user, change.host, element, change.setting,
                           SettingHistory::actionName(change.action), change.hasValue ? change.value : QString()};
        for (QString &field : fields)
            field = ReportFormats::csvField(field);
        out += fields.join(QLatin1Char(',')) + QLatin1Char('\n');
    }
    return out;
}

QString json(const QString &element, const QList<Change> &changes)
{
    QJsonArray records;
    for (const Change &change : changes) {
        QJsonObject record{{QStringLiteral("time"), change.time.toString(Qt::ISODate)},
                           {QStringLiteral("user"), change.user},
                           {QStringLiteral("host"), change.host},
                           {QStringLiteral("setting"), change.setting},
                           {QStringLiteral("action"), SettingHistory::actionName(change.action)},
                           {QStringLiteral("comment"), change.comment}};
        if (!change.operation.isEmpty())
            record.insert(QStringLiteral("operation"), change.operation);
        if (change.hasValue)
            record.insert(QStringLiteral("value"), change.value);
        records.append(record);
    }
    const QJsonObject document{{QStringLiteral("element"), element}, {QStringLiteral("changes"), records}};
    return QString::fromUtf8(QJsonDocument(document).toJson(QJsonDocument::Indented));
}

} // namespace

namespace SettingHistoryReport {

QString render(const QString &element, const QList<Change> &changes, Format format)
{
    switch (format) {
    case Format::Csv:
        return csv(element, changes);
    case Format::Json:
        return json(element, changes);
    case Format::Text:
        break;
    }
    return text(element, changes);
}

} // namespace SettingHistoryReport
