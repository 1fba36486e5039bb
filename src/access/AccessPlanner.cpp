#include "access/AccessPlanner.h"

#include "access/AccessAttributeFormat.h"
#include "clearcase/CCase.h"
#include "util/ZanError.h"

#include <optional>

namespace Format = AccessAttributeFormat;

namespace {

QStringList missingFrom(const QStringList &names, const QStringList &others)
{
    QStringList missing;
    for (const QString &name : names) {
        if (!others.contains(name, Qt::CaseInsensitive))
            missing << name;
    }
    return missing;
}

SettingChange changeOf(const QString &typeName, const std::optional<QString> &before, const std::optional<QString> &after)
{
    const bool groups = typeName == Format::groupsTypeName;
    const auto names = [groups](const std::optional<QString> &value) {
        const QString text = value.value_or(QString());
        return groups ? Format::splitGroups(text) : Format::splitUsers(text);
    };
    return {typeName, before, after, missingFrom(names(after), names(before)), missingFrom(names(before), names(after))};
}

} // namespace

QList<SettingChange> AccessPlanner::applyChanges(const QList<AttributeInfo> &base, const QStringList &operations,
                                                 const QList<AttributeInfo> &target)
{
    QList<SettingChange> changes;
    QStringList typeNames;
    for (const QString &operation : operations)
        typeNames << Format::typeName(operation);
    typeNames << Format::groupsTypeName;
    for (const QString &typeName : typeNames)
        changes << changeOf(typeName, Format::valueIfSet(target, typeName), Format::valueOf(base, typeName));
    return changes;
}

QList<SettingChange> AccessPlanner::purgeChanges(const QList<AttributeInfo> &target)
{
    QList<SettingChange> changes;
    for (const AttributeInfo &attribute : target) {
        if (Format::isPurgedType(attribute.typeName))
            changes << changeOf(attribute.typeName, attribute.value, std::nullopt);
    }
    return changes;
}

bool AccessPlanner::isElement(const QString &path)
{
    try {
        m_clearCase.requireVersion(path);
        return true;
    } catch (const ZanError &) {
        return false; // the failure is the answer: no element
    }
}

void AccessPlanner::tell(qsizetype read, qsizetype total) const
{
    if (m_progress)
        m_progress(read, total);
}

AccessPlan AccessPlanner::planApply(const ElementLocation &base, const QStringList &operations, const QStringList &targets)
{
    AccessPlan plan;
    plan.kind = AccessPlan::Kind::Apply;
    plan.base = base.path;
    std::optional<QList<AttributeInfo>> baseAttributes;
    qsizetype read = 0;
    for (const QString &path : targets) {
        tell(read++, targets.size());
        if (path == base.path || !isElement(path)) {
            plan.skipped << path;
            continue;
        }
        const bool isVobRoot = path == base.vobRoot;
        TargetPlan target{isVobRoot ? base.rootElement() : path, isVobRoot, {}, {}};
        if (!baseAttributes)
            baseAttributes = m_clearCase.attributes(CCase::versionOf(base.path));
        try {
            target.changes = applyChanges(*baseAttributes, operations, m_clearCase.attributes(CCase::versionOf(target.target)));
        } catch (const ZanError &e) {
            target.error = e.description();
        }
        plan.targets << target;
    }
    tell(read, targets.size());
    return plan;
}

AccessPlan AccessPlanner::planPurge(const ElementLocation &vob, const QStringList &targets)
{
    AccessPlan plan;
    plan.kind = AccessPlan::Kind::Purge;
    qsizetype read = 0;
    for (const QString &path : targets) {
        tell(read++, targets.size());
        const ElementLocation location = vob.at(path);
        TargetPlan target{location.element(), location.isVobRoot(), {}, {}};
        try {
            target.changes = purgeChanges(m_clearCase.attributes(CCase::versionOf(target.target)));
        } catch (const ZanError &e) {
            target.error = e.description();
        }
        plan.targets << target;
    }
    tell(read, targets.size());
    return plan;
}
