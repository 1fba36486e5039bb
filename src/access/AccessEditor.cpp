#include "access/AccessEditor.h"

#include "access/AccessAttributeFormat.h"
#include "access/ElementEditLock.h"
#include "access/OperationsCatalogue.h"
#include "clearcase/CCase.h"
#include "util/TextRoutines.h"
#include "util/ZanError.h"

namespace Format = AccessAttributeFormat;

namespace {
constexpr int stringValueType = 8;
}

const QString AccessEditor::attributeComment = QStringLiteral("Korvane Zan Tool: Do NOT REMOVE");

QString AccessEditor::settingHome(const ElementLocation &location, const QString &operation, const QString &privilegedList)
{
    return OperationsCatalogue::isPrivileged(operation, privilegedList) ? location.rootElement() : location.element();
}

void AccessEditor::ensureAttributeType(const ElementLocation &vob, const QString &typeName, const QDate &today)
{
    m_clearCase.requireVob(vob.vobTag);
    if (!m_clearCase.attributeTypeNames(vob.vobTag).contains(typeName, Qt::CaseSensitive))
        m_clearCase.createAttributeType(vob.vobTag, typeName, stringValueType, Format::typeComment(today));
}

void AccessEditor::write(const ElementLocation &location, const QString &element, const QString &typeName,
                         const QString &value, bool replace)
{
    const QString version = CCase::versionOf(element);
    m_clearCase.requireVob(location.vobTag);
    m_clearCase.requireVersion(version);
    m_clearCase.attachAttribute(location.vobTag, typeName, version, value, attributeComment, replace);
}

bool AccessEditor::isOn(const QString &element, const QString &typeName)
{
    for (const AttributeInfo &attribute : m_clearCase.attributes(CCase::versionOf(element))) {
        if (attribute.typeName == typeName)
            return true;
    }
    return false;
}

bool AccessEditor::addOperation(const ElementLocation &location, const QString &operation, const QString &privilegedList)
{
    const QString home = settingHome(location, operation, privilegedList);
    const QString typeName = Format::typeName(operation);
    if (isOn(home, typeName))
        return false;
    write(location, home, typeName, Format::emptyListMarker, false);
    return true;
}

void AccessEditor::writeUsers(const ElementLocation &location, const QString &operation, const QStringList &users,
                              const QString &privilegedList)
{
    // "__" alone is no operation: writing it would set nothing anybody can see or enforce.
    if (operation.trimmed().isEmpty())
        throw ZanError(ZanError::General, QStringLiteral("AccessEditor"), QStringLiteral("No operation is selected."));
    write(location, settingHome(location, operation, privilegedList), Format::typeName(operation), Format::joinUsers(users),
          true);
}

QString AccessEditor::storedValue(const QString &element, const QString &typeName)
{
    return Format::valueOf(m_clearCase.attributes(CCase::versionOf(element)), typeName);
}

QStringList AccessEditor::changeUsers(const ElementLocation &location, const QString &operation,
                                      const AccessListChange &change, const QString &privilegedList)
{
    if (operation.trimmed().isEmpty())
        throw ZanError(ZanError::General, QStringLiteral("AccessEditor"), QStringLiteral("No operation is selected."));
    const QString home = settingHome(location, operation, privilegedList);
    const QString typeName = Format::typeName(operation);
    return changeList(location, home, QStringLiteral("The users of \"%1\" on %2").arg(operation, home), [&](bool write, const QStringList &users) {
        if (write)
            this->write(location, home, typeName, Format::joinUsers(users), true);
        return Format::splitUsers(storedValue(home, typeName));
    }, change);
}

QStringList AccessEditor::changeGroups(const ElementLocation &location, const AccessListChange &change)
{
    const QString element = location.element();
    return changeList(location, element, QStringLiteral("The groups on %1").arg(element), [&](bool write, const QStringList &groups) {
        if (write)
            writeGroups(location, groups);
        return Format::splitGroups(storedValue(element, Format::groupsTypeName));
    }, change);
}

// Holding the element's edit mark, reads the list, applies the change and writes it; the
// write is read back and redone while a writer that does not take the mark (plain
// cleartool, an older tool) has undone it meanwhile.
QStringList AccessEditor::changeList(const ElementLocation &location, const QString &home, const QString &what,
                                     const std::function<QStringList(bool write, const QStringList &list)> &access,
                                     const AccessListChange &change)
{
    QStringList stored;
    ElementEditLock::run(m_clearCase, location.vobTag, CCase::versionOf(home), [&] {
        stored = access(false, {});
        for (int round = 0; round < editRounds; ++round) {
            stored = access(true, change.appliedTo(stored));
            if (change.isShownBy(stored))
                return;
        }
        throw ZanError(ZanError::ClearCaseFailure, QStringLiteral("AccessEditor"),
                       what + QStringLiteral(" kept being changed by another writer; the edit was not kept."));
    });
    return stored;
}

void AccessEditor::deleteOperation(const ElementLocation &location, const QString &operation)
{
    const QString typeName = Format::typeName(operation);
    const QString version = CCase::versionOf(location.path);
    if (!isOn(location.path, typeName))
        throw ZanError(ZanError::ClearCaseFailure, QStringLiteral("ClearCase.Version"),
                       QStringLiteral("No attribute of type \"%1\" on version \"%2\"").arg(typeName, version));
    m_clearCase.removeAttribute(version, typeName, QString());
}

void AccessEditor::writeGroups(const ElementLocation &location, const QStringList &groups)
{
    if (!groups.isEmpty()) {
        write(location, location.element(), Format::groupsTypeName, TextRoutines::commaJoin(groups), true);
        return;
    }
    const QString version = CCase::versionOf(location.element());
    if (isOn(location.element(), Format::groupsTypeName))
        m_clearCase.removeAttribute(version, Format::groupsTypeName, QString());
}
