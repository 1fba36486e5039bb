#pragma once

#include "clearcase/ClearCase.h"
#include "clearcase/sandbox/SandboxCommands.h"
#include "clearcase/sandbox/SandboxPathResolver.h"

#include <QHash>
#include <memory>

class Platform;
class SandboxHistory;
class SandboxLocks;
class SandboxStore;
struct SandboxEvent;

// The embedded ClearCase: every role of the ClearCase interface answered from a sandbox
// store. Views stored without a host belong to this computer (localHost).
//
// Every change it makes is recorded in the VOB's events as the emulator records it
// (SandboxHistory), signed with this user and computer, and history() reads them.
//
// Once a VOB has trigger types, attribute changes in it go through the sandbox's own
// cleartool (SandboxCleartool, the emulator), which runs the VOB's triggers first as
// ClearCase does, so that the embedded backend never lets through a change the installed
// security triggers refuse. Without that cleartool the store is written directly.
class SandboxClearCase : public ClearCase
{
public:
    SandboxClearCase(std::unique_ptr<SandboxStore> store, QString localHost, QString userName);
    ~SandboxClearCase() override;

    // Opens (seeding on first use) the sandbox in folder for this computer and user, and
    // points the platform's drives at the sandbox's drive folders; entries of ZAN_DRIVES
    // keep precedence.
    static std::unique_ptr<SandboxClearCase> open(Platform &platform, const QString &folder);

    SandboxStore &store() { return *m_store; }
    SandboxCommands &commands() { return m_commands; }

    QString description() const override;

    void requireVob(const QString &vobTag) override;
    void requireVersion(const QString &path) override;
    ViewInfo viewByTag(const QString &tag) override;
    QList<ViewInfo> allViews() override;
    void requireUcmProjectVob(const QString &vobTag) override;

    QStringList triggerTypeNames(const QString &vobTag) override;
    void removeTriggerType(const QString &vobTag, const QString &name) override;
    void createTriggerType(const QString &vobTag, const TriggerTypeDefinition &definition) override;

    QStringList attributeTypeNames(const QString &vobTag) override;
    void createAttributeType(const QString &vobTag, const QString &name, int valueType, const QString &comment) override;
    void attachAttribute(const QString &vobTag, const QString &typeName, const QString &versionPath,
                         const QString &value, const QString &comment, bool replace) override;
    QList<AttributeInfo> attributes(const QString &versionPath) override;
    void removeAttribute(const QString &versionPath, const QString &typeName, const QString &comment) override;

    // Each batch is one store transaction: a killed writer leaves all of it or none. A batch
    // write reuses the version resolution of the batch read just before it.
    QStringList existingVersions(const QStringList &paths) override;
    void attachAttributes(const QString &vobTag, const QList<AttributeInfo> &values, const QStringList &versionPaths,
                          const QString &comment) override;
    void attachWhereAbsent(const QString &vobTag, const AttributeInfo &value, const QStringList &versionPaths) override;
    QList<QList<AttributeInfo>> attributesOfVersions(const QStringList &versionPaths) override;
    void removeAttributes(const QList<AttributeRemoval> &removals) override;

    QList<HistoryEvent> history(const QString &object) override;

    QString runCommand(const QString &commandLine) override;

    // The operation kind name of an automation-library code (2 -> MODIFY_ELEM); throws for
    // a code the sandbox does not know.
    static QString operationKindName(int code);

private:
    SandboxHistory history();
    void recordAttached(const QString &vobTag, const QString &element, const QString &typeName, const QString &value,
                        const QString &comment);
    void requireType(const QString &vobTag, const QString &kind, const QString &name);
    static HistoryEvent historyEvent(const SandboxEvent &event);
    void requireUnlocked(SandboxLocks &locks, const QString &vobTag, const QString &elementPath, const QString &versionPath,
                         const QStringList &typeNames, const QString &operation);
    ViewInfo toViewInfo(const SandboxView &view) const;
    ClearCase *guardedWriter(const QString &vobTag);
    SandboxPathResolver::Element resolvedForWrite(const QString &versionPath);
    // The element's path; throws for a version of another VOB than vobTag.
    static QString elementInVob(const QString &vobTag, const SandboxPathResolver::Element &element,
                                const QString &versionPath, const QString &typeName);

    std::unique_ptr<SandboxStore> m_store;
    QString m_localHost;
    QString m_user;
    SandboxPathResolver m_resolver;
    SandboxCommands m_commands;
    QHash<QString, SandboxPathResolver::Element> m_lastResolved; // by version path, from the last batch read
    std::unique_ptr<ClearCase> m_guardedWriter; // the sandbox's own cleartool, once a VOB has triggers
};
