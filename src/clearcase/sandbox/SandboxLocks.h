#pragma once

#include "clearcase/sandbox/SandboxRecords.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class SandboxStore;

// ClearCase's locks, for the sandbox and the cleartool emulator. A lock on the VOB, on a
// type or on an element refuses every change to that object (the VOB's: to anything in it)
// to all users but those the lock excepts (lock -nusers); an obsolete lock excepts nobody.
// Only unlock gets past a lock. One instance serves one command: the VOB's locks are read once.
class SandboxLocks
{
public:
    // A lockable object: its key in the store and how cleartool's lines name it.
    struct Object {
        QString key;
        QString named; // versioned object base "\proj", attribute type "X", element "main.c"
    };
    static Object vob(const QString &vobTag);
    static Object type(const QString &kind, const QString &name, const QString &kindName);
    static Object attributeType(const QString &name) { return type(QStringLiteral("attype"), name, QStringLiteral("attribute type")); }
    static Object element(const QString &path, const QString &pname);
    // What holds back attaching or removing attributes of these types: the VOB, the types and
    // the object they are on (when it is locked on its own account: an element, a type).
    static QList<Object> onAttributeChange(const QString &vobTag, const QStringList &typeNames, const std::optional<Object> &target);

    explicit SandboxLocks(SandboxStore &store);

    // Whether anything of any VOB is locked: when not, nothing needs to be looked at.
    bool anyLock();

    // "Lock on ... prevents operation ..." when one of the objects is locked against the user.
    std::optional<QString> refusal(const QString &vobTag, const QList<Object> &objects, const QString &user, const QString &operation);
    // The same as cleartool's error lines, the failed operation's last.
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
