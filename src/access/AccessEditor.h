#pragma once

#include "access/AccessListChange.h"
#include "access/AccessSettings.h"
#include "clearcase/ClearCase.h"

#include <functional>

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
//   changeUsers(location, op, change, list)
//                                     applies one edit to op's value as stored at its home,
//                                     read just before writing, and returns the users then
//                                     stored. It holds the element's edit mark meanwhile
//                                     (ElementEditLock); the write is read back and redone
//                                     while a writer that takes no mark has undone the edit.
//   changeGroups(location, change)    the same for "QX_GROUPS".
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
    QStringList changeUsers(const ElementLocation &location, const QString &operation, const AccessListChange &change,
                            const QString &privilegedList);
    QStringList changeGroups(const ElementLocation &location, const AccessListChange &change);
    void deleteOperation(const ElementLocation &location, const QString &operation);
    void writeGroups(const ElementLocation &location, const QStringList &groups);

    // The comment every access attribute carries.
    static const QString attributeComment;

private:
    void write(const ElementLocation &location, const QString &element, const QString &typeName, const QString &value,
               bool replace);
    bool isOn(const QString &element, const QString &typeName);
    QString storedValue(const QString &element, const QString &typeName);
    QStringList changeList(const ElementLocation &location, const QString &home, const QString &what,
                           const std::function<QStringList(bool write, const QStringList &list)> &access,
                           const AccessListChange &change);

    // Rounds of read, apply and write before an edit that keeps being overwritten fails.
    static constexpr int editRounds = 5;

    ClearCase &m_clearCase;
};
