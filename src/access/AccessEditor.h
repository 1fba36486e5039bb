#pragma once

#include "access/AccessSettings.h"
#include "clearcase/ClearCase.h"

#include <QDate>

// Writes one element's settings through the ClearCase interface; every failure is thrown as
// ZanError and nothing here reports to the user. The privileged list decides where an
// operation's setting lives: privileged ones on the VOB root directory, others on the element.
//
//   settingHome(location, op, list)   the element that carries op's setting.
//   ensureAttributeType(vob, op)      creates "__"+op with the tool's dated comment if missing.
//   addOperation(location, op, list)  attaches "NONE" at op's home unless op is set there;
//                                     false when it was set already.
//   writeUsers(location, op, users, list)
//                                     replaces op's value at its home with the users ("NONE"
//                                     for none). Refuses an empty operation name.
//   deleteOperation(location, op)     removes "__"+op from the element itself.
//   writeGroups(location, groups)     replaces "QX_GROUPS"; no groups removes the attribute.
class AccessEditor
{
public:
    explicit AccessEditor(ClearCase &clearCase) : m_clearCase(clearCase) {}

    static QString settingHome(const ElementLocation &location, const QString &operation, const QString &privilegedList);

    void ensureAttributeType(const ElementLocation &vob, const QString &typeName, const QDate &today = QDate::currentDate());
    bool addOperation(const ElementLocation &location, const QString &operation, const QString &privilegedList);
    void writeUsers(const ElementLocation &location, const QString &operation, const QStringList &users,
                    const QString &privilegedList);
    void deleteOperation(const ElementLocation &location, const QString &operation);
    void writeGroups(const ElementLocation &location, const QStringList &groups);

    // The comment every access attribute carries.
    static const QString attributeComment;

private:
    void write(const ElementLocation &location, const QString &element, const QString &typeName, const QString &value,
               bool replace);
    bool isOn(const QString &element, const QString &typeName);

    ClearCase &m_clearCase;
};
