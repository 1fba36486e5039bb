#include "triggers/RecordedPrivilegedList.h"

#include "clearcase/ClearCase.h"
#include "clearcase/SiteStyle.h"
#include "access/OperationsCatalogue.h"

namespace {

constexpr int textValueType = 8;

QString rootVersion(const QString &vobRoot)
{
    return SiteStyle::current().rootVersionOf(vobRoot);
}

} // namespace

namespace RecordedPrivilegedList {

void record(ClearCase &clearCase, const QString &vobTag, const QString &vobRoot, const QString &list)
{
    if (!clearCase.attributeTypeNames(vobTag).contains(attributeName))
        clearCase.createAttributeType(vobTag, attributeName, textValueType, comment);
    clearCase.attachAttribute(vobTag, attributeName, rootVersion(vobRoot), list, comment, true);
}

QString inForce(ClearCase &clearCase, const QString &vobRoot)
{
    for (const AttributeInfo &attribute : clearCase.attributes(rootVersion(vobRoot))) {
        if (attribute.typeName == attributeName)
            return attribute.value;
    }
    return OperationsCatalogue::defaultPrivilegedList();
}

} // namespace RecordedPrivilegedList
