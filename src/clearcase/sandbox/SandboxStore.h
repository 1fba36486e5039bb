#pragma once

#include "clearcase/ClearCase.h"
#include "clearcase/SiteStyle.h"
#include "clearcase/sandbox/SandboxRecords.h"

#include <QSqlQuery>
#include <QSet>
#include <QString>
#include <QVariantList>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>

// The sandbox's data: a folder holding clearcase.db (SQLite, WAL, a busy timeout, a schema
// version; every write in a transaction), the VOB trees (vobs/<name>/...) and the drive
// folders (drives/<letter>/). A started dynamic view is drives/m/<tag>/ with one link per
// mounted VOB. An empty folder is seeded with the sample site on first open; a folder that
// holds VOB trees but no database is refused rather than seeded over.
//
// Rule violations (missing VOB, existing type, ...) throw ZanError with ClearCase's wording;
// store failures (corrupt, locked, unwritable) throw ZanError naming the database file.
class SandboxStore
{
public:
    static constexpr int schemaVersion = 1;
    static constexpr int defaultBusyTimeoutMs = 5000;

    explicit SandboxStore(const QString &folder, int busyTimeoutMs = defaultBusyTimeoutMs);
    ~SandboxStore();
    SandboxStore(const SandboxStore &) = delete;
    SandboxStore &operator=(const SandboxStore &) = delete;

    // ZAN_SANDBOX, else the per-user data folder + "/sandbox".
    static QString defaultFolder();

    QString folder() const { return m_folder; }
    QString databasePath() const;
    QString vobsFolder() const;
    QString vobFolder(const QString &vobTag) const;
    QString drivesFolder() const;
    QString driveFolder(const QString &letter) const;

    // Runs work as one transaction (nested calls join the outer one).
    void transaction(const std::function<void()> &work);
    // Runs reads on one snapshot without taking the write lock: readers never wait for a writer.
    void readTransaction(const std::function<void()> &work);

    QList<SandboxView> views();
    std::optional<SandboxView> findView(const QString &tag);
    SandboxView view(const QString &tag); // throws "No matching entries found for view tag"
    void addView(const SandboxView &view);
    // Marks a dynamic view active and makes its folder on the view drive.
    void startView(const QString &tag);

    QList<SandboxVob> vobs();
    std::optional<SandboxVob> findVob(const QString &tag);
    SandboxVob vob(const QString &tag);   // throws for an unknown tag
    void addVob(const SandboxVob &vob);

    // Element paths are relative to the VOB root with "/" separators; "" is the root.
    bool isElement(const QString &vobTag, const QString &path);
    // Those of the paths that are elements, found in one query.
    QSet<QString> existingElements(const QString &vobTag, const QStringList &paths);
    void addElement(const QString &vobTag, const QString &path, bool directory);
    QStringList elements(const QString &vobTag);

    QList<SandboxAttributeType> attributeTypes(const QString &vobTag);
    bool hasAttributeType(const QString &vobTag, const QString &name);
    void addAttributeType(const QString &vobTag, const SandboxAttributeType &type);

    QList<AttributeInfo> attributes(const QString &vobTag, const QString &path);
    void attachAttribute(const QString &vobTag, const QString &path, const QString &typeName,
                         const QString &value, const QString &comment, bool replace);
    // attachAttribute for a caller that found the attribute type and the element earlier in
    // its own transaction: neither is looked up again.
    void attachToFoundElement(const QString &vobTag, const QString &path, const QString &typeName,
                              const QString &value, const QString &comment, bool replace);
    // For a caller that found the elements (and, to remove, found them carrying the attribute):
    // one statement for many elements of one VOB.
    void replaceOnFoundElements(const QString &vobTag, const QStringList &paths, const QString &typeName,
                                const QString &value, const QString &comment);
    void removeFromFoundElements(const QString &vobTag, const QStringList &paths, const QString &typeName);
    // Those of the paths that carry an attribute of the type, found in one query.
    QSet<QString> elementsCarrying(const QString &vobTag, const QStringList &paths, const QString &typeName);
    void removeAttribute(const QString &vobTag, const QString &path, const QString &typeName);
    // Batches for applies and purges, each in one transaction (or the caller's). The elements
    // are paths of one VOB. attachAttributes writes every value onto every element, replacing,
    // and writes nothing when a type or an element is missing; removeAttributes throws for an
    // attribute that is not there.
    void attachAttributes(const QString &vobTag, const QStringList &paths, const QList<AttributeInfo> &values,
                          const QString &comment);
    QList<QList<AttributeInfo>> attributesOf(const QString &vobTag, const QStringList &paths);
    void removeAttributes(const QString &vobTag, const QString &path, const QStringList &typeNames);
    // The comment the attribute was attached with; "" when there is no such attribute.
    QString attributeComment(const QString &vobTag, const QString &path, const QString &typeName);

