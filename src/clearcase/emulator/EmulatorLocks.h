#pragma once

#include "clearcase/sandbox/SandboxRecords.h"

#include <QHash>
#include <QList>
#include <QString>
#include <optional>

class SandboxStore;

// ClearCase's locks for the cleartool emulator. A lock on the VOB, on a type or on an
// element refuses every change to that object (the VOB's: to anything in it) to all users
// but those the lock excepts (lock -nusers); an obsolete lock excepts nobody. Only unlock
// gets past a lock. One instance serves one command: the VOB's locks are read once.
class EmulatorLocks
{
public:
    // A lockable object: its key in the store and how cleartool's lines name it.
    struct Object {
        QString key;
        QString named; // versioned object base "\proj", attribute type "X", element "main.c"
    };
    static Object vob(const QString &vobTag);
    static Object type(const QString &kind, const QString &name);
    static Object element(const QString &path, const QString &pname);

    explicit EmulatorLocks(SandboxStore &store);

    // Whether anything of any VOB is locked: when not, nothing needs to be looked at.
    bool anyLock();

    // Fails with cleartool's lines when one of the objects is locked against the user.
    void require(const QString &vobTag, const QList<Object> &objects, const QString &user, const QString &operation,
                 const QString &failedLine);
    // A second lock needs -replace; unlock needs a lock. Both print cleartool's success line.
    QString lock(const QString &vobTag, const Object &object, const SandboxLock &lock, bool replace, const QString &failedLine);
    QString unlock(const QString &vobTag, const Object &object, const QString &failedLine);

private:
    const QHash<QString, SandboxLock> &locksOf(const QString &vobTag);

    SandboxStore &m_store;
    std::optional<bool> m_anyLock;
    QHash<QString, QHash<QString, SandboxLock>> m_locks;
};
