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

std::optional<QString> given(const Row &row, const QString &column)
{
    const QString cell = row.value(column, QStringLiteral("-"));
    return cell == QLatin1String("-") ? std::nullopt : std::optional<QString>(cell);
}

AccessDecision::Verdict decideRow(const Row &row)
{
    AccessDecision::Request request;
    request.user = row.value(QStringLiteral("user"));
    request.operation = row.value(QStringLiteral("op"));
    request.typeTarget = row.value(QStringLiteral("target")) == QLatin1String("type");
    request.typeKind = given(row, QStringLiteral("mtype")).value_or(QString());
    request.changedType = given(row, QStringLiteral("attype")).value_or(QString());
    AccessDecision::Policy policy;
    policy.administrators = row.value(QStringLiteral("admins")).split(QLatin1Char(','), Qt::SkipEmptyParts);
    policy.privilegedList = given(row, QStringLiteral("privoper")).value_or(OperationsCatalogue::defaultPrivilegedList());
    policy.vobOwner = given(row, QStringLiteral("owner")).value_or(QString());
    AccessDecision::Settings settings;
    settings.value = [&](AccessDecision::Place place, const QString &type) -> std::optional<QString> {
        const QString column = place == AccessDecision::Place::VobRoot ? QStringLiteral("root") : QStringLiteral("elem");
        if (type != QLatin1String("__") + request.operation)
            return given(row, column + QLatin1Char('_') + type.mid(2));
        return given(row, column);
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
