#include "access/AccessAttributeFormat.h"

#include "util/TextRoutines.h"

#include <QLocale>

namespace AccessAttributeFormat {

QString typeName(const QString &operation)
{
    return operationMarker + operation;
}

QString operationOf(const QString &name)
{
    return TextRoutines::getLastToken(name, operationMarker);
}

QString typeComment(const QString &date)
{
    return QStringLiteral("Created by VuVoziruv Evarori on ") + date + QStringLiteral(" * * DO NOT DELETE * *");
}

QString typeComment(const QDate &date)
{
    return typeComment(QLocale().toString(date, QLocale::ShortFormat));
}

QString joinUsers(const QStringList &users)
{
    return users.isEmpty() ? emptyListMarker : TextRoutines::commaJoin(users);
}

QStringList splitUsers(const QString &value)
{
    QStringList users;
    for (const QString &piece : TextRoutines::commaSplit(value)) {
        if (piece != emptyListMarker && !users.contains(piece, Qt::CaseInsensitive))
            users << piece;
    }
    return users;
}

QStringList splitGroups(const QString &value)
{
    return TextRoutines::commaSplit(value);
}

bool isStorableUserName(const QString &user)
{
    return !user.trimmed().isEmpty() && !user.contains(QLatin1Char(',')) && user != emptyListMarker;
}

bool isOperationType(const QString &name)
{
    return name.contains(operationMarker);
}

bool isPurgedType(const QString &name)
{
    return isOperationType(name) || name == groupsTypeName;
}

std::optional<QString> valueIfSet(const QList<AttributeInfo> &attributes, const QString &typeName)
{
    for (const AttributeInfo &attribute : attributes) {
        if (attribute.typeName == typeName)
            return attribute.value;
    }
    return std::nullopt;
}

QString valueOf(const QList<AttributeInfo> &attributes, const QString &typeName)
{
    return valueIfSet(attributes, typeName).value_or(QString());
}

} // namespace AccessAttributeFormat