    QList<SandboxTriggerType> triggerTypes(const QString &vobTag);
    std::optional<SandboxTriggerType> findTriggerType(const QString &vobTag, const QString &name);
    void addTriggerType(const QString &vobTag, const SandboxTriggerType &type);
    void removeTriggerType(const QString &vobTag, const QString &name);

    // The emulator's version history and checkouts: the latest version on main (0 until a
    // checkin) and, per view and user, the elements checked out there. The sandbox's views
    // are shared by every user, so a checkout belongs to the user who made it in that view.
    int latestVersion(const QString &vobTag, const QString &path);
    void setLatestVersion(const QString &vobTag, const QString &path, int version);
    bool isCheckedOut(const QString &vobTag, const QString &path, const QString &viewTag, const QString &user);
    struct VersionState {
        int latest = 0;
        bool checkedOut = false;
    };
    // latestVersion and isCheckedOut of many paths of one VOB, in one query.
    QList<VersionState> versionStates(const QString &vobTag, const QStringList &paths, const QString &viewTag, const QString &user);
    void setCheckedOut(const QString &vobTag, const QString &path, const QString &viewTag, const QString &user, bool checkedOut);

    // Types of the kinds without a table of their own ("lbtype", "brtype", "eltype", "hltype").
    QList<SandboxType> types(const QString &vobTag, const QString &kind);
    std::optional<SandboxType> findType(const QString &vobTag, const QString &kind, const QString &name);
    void addType(const QString &vobTag, const QString &kind, const SandboxType &type); // throws for an existing name
    void removeType(const QString &vobTag, const QString &kind, const QString &name);
    // Any kind of type (attype, trtype, lbtype, ...); an attribute type's instances follow it.
    void renameType(const QString &vobTag, const QString &kind, const QString &name, const QString &newName);
    // Locks by the object locked: an element's path ("" the VOB root) or an object key.
    bool hasLocks();
    QHash<QString, SandboxLock> locks(const QString &vobTag);
    void setLock(const QString &vobTag, const QString &object, const SandboxLock &lock);
    void removeLock(const QString &vobTag, const QString &object);
    // Removes an attribute type; with its instances only when withInstances is set.
    void removeAttributeType(const QString &vobTag, const QString &name, bool withInstances);
    // Objects other than elements (the VOB, its types) are keyed "/vob" and "/<kind>:<name>"
    // ("/lbtype:REL1"): element paths never start with "/", so the keys cannot meet.
    static inline const QString vobObjectKey = QStringLiteral("/vob");
    static QString typeObjectKey(const QString &kind, const QString &name) { return QLatin1Char('/') + kind + QLatin1Char(':') + name; }
    // An attribute on an object that is not an element, under its key; attributes() and
    // removeAttribute() take the same key.
    void attachObjectAttribute(const QString &vobTag, const QString &objectKey, const QString &typeName, const QString &value,
                               bool replace);

    // The emulator's event history of a VOB (of one of its objects), oldest first. recordEvent
    // adds the event (id 0) or rewrites the one with its id (a changed comment) and returns its id.
    qint64 recordEvent(const QString &vobTag, const SandboxEvent &event);
    QList<SandboxEvent> events(const QString &vobTag, const QString &object = QString());

    // The site style of the VOB tags: "/vobs/proj" tags make a UNIX-style sandbox.
    SiteStyle siteStyle();

    // The tag without its leading separator ("\proj" -> "proj", "/vobs/proj" -> "vobs/proj").
    static QString vobName(const QString &vobTag);

private:
    void forgetTypeLock(const QString &vobTag, const QString &kind, const QString &name);
    void open(int busyTimeoutMs);
    void createSchema();
    void runTransaction(const QString &begin, const std::function<void()> &work);
    bool checkSchemaVersion(); // false while the store has no schema yet
    bool isWriteAheadLogging();
    bool isSeeded();
    void createEmulatorTables();
    bool hasEmulatorTables();
    void linkViewFolder(const SandboxView &view);
    QSqlQuery run(const QString &sql, const QVariantList &values = {});
    // The frequent statements are prepared once per store; each use binds afresh, hands the
    // rows to eachRow and resets the statement, so no read stays open between uses.
    void query(const QString &sql, const QVariantList &values, const std::function<void(const QSqlQuery &)> &eachRow);
    bool exists(const QString &sql, const QVariantList &values);
    int change(const QString &sql, const QVariantList &values); // rows affected
    QSqlQuery &prepared(const QString &sql, const QVariantList &values);
    QSet<QString> pathsWhere(const QStringList &paths, const QString &condition, const QVariantList &values);
    void requireAttributeType(const QString &vobTag, const QString &typeName);
    void requireElement(const QString &vobTag, const QString &path);
    [[noreturn]] void fail(const QString &what, const QString &detail) const;

    QString m_folder;
    QString m_connection;
    int m_transactionDepth = 0;
    std::unordered_map<QString, std::unique_ptr<QSqlQuery>> m_statements;
};
