#include "util/ReportFormat.h"

#include <QList>
#include <QPair>

namespace ReportFormats {

bool parse(const QString &name, ReportFormat &format)
{
    static const QList<QPair<QString, ReportFormat>> formats{
        {QStringLiteral("text"), ReportFormat::Text}, {QStringLiteral("csv"), ReportFormat::Csv}, {QStringLiteral("json"), ReportFormat::Json}};
    for (const auto &known : formats) {
        if (known.first == name) {
            format = known.second;
            return true;
        }
    }
    return false;
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

} // namespace ReportFormats
