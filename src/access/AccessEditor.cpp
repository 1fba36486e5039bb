#include "access/AccessEditor.h"

#include "access/AccessAttributeFormat.h"
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
