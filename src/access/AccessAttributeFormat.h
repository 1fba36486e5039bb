#pragma once

#include "clearcase/ClearCase.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

// How access settings are stored on an element's "/main/0" version: one string attribute
// "__" + operation whose value lists the allowed users, and "QX_GROUPS" listing the groups
// whose members were copied in. Plain QtCore: every reader and writer of the format shares
// these rules.
namespace AccessAttributeFormat {

inline const QString operationMarker = QStringLiteral("__");
inline const QString groupsTypeName = QStringLiteral("QX_GROUPS");
// The privileged-operations list recorded on the VOB root by the trigger installation.
inline const QString privilegedListTypeName = QStringLiteral("QX_PRIVOPER");
inline const QString emptyListMarker = QStringLiteral("NONE");

// "__" + operation.
QString typeName(const QString &operation);

// The comment of every attribute type the tool creates, dated with the short date form.
QString typeComment(const QString &date);
QString typeComment(const QDate &date);

// Users list -> attribute value: comma-joined, or "NONE" for an empty list.
QString joinUsers(const QStringList &users);

// The operation an operation setting's type name stands for: the text after the last
// "__", trimmed.
QString operationOf(const QString &typeName);

// Attribute value -> users: every comma piece except exactly "NONE", untrimmed, each name
// once (duplicates compared ignoring case). "a,,b" gives a, "" and b.
QStringList splitUsers(const QString &value);

// "QX_GROUPS" value -> group names; an empty value means no groups.
QStringList splitGroups(const QString &value);

// A user name the value can carry without changing its meaning.
bool isStorableUserName(const QString &user);

// Type names: operation settings contain "__"; purges also take "QX_GROUPS".
bool isOperationType(const QString &typeName);
bool isPurgedType(const QString &typeName);

// Value of the first attribute of exactly that type name: nothing when there is none
// (valueIfSet), "" when there is none (valueOf).
std::optional<QString> valueIfSet(const QList<AttributeInfo> &attributes, const QString &typeName);
QString valueOf(const QList<AttributeInfo> &attributes, const QString &typeName);

} // namespace AccessAttributeFormat
