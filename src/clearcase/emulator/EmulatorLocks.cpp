#include "clearcase/emulator/EmulatorLocks.h"

#include "clearcase/emulator/EmulatorTypes.h"
#include "clearcase/sandbox/SandboxCommands.h"
#include "clearcase/sandbox/SandboxStore.h"

EmulatorLocks::Object EmulatorLocks::vob(const QString &vobTag)
{
    return {QStringLiteral("/vob"), QStringLiteral("versioned object base \"%1\"").arg(vobTag)};
}

EmulatorLocks::Object EmulatorLocks::type(const QString &kind, const QString &name)
{
    return {QLatin1Char('/') + kind + QLatin1Char(':') + name, QStringLiteral("%1 \"%2\"").arg(EmulatorTypes::kindName(kind), name)};
}

EmulatorLocks::Object EmulatorLocks::element(const QString &path, const QString &pname)
{
    return {path, QStringLiteral("element \"%1\"").arg(pname)};
}

EmulatorLocks::EmulatorLocks(SandboxStore &store) : m_store(store) {}

bool EmulatorLocks::anyLock()
{
    if (!m_anyLock)
        m_anyLock = m_store.hasLocks();
    return *m_anyLock;
}

const QHash<QString, SandboxLock> &EmulatorLocks::locksOf(const QString &vobTag)
{
    auto found = m_locks.find(vobTag);
    if (found == m_locks.end())
        found = m_locks.insert(vobTag, m_store.locks(vobTag));
    return *found;
}

// Real cleartool unverified: the refusal's wording and the operation name it gives.
void EmulatorLocks::require(const QString &vobTag, const QList<Object> &objects, const QString &user, const QString &operation,
                            const QString &failedLine)
{
    if (!anyLock())
        return;
    const QHash<QString, SandboxLock> &locks = locksOf(vobTag);
    const Qt::CaseSensitivity sensitivity = m_store.siteStyle().caseSensitivity();
    for (const Object &object : objects) {
        const auto lock = locks.constFind(object.key);
        if (lock == locks.cend() || (!lock->obsolete && lock->exceptedUsers.contains(user, sensitivity)))
            continue;
        SandboxCommands::fail({QStringLiteral("Lock on %1 prevents operation \"%2\".").arg(object.named, operation), failedLine});
    }
}

QString EmulatorLocks::lock(const QString &vobTag, const Object &object, const SandboxLock &lock, bool replace,
                            const QString &failedLine)
{
    if (!replace && locksOf(vobTag).contains(object.key))
        SandboxCommands::fail({QStringLiteral("Object is already locked."), failedLine});
    m_store.setLock(vobTag, object.key, lock);
    m_locks.remove(vobTag);
    m_anyLock.reset();
    return QStringLiteral("Locked %1.\n").arg(object.named);
}

QString EmulatorLocks::unlock(const QString &vobTag, const Object &object, const QString &failedLine)
{
    if (!locksOf(vobTag).contains(object.key))
        SandboxCommands::fail({QStringLiteral("Object is not locked."), failedLine});
    m_store.removeLock(vobTag, object.key);
    m_locks.remove(vobTag);
    m_anyLock.reset();
    return QStringLiteral("Unlocked %1.\n").arg(object.named);
}
