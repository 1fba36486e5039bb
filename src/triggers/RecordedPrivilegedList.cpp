#include "triggers/RecordedPrivilegedList.h"

#include "clearcase/ClearCase.h"
#include "access/OperationsCatalogue.h"

namespace {

constexpr int textValueType = 8;

} // namespace

namespace RecordedPrivilegedList {

void record(ClearCase &clearCase, const QString &vobTag, const QString &vobRoot, const QString &list)
{
    if (!clearCase.attributeTypeNames(vobTag).contains(attributeName))
        clearCase.createAttributeType(vobTag, attributeName, textValueType, comment);
    clearCase.attachAttribute(vobTag, attributeName, clearCase.siteStyle().rootVersionOf(vobRoot), list, comment, true);
}

QString inForce(ClearCase &clearCase, const QString &vobRoot)
{
    for (const AttributeInfo &attribute : clearCase.attributes(clearCase.siteStyle().rootVersionOf(vobRoot))) {
        if (attribute.typeName == attributeName)
            return attribute.value;
    }
    return OperationsCatalogue::defaultPrivilegedList();
}

} // namespace RecordedPrivilegedList
