#pragma once

#include "access/AccessPlan.h"
#include "access/AccessSettings.h"
#include "clearcase/ClearCase.h"

#include <functional>

// Works out what an apply or a purge would change, reading only (failures of a read are
// thrown as ZanError, except a target's own read, which its TargetPlan carries).
//
//   planApply(base, operations, targets)
//       the base's values of "__"+operation (for each operation, in order; "" when the base
//       lacks one) and its "QX_GROUPS" ("" when absent), as each target would receive them.
//       Skips (into plan.skipped) the base itself and paths that are no element; a target
//       equal to the VOB root path becomes root + "\." and is marked isVobRoot.
//   planPurge(vob, targets)
//       every "__" attribute and "QX_GROUPS" on each target, removed; a target equal to the
//       VOB root path stands for root + "\.".
//   applyChanges / purgeChanges
//       the same rules on attributes already read, for callers that read in bulk.
class AccessPlanner
{
public:
    // Told after each target is read: how many of how many.
    using Progress = std::function<void(qsizetype read, qsizetype total)>;

    explicit AccessPlanner(ClearCase &clearCase) : m_clearCase(clearCase) {}
    void setProgress(Progress progress) { m_progress = std::move(progress); }

    AccessPlan planApply(const ElementLocation &base, const QStringList &operations, const QStringList &targets);
    AccessPlan planPurge(const ElementLocation &vob, const QStringList &targets);

    static QList<SettingChange> applyChanges(const QList<AttributeInfo> &base, const QStringList &operations,
                                             const QList<AttributeInfo> &target);
    static QList<SettingChange> purgeChanges(const QList<AttributeInfo> &target);

private:
    bool isElement(const QString &path);
    void tell(qsizetype read, qsizetype total) const;

    ClearCase &m_clearCase;
    Progress m_progress;
};
