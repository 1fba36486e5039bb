#include "clearcase/sandbox/SandboxLocks.h"

#include "clearcase/sandbox/SandboxCommands.h"
#include "clearcase/sandbox/SandboxStore.h"

SandboxLocks::Object SandboxLocks::vob(const QString &vobTag)
{
    return {SandboxStore::vobObjectKey, QStringLiteral("versioned object base \"%1\"").arg(vobTag)};
}

SandboxLocks::Object SandboxLocks::type(const QString &kind, const QString &name, const QString &kindName)
{
    return {SandboxStore::typeObjectKey(kind, name), QStringLiteral("%1 \"%2\"").arg(kindName, name)};
}

QList<SandboxLocks::Object> SandboxLocks::onAttributeChange(const QString &vobTag, const QStringList &typeNames,
                                                            const std::optional<Object> &target)
{
    QList<Object> objects{vob(vobTag)};
    for (const QString &typeName : typeNames)
        objects << attributeType(typeName);
    if (target)
        objects << *target;
    return objects;
}

SandboxLocks::Object SandboxLocks::element(const QString &path, const QString &pname)
{
    return {path, QStringLiteral("element \"%1\"").arg(pname)};
}

SandboxLocks::SandboxLocks(SandboxStore &store) : m_store(store) {}

bool SandboxLocks::anyLock()
{
    if (!m_anyLock)
        m_anyLock = m_store.hasLocks();
    return *m_anyLock;
}

const QHash<QString, SandboxLock> &SandboxLocks::locksOf(const QString &vobTag)
{
    auto found = m_locks.find(vobTag);
    if (found == m_locks.end())
        found = m_locks.insert(vobTag, m_store.locks(vobTag));
    return *found;
}

// Real cleartool unverified: the refusal's wording and the operation name it gives.
std::optional<QString> SandboxLocks::refusal(const QString &vobTag, const QList<Object> &objects, const QString &user,
                                             const QString &operation)
{
    if (!anyLock())
        return std::nullopt;
    const QHash<QString, SandboxLock> &locks = locksOf(vobTag);
    const Qt::CaseSensitivity sensitivity = m_store.siteStyle().caseSensitivity();
    for (const Object &object : objects) {
        const auto lock = locks.constFind(object.key);
        if (lock != locks.cend() && (lock->obsolete || !lock->exceptedUsers.contains(user, sensitivity)))
            return QStringLiteral("Lock on %1 prevents operation \"%2\".").arg(object.named, operation);
    }
    return std::nullopt;
}

void SandboxLocks::require(const QString &vobTag, const QList<Object> &objects, const QString &user, const QString &operation,
                           const QString &failedLine)
{
    if (const auto refused = refusal(vobTag, objects, user, operation))
        SandboxCommands::fail({*refused, failedLine});
}

QString SandboxLocks::lock(const QString &vobTag, const Object &object, const SandboxLock &lock, bool replace,
                            const QString &failedLine)
{
    if (!replace && locksOf(vobTag).contains(object.key))
        SandboxCommands::fail({QStringLiteral("Object is already locked."), failedLine});
    m_store.setLock(vobTag, object.key, lock);
    m_locks.remove(vobTag);
    m_anyLock.reset();
    return QStringLiteral("Locked %1.\n").arg(object.named);
}

QString SandboxLocks::unlock(const QString &vobTag, const Object &object, const QString &failedLine)
{
    if (!locksOf(vobTag).contains(object.key))
        SandboxCommands::fail({QStringLiteral("Object is not locked."), failedLine});
    m_store.removeLock(vobTag, object.key);
    m_locks.remove(vobTag);
    m_anyLock.reset();
    return QStringLiteral("Unlocked %1.\n").arg(object.named);
}
