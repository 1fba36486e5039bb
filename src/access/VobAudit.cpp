#include "access/VobAudit.h"

#include "access/AccessAttributeFormat.h"
#include "access/AccessExplainer.h"
#include "access/AccessSettingsReader.h"
#include "access/OperationsCatalogue.h"
#include "clearcase/ClearCase.h"
#include "clearcase/SiteStyle.h"
#include "platform/Platform.h"
#include "util/TextRoutines.h"

#include <QDir>
#include <QDirIterator>

namespace {

bool carriesSettings(const QList<AttributeInfo> &attributes)
{
    for (const AttributeInfo &attribute : attributes) {
        if (AccessAttributeFormat::isPurgedType(attribute.typeName))
            return true;
    }
    return false;
}

QString folderOf(const QString &path, const QString &vobRoot, QChar separator)
{
    const int cut = path.lastIndexOf(separator);
    return cut <= vobRoot.size() ? vobRoot : path.left(cut);
}

} // namespace

bool VobAudit::Row::refusesEveryone() const
{
    return users.isEmpty() && !TextRoutines::commaSplit(value).contains(QStringLiteral("ALL"));
}

void VobAudit::addRows(const Element &element, const SiteStyle &site)
{
    const QString groups = AccessAttributeFormat::valueOf(element.attributes, AccessAttributeFormat::groupsTypeName);
    const bool onRoot = element.path == site.vobRootElement(vobRoot);
    for (const AttributeInfo &attribute : element.attributes) {
        if (!AccessAttributeFormat::isOperationType(attribute.typeName))
            continue;
        Row row;
        row.path = element.path;
        row.folder = onRoot ? vobRoot : folderOf(element.path, vobRoot, site.separator());
        row.operation = AccessAttributeFormat::operationOf(attribute.typeName);
        row.value = attribute.value;
        for (const QString &user : AccessAttributeFormat::splitUsers(attribute.value)) {
            if (!user.isEmpty() && user != QLatin1String("ALL"))
                row.users << user;
        }
        row.groups = AccessAttributeFormat::splitGroups(groups);
        row.onVobRoot = onRoot;
        row.privileged = OperationsCatalogue::isPrivileged(row.operation, privilegedList);
        rows << row;
    }
}

VobAudit VobAudit::run(ClearCase &clearCase, const Platform &platform, const QString &vobRoot, const Progress &progress)
{
    VobAudit audit;
    const SiteStyle &site = clearCase.siteStyle();
    const ElementLocation vob = AccessExplainer::locationOf(vobRoot, site);
    AccessSettingsReader reader(clearCase);
    audit.vobRoot = vob.vobRoot;
    audit.vobTag = vob.vobTag;
    audit.enforcement = VobEnforcement::read(clearCase, platform, audit.vobTag);
    const std::optional<QString> recorded = reader.recordedPrivilegedList(vob);
    audit.privilegedListRecorded = recorded.has_value();
    audit.privilegedList = recorded.value_or(OperationsCatalogue::defaultPrivilegedList());

    QStringList paths{vob.rootElement()};
    const QString hostRoot = platform.hostPath(audit.vobRoot);
    QDirIterator walk(hostRoot, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    QStringList relative;
    while (walk.hasNext())
        relative << QDir(hostRoot).relativeFilePath(walk.next());
    relative.sort();
    for (const QString &entry : relative)
        paths << site.join(audit.vobRoot, QString(entry).replace(QLatin1Char('/'), site.separator()));

    for (const QString &path : paths) {
        ++audit.elementsSeen;
        if (progress)
            progress(audit.elementsSeen);
        QList<AttributeInfo> attributes;
        try {
            attributes = reader.attributesOf(path);
        } catch (const std::exception &) {
            continue; // not an element of the VOB
        }
        if (!carriesSettings(attributes))
            continue;
        audit.elements << Element{path, attributes};
        audit.addRows(audit.elements.last(), site);
    }
    return audit;
}
