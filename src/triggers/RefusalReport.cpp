#include "triggers/RefusalReport.h"


#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <array>

using Refusal = RefusalLog::Refusal;

namespace {

const QStringList columns{QStringLiteral("time"),      QStringLiteral("host"),    QStringLiteral("user"),
                          QStringLiteral("operation"), QStringLiteral("path"),    QStringLiteral("vob"),
                          QStringLiteral("setting"),   QStringLiteral("reason")};

QStringList fieldsOf(const Refusal &refusal, const QString &time)
{
    return {time, refusal.host, refusal.user, refusal.operation, refusal.path, refusal.vobTag, refusal.setting, refusal.reason};
}

QString utcTime(const Refusal &refusal)
{
    return refusal.time.toUTC().toString(Qt::ISODate);
}

QString text(const QList<Refusal> &refusals)
{
    if (refusals.isEmpty())
        return QStringLiteral("no recorded refusal\n");
    QList<QStringList> rows{columns};
    for (const Refusal &refusal : refusals) {
        QStringList row = fieldsOf(refusal, refusal.time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
        if (row[6].isEmpty())
            row[6] = QStringLiteral("-");
        rows << row;
    }
    std::array<qsizetype, 7> widths{};
    for (const QStringList &row : rows) {
        for (size_t i = 0; i < widths.size(); ++i)
            widths[i] = std::max(widths[i], row.at(int(i)).size());
    }
    QString out;
    for (QStringList row : rows) {
        for (size_t i = 0; i < widths.size(); ++i)
            row[int(i)] = row.at(int(i)).leftJustified(widths[i]);
        out += row.join(QStringLiteral("  ")) + QLatin1Char('\n');
    }
    return out;
}

QString csv(const QList<Refusal> &refusals)
{
    QString out = columns.join(QLatin1Char(',')) + QLatin1Char('\n');
    for (const Refusal &refusal : refusals) {
        QStringList fields = fieldsOf(refusal, utcTime(refusal));
        for (QString &field : fields)
            field = ReportFormats::csvField(field);
        out += fields.join(QLatin1Char(',')) + QLatin1Char('\n');
    }
    return out;
}

QString json(const QList<Refusal> &refusals)
{
    QJsonArray records;
    for (const Refusal &refusal : refusals) {
        const QStringList fields = fieldsOf(refusal, utcTime(refusal));
        QJsonObject record;
        for (int i = 0; i < columns.size(); ++i)
            record.insert(columns.at(i), fields.at(i));
        records.append(record);
    }
    return QString::fromUtf8(QJsonDocument(records).toJson(QJsonDocument::Indented));
}

} // namespace

namespace RefusalReport {

QString render(const QList<Refusal> &refusals, ReportFormat format)
{
    switch (format) {
    case ReportFormat::Csv:
        return csv(refusals);
    case ReportFormat::Json:
        return json(refusals);
    case ReportFormat::Text:
        break;
    }
    return text(refusals);
}

} // namespace RefusalReport
