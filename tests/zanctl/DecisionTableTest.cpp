// Every row of the enforcement decision table that the access core can play must come out
// as the security script decides it.
#include "access/AccessDecision.h"
#include "access/OperationsCatalogue.h"

#include <QFile>
#include <QHash>
#include <gtest/gtest.h>

namespace {

using Row = QHash<QString, QString>;

QList<Row> tableRows()
{
    QFile file(QStringLiteral(ZAN_SOURCE_DIR "/tests/trigger/enforcement-cases.tsv"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QStringList header;
    QList<Row> rows;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1Char('#')) || line.trimmed().isEmpty())
            continue;
        const QStringList cells = line.split(QLatin1Char('\t'));
        if (header.isEmpty()) {
            header = cells;
            continue;
        }
        Row row;
        for (int i = 0; i < header.size(); ++i)
            row.insert(header.at(i).trimmed(), i < cells.size() ? cells.at(i) : QStringLiteral("-"));
        rows << row;
    }
    return rows;
}

// A cell's text with \n, \t and \\ decoded; nothing for "-".
std::optional<QString> given(const Row &row, const QString &column)
{
    const QString cell = row.value(column, QStringLiteral("-"));
    if (cell == QLatin1String("-"))
        return std::nullopt;
    QString text;
    for (int i = 0; i < cell.size(); ++i) {
        const int escape = cell.at(i) == '\\' && i + 1 < cell.size() ? QStringLiteral("nt\\").indexOf(cell.at(i + 1)) : -1;
        text += escape < 0 ? cell.at(i) : QStringLiteral("\n\t\\").at(escape);
        i += escape < 0 ? 0 : 1;
    }
    return text;
}

AccessDecision::Verdict decideRow(const Row &row)
{
    AccessDecision::Request request;
    request.user = row.value(QStringLiteral("user"));
    request.operation = row.value(QStringLiteral("op"));
    request.typeTarget = row.value(QStringLiteral("target")) == QLatin1String("type");
    request.typeKind = given(row, QStringLiteral("mtype")).value_or(request.typeTarget ? QStringLiteral("attribute type")
                                                                                        : QStringLiteral("version"));
    request.changedType = given(row, QStringLiteral("typename"));
    AccessDecision::Policy policy;
    policy.administrators = row.value(QStringLiteral("admins")).split(QLatin1Char(','));
    policy.privilegedList = given(row, QStringLiteral("privoper")).value_or(OperationsCatalogue::defaultPrivilegedList());
    policy.privilegedListRecorded = given(row, QStringLiteral("privoper")).has_value();
    policy.vobOwner = given(row, QStringLiteral("vobowner")).value_or(QStringLiteral("vobadm"));
    AccessDecision::Settings settings;
    settings.value = [&](AccessDecision::Place place, const QString &type) -> std::optional<QString> {
        if (type != QLatin1String("__") + request.operation) // the kind's own creation setting
            return place == AccessDecision::Place::VobRoot ? given(row, QStringLiteral("kindroot")) : std::nullopt;
        return given(row, place == AccessDecision::Place::VobRoot ? QStringLiteral("root") : QStringLiteral("elem"));
    };
    settings.where = [](AccessDecision::Place) { return QStringLiteral("here"); };
    return AccessDecision::decide(request, policy, settings);
}

} // namespace

TEST(DecisionTable, CoreAgreesWithTheScriptOnEverySharedRow)
{
    const QList<Row> rows = tableRows();
    ASSERT_GT(rows.size(), 20);
    for (const Row &row : rows) {
        if (given(row, QStringLiteral("scope")).value_or(QStringLiteral("both")) != QLatin1String("both"))
            continue;
        const AccessDecision::Verdict verdict = decideRow(row);
        EXPECT_EQ(verdict.allowed ? "allow" : "deny", row.value(QStringLiteral("expect")).toStdString())
            << row.value(QStringLiteral("case")).toStdString() << "\n  " << verdict.chain.join(QStringLiteral("\n  ")).toStdString();
    }
}
