#include "clearcase/sandbox/SandboxStore.h"

#include "clearcase/sandbox/SandboxSeeder.h"
#include "util/ZanError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMutex>
#include <QRegularExpression>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <algorithm>
#include <atomic>

namespace {

const QString kSource = QStringLiteral("ClearCase");
const QString kDatabaseFile = QStringLiteral("clearcase.db");

[[noreturn]] void clearCaseError(const QString &text)
{
    throw ZanError(ZanError::ClearCaseFailure, kSource, text);
}

QString nextConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("zan-sandbox-%1").arg(++counter);
}

QString joinList(const QStringList &list) { return list.join(QLatin1Char(',')); }
QStringList splitList(const QString &text) { return text.isEmpty() ? QStringList() : text.split(QLatin1Char(',')); }

QString actionsToJson(const QList<TriggerTypeDefinition::Action> &actions)
{
    QJsonArray array;
    for (const auto &action : actions)
        array.append(QJsonObject{{QStringLiteral("target"), int(action.target)}, {QStringLiteral("command"), action.command}});
    return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact));
}

QList<TriggerTypeDefinition::Action> actionsFromJson(const QString &text)
{
    QList<TriggerTypeDefinition::Action> actions;
    for (const QJsonValue &value : QJsonDocument::fromJson(text.toUtf8()).array()) {
        const QJsonObject object = value.toObject();
        actions.append({TriggerTypeDefinition::ActionTarget(object.value(QStringLiteral("target")).toInt()),
                        object.value(QStringLiteral("command")).toString()});
    }
    return actions;
}

QString inclusionsToJson(const QList<QPair<QString, QString>> &inclusions)
{
    QJsonArray array;
    for (const auto &inclusion : inclusions)
        array.append(QJsonArray{inclusion.first, inclusion.second});
    return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact));
}

QList<QPair<QString, QString>> inclusionsFromJson(const QString &text)
{
    QList<QPair<QString, QString>> inclusions;
    for (const QJsonValue &value : QJsonDocument::fromJson(text.toUtf8()).array()) {
        const QJsonArray pair = value.toArray();
        inclusions.append({pair.at(0).toString(), pair.at(1).toString()});
    }
    return inclusions;
}

SandboxView viewFrom(const QSqlQuery &q)
{
    return SandboxView{q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                       q.value(3).toBool(),   q.value(4).toBool(),   q.value(5).toString()};
}

SandboxVob vobFrom(const QSqlQuery &q)
{
    return SandboxVob{q.value(0).toString(), q.value(1).toBool(), q.value(2).toBool()};
}

// Types are listed for nearly every command the emulator runs, and reading a local time
// consults the time-zone files each time: each creation time is read once per process.
QDateTime createdTime(const QString &text)
{
    static QHash<QString, QDateTime> read;
    static QMutex guard;
    const QMutexLocker lock(&guard);
    auto found = read.constFind(text);
    if (found == read.constEnd())
        found = read.insert(text, QDateTime::fromString(text, Qt::ISODate));
    return *found;
}

SandboxTriggerType triggerTypeFrom(const QSqlQuery &q)
{
    SandboxTriggerType type;
    type.name = q.value(0).toString();
    type.kind = q.value(1).toInt();
    type.firing = q.value(2).toInt();
    type.operations = splitList(q.value(3).toString());
    type.exemptUsers = splitList(q.value(4).toString());
    type.actions = actionsFromJson(q.value(5).toString());
    type.inclusions = inclusionsFromJson(q.value(6).toString());
    type.comment = q.value(7).toString();
    type.created = createdTime(q.value(8).toString());
    type.creator = q.value(9).toString();
    return type;
}

// A null QString would bind as SQL NULL; every text column holds text.
QVariant boundValue(const QVariant &value)
{
    const bool nullText = value.typeId() == QMetaType::QString && value.toString().isNull();
    return nullText ? QVariant(QStringLiteral("")) : value;
}

// An existing attribute keeps its place (rowid), so listings keep their order.
const QString kUpsertAttribute = QStringLiteral(
    "INSERT INTO attributes (vob, element, type, value, comment) VALUES (?, ?, ?, ?, ?) "
    "ON CONFLICT (vob, element, type) DO UPDATE SET value = excluded.value, comment = excluded.comment");
const QString kRemoveAttribute = QStringLiteral("DELETE FROM attributes WHERE vob = ? AND element = ? AND type = ?");

bool needsJsonEscape(QChar c)
{
    return c == QLatin1Char('"') || c == QLatin1Char('\\') || c.unicode() < 0x20;
}

void appendJsonString(QString &json, const QString &text)
{
    json += QLatin1Char('"');
    if (std::none_of(text.cbegin(), text.cend(), needsJsonEscape)) {
        json += text;
    } else {
        for (const QChar c : text) {
            if (c.unicode() < 0x20) {
                json += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
                continue;
            }
            if (needsJsonEscape(c))
                json += QLatin1Char('\\');
            json += c;
        }
    }
    json += QLatin1Char('"');
}

// A JSON array of strings for json_each(), written directly: batches of thousands of paths
// pass through here, and going through QJsonDocument cost more than the query.
QString jsonArray(const QStringList &texts)
{
    QString json;
    qsizetype size = 2;
    for (const QString &text : texts)
        size += text.size() + 3;
    json.reserve(size);
    json += QLatin1Char('[');
    for (const QString &text : texts) {
        if (json.size() > 1)
            json += QLatin1Char(',');
        appendJsonString(json, text);
    }
    json += QLatin1Char(']');
    return json;
}

const QString kViewColumns = QStringLiteral("tag, host, owner, snapshot, active, config_spec");
const QString kTriggerColumns =
    QStringLiteral("name, kind, firing, operations, exempt, actions, inclusions, comment, created, creator");

} // namespace

SandboxStore::SandboxStore(const QString &folder, int busyTimeoutMs)
    : m_folder(QDir::cleanPath(QDir(folder).absolutePath())), m_connection(nextConnectionName())
{
    open(busyTimeoutMs);
}

SandboxStore::~SandboxStore()
{
    m_statements.clear();
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

QString SandboxStore::defaultFolder()
{
    const QString configured = qEnvironmentVariable("ZAN_SANDBOX");
    if (!configured.isEmpty())
        return configured;
    // Not the application's own data folder: zan and cleartool-sim must find the same sandbox.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/zan-utility/sandbox");
}

QString SandboxStore::databasePath() const { return m_folder + QLatin1Char('/') + kDatabaseFile; }
QString SandboxStore::vobsFolder() const { return m_folder + QStringLiteral("/vobs"); }
QString SandboxStore::vobFolder(const QString &vobTag) const { return vobsFolder() + QLatin1Char('/') + vobName(vobTag); }
QString SandboxStore::drivesFolder() const { return m_folder + QStringLiteral("/drives"); }
QString SandboxStore::driveFolder(const QString &letter) const { return drivesFolder() + QLatin1Char('/') + letter.toLower(); }

SiteStyle SandboxStore::siteStyle()
{
    QStringList tags;
    for (const SandboxVob &vob : vobs())
        tags << vob.tag;
    return SiteStyle(SiteStyle::fromVobTags(tags).value_or(SiteStyle::Kind::Windows), tags);
}

QString SandboxStore::vobName(const QString &vobTag)
{
    return vobTag.startsWith(QLatin1Char('\\')) || vobTag.startsWith(QLatin1Char('/')) ? vobTag.mid(1) : vobTag;
}

void SandboxStore::open(int busyTimeoutMs)
{
    const bool hasDatabase = QFileInfo::exists(databasePath());
    const QDir vobs(vobsFolder());
    if (!hasDatabase && vobs.exists() && !vobs.isEmpty())
        fail(QStringLiteral("is missing"),
             QStringLiteral("the folder still holds VOB trees, so nothing is recreated over them. "
                            "Restore the database or point ZAN_SANDBOX at another folder."));
    if (!QDir().mkpath(m_folder))
        fail(QStringLiteral("cannot be created"), QStringLiteral("the folder is not writable"));

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(databasePath());
    if (!db.open())
        fail(QStringLiteral("cannot be opened"), db.lastError().text());
    run(QStringLiteral("PRAGMA busy_timeout = %1").arg(busyTimeoutMs));
    if (!isWriteAheadLogging())
        fail(QStringLiteral("cannot be used"), QStringLiteral("write-ahead logging is not available"));
    // With write-ahead logging, NORMAL keeps every transaction atomic and survives a killed
    // process; only a power cut may drop the last commits. FULL syncs the disk on every
    // attribute write, which made applying settings to thousands of elements crawl.
    run(QStringLiteral("PRAGMA synchronous = NORMAL"));
    // A VOB of tens of thousands of elements outgrows SQLite's default 2 MB page cache, and
    // bulk purges then slow down with every element already handled.
    run(QStringLiteral("PRAGMA cache_size = -65536"));

    // A store already set up is only read here, so opening never waits behind a writer.
    bool ready = false;
    readTransaction([&] { ready = isSeeded() && hasEmulatorTables(); });
    if (ready)
        return;
    transaction([this] {
        createSchema();
        if (!isSeeded()) {
            SandboxSeeder(*this).seed();
            run(QStringLiteral("INSERT OR REPLACE INTO meta (key, value) VALUES ('seeded', '1')"));
        }
    });
}

void SandboxStore::createSchema()
{
    run(QStringLiteral("CREATE TABLE IF NOT EXISTS meta (key TEXT PRIMARY KEY, value TEXT NOT NULL)"));
    createEmulatorTables();
    if (checkSchemaVersion())
        return;
    run(QStringLiteral("CREATE TABLE views (tag TEXT PRIMARY KEY, host TEXT NOT NULL, owner TEXT NOT NULL, "
                       "snapshot INTEGER NOT NULL, active INTEGER NOT NULL, config_spec TEXT NOT NULL)"));
    run(QStringLiteral("CREATE TABLE vobs (tag TEXT PRIMARY KEY, ucm_project INTEGER NOT NULL, mounted INTEGER NOT NULL)"));
    run(QStringLiteral("CREATE TABLE elements (vob TEXT NOT NULL, path TEXT NOT NULL, directory INTEGER NOT NULL, "
                       "PRIMARY KEY (vob, path))"));
    run(QStringLiteral("CREATE TABLE attribute_types (vob TEXT NOT NULL, name TEXT NOT NULL, value_type INTEGER NOT NULL, "
                       "comment TEXT NOT NULL, created TEXT NOT NULL, PRIMARY KEY (vob, name))"));
    run(QStringLiteral("CREATE TABLE attributes (vob TEXT NOT NULL, element TEXT NOT NULL, type TEXT NOT NULL, "
                       "value TEXT NOT NULL, comment TEXT NOT NULL, PRIMARY KEY (vob, element, type))"));
    run(QStringLiteral("CREATE TABLE trigger_types (vob TEXT NOT NULL, name TEXT NOT NULL, kind INTEGER NOT NULL, "
                       "firing INTEGER NOT NULL, operations TEXT NOT NULL, exempt TEXT NOT NULL, actions TEXT NOT NULL, "
                       "inclusions TEXT NOT NULL, comment TEXT NOT NULL, created TEXT NOT NULL, creator TEXT NOT NULL, "
                       "PRIMARY KEY (vob, name))"));
    run(QStringLiteral("INSERT INTO meta (key, value) VALUES ('schema_version', ?)"), {schemaVersion});
}

bool SandboxStore::checkSchemaVersion()
{
    QSqlQuery version = run(QStringLiteral("SELECT value FROM meta WHERE key = 'schema_version'"));
    if (!version.next())
        return false;
    if (version.value(0).toInt() > schemaVersion)
        fail(QStringLiteral("cannot be used"),
             QStringLiteral("it was written by a newer version (schema %1)").arg(version.value(0).toString()));
    return true;
}

bool SandboxStore::isWriteAheadLogging()
{
    QSqlQuery mode = run(QStringLiteral("PRAGMA journal_mode = WAL"));
    return mode.next() && mode.value(0).toString().compare(QStringLiteral("wal"), Qt::CaseInsensitive) == 0;
}

bool SandboxStore::isSeeded()
{
    if (!run(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'meta'")).next())
        return false;
    checkSchemaVersion();
    QSqlQuery q = run(QStringLiteral("SELECT value FROM meta WHERE key = 'seeded'"));
    return q.next() && q.value(0).toString() == QLatin1String("1");
}

void SandboxStore::transaction(const std::function<void()> &work)
{
    runTransaction(QStringLiteral("BEGIN IMMEDIATE"), work);
}

void SandboxStore::readTransaction(const std::function<void()> &work)
{
    runTransaction(QStringLiteral("BEGIN DEFERRED"), work);
}

void SandboxStore::runTransaction(const QString &begin, const std::function<void()> &work)
{
    if (m_transactionDepth > 0) {
        work();
        return;
    }
    change(begin, {});
    m_transactionDepth = 1;
    try {
        work();
        m_transactionDepth = 0;
        change(QStringLiteral("COMMIT"), {});
    } catch (...) {
        m_transactionDepth = 0;
        QSqlQuery(QSqlDatabase::database(m_connection, false)).exec(QStringLiteral("ROLLBACK"));
        throw;
    }
}

QSqlQuery SandboxStore::run(const QString &sql, const QVariantList &values)
{
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    if (!q.prepare(sql))
        fail(QStringLiteral("cannot be read"), q.lastError().text());
    for (const QVariant &value : values)
        q.addBindValue(boundValue(value));
    if (!q.exec())
        fail(QStringLiteral("cannot be used"), q.lastError().text());
    return q;
}

QSqlQuery &SandboxStore::prepared(const QString &sql, const QVariantList &values)
{
    std::unique_ptr<QSqlQuery> &slot = m_statements[sql];
    if (!slot) {
        auto q = std::make_unique<QSqlQuery>(QSqlDatabase::database(m_connection, false));
        q->setForwardOnly(true);
        if (!q->prepare(sql)) {
            const QString error = q->lastError().text();
            m_statements.erase(sql);
            fail(QStringLiteral("cannot be read"), error);
        }
        slot = std::move(q);
    }
    QSqlQuery &q = *slot;
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, boundValue(values[i]));
    if (!q.exec()) {
        const QString error = q.lastError().text();
        q.finish();
        fail(QStringLiteral("cannot be used"), error);
    }
    return q;
}

void SandboxStore::query(const QString &sql, const QVariantList &values, const std::function<void(const QSqlQuery &)> &eachRow)
{
    QSqlQuery &q = prepared(sql, values);
    struct Reset {
        QSqlQuery &q;
        ~Reset() { q.finish(); }
    } reset{q};
    while (q.next())
        eachRow(q);
}

bool SandboxStore::exists(const QString &sql, const QVariantList &values)
{
    QSqlQuery &q = prepared(sql, values);
    const bool found = q.next();
    q.finish();
    return found;
}

int SandboxStore::change(const QString &sql, const QVariantList &values)
{
    QSqlQuery &q = prepared(sql, values);
    const int affected = q.numRowsAffected();
    q.finish();
    return affected;
}

void SandboxStore::fail(const QString &what, const QString &detail) const
{
    QString text = QStringLiteral("The sandbox database %1 %2").arg(QDir::toNativeSeparators(databasePath()), what);
    const QString lowered = detail.toLower();
    if (lowered.contains(QLatin1String("locked")) || lowered.contains(QLatin1String("busy")))
        text += QStringLiteral(": it is locked by another program (%1). Try again when that program has finished.").arg(detail);
    else if (lowered.contains(QLatin1String("not a database")) || lowered.contains(QLatin1String("malformed")))
        text += QStringLiteral(": it is damaged (%1). Restore it from a backup or point ZAN_SANDBOX at another folder.").arg(detail);
    else
        text += QStringLiteral(": ") + detail;
    throw ZanError(ZanError::StoreFailure, QStringLiteral("Sandbox"), text);
}

// ---- views ----

QList<SandboxView> SandboxStore::views()
{
    QList<SandboxView> result;
    QSqlQuery q = run(QStringLiteral("SELECT %1 FROM views ORDER BY rowid").arg(kViewColumns));
    while (q.next())
        result.append(viewFrom(q));
    return result;
}

std::optional<SandboxView> SandboxStore::findView(const QString &tag)
{
    static const QString sql = QStringLiteral("SELECT %1 FROM views WHERE tag = ?").arg(kViewColumns);
    std::optional<SandboxView> found;
    query(sql, {tag}, [&](const QSqlQuery &q) { found = viewFrom(q); });
    return found;
}

SandboxView SandboxStore::view(const QString &tag)
{
    if (auto found = findView(tag))
        return *found;
    clearCaseError(QStringLiteral("No matching entries found for view tag \"%1\".").arg(tag));
}

void SandboxStore::addView(const SandboxView &view)
{
    transaction([&] {
        if (findView(view.tag))
            clearCaseError(QStringLiteral("View tag \"%1\" already exists.").arg(view.tag));
        run(QStringLiteral("INSERT INTO views (%1) VALUES (?, ?, ?, ?, ?, ?)").arg(kViewColumns),
            {view.tag, view.host, view.owner, int(view.snapshot), int(view.active), view.configSpec});
        if (view.active && !view.snapshot)
            linkViewFolder(view);
    });
}

void SandboxStore::startView(const QString &tag)
{
    transaction([&] {
        SandboxView started = view(tag);
        if (started.snapshot)
            return;
        run(QStringLiteral("UPDATE views SET active = 1 WHERE tag = ?"), {tag});
        linkViewFolder(started);
    });
}

void SandboxStore::linkViewFolder(const SandboxView &view)
{
    const QString viewFolder = driveFolder(QStringLiteral("m")) + QLatin1Char('/') + view.tag;
    if (!QDir().mkpath(viewFolder))
        clearCaseError(QStringLiteral("Unable to start view \"%1\": cannot create %2.").arg(view.tag, viewFolder));
    for (const SandboxVob &mounted : vobs()) {
        if (!mounted.mounted)
            continue;
        const QString link = viewFolder + QLatin1Char('/') + vobName(mounted.tag);
        if (QFileInfo(link).isSymLink() || QFileInfo::exists(link))
            continue;
        if (!QDir().mkpath(QFileInfo(link).path()) || !QFile::link(vobFolder(mounted.tag), link))
            clearCaseError(QStringLiteral("Unable to start view \"%1\": cannot mount %2.").arg(view.tag, mounted.tag));
    }
}

// ---- VOBs ----

QList<SandboxVob> SandboxStore::vobs()
{
    QList<SandboxVob> result;
    QSqlQuery q = run(QStringLiteral("SELECT tag, ucm_project, mounted FROM vobs ORDER BY rowid"));
    while (q.next())
        result.append(vobFrom(q));
    return result;
}

std::optional<SandboxVob> SandboxStore::findVob(const QString &tag)
{
    std::optional<SandboxVob> found;
    query(QStringLiteral("SELECT tag, ucm_project, mounted FROM vobs WHERE tag = ?"), {tag},
          [&](const QSqlQuery &q) { found = vobFrom(q); });
    return found;
}

SandboxVob SandboxStore::vob(const QString &tag)
{
    if (auto found = findVob(tag))
        return *found;
    clearCaseError(QStringLiteral("No matching entries found for VOB tag \"%1\".").arg(tag));
}

void SandboxStore::addVob(const SandboxVob &vob)
{
    static const QRegularExpression validTag(QStringLiteral("^(\\\\[^\\\\/]+|(/[^\\\\/]+)+)$"));
    if (!validTag.match(vob.tag).hasMatch() || vob.tag.contains(QStringLiteral("/..")) || vob.tag.contains(QStringLiteral("/./")))
        clearCaseError(QStringLiteral("Invalid VOB tag \"%1\".").arg(vob.tag));
    transaction([&] {
        if (findVob(vob.tag))
            clearCaseError(QStringLiteral("VOB tag \"%1\" already exists.").arg(vob.tag));
        if (!QDir().mkpath(vobFolder(vob.tag)))
            clearCaseError(QStringLiteral("Unable to create VOB \"%1\".").arg(vob.tag));
        run(QStringLiteral("INSERT INTO vobs (tag, ucm_project, mounted) VALUES (?, ?, ?)"),
            {vob.tag, int(vob.ucmProject), int(vob.mounted)});
        run(QStringLiteral("INSERT INTO elements (vob, path, directory) VALUES (?, '', 1)"), {vob.tag});
    });
}

// ---- elements ----

bool SandboxStore::isElement(const QString &vobTag, const QString &path)
{
    return exists(QStringLiteral("SELECT 1 FROM elements WHERE vob = ? AND path = ?"), {vobTag, path});
}

QSet<QString> SandboxStore::existingElements(const QString &vobTag, const QStringList &paths)
{
    return pathsWhere(paths, QStringLiteral("EXISTS (SELECT 1 FROM elements WHERE vob = ? AND path = each.value)"), {vobTag});
}

QSet<QString> SandboxStore::elementsCarrying(const QString &vobTag, const QStringList &paths, const QString &typeName)
{
    return pathsWhere(paths, QStringLiteral("EXISTS (SELECT 1 FROM attributes WHERE vob = ? AND element = each.value AND type = ?)"),
                      {vobTag, typeName});
}

// Those of the paths (each.value in the condition) for which the condition holds. The query
// returns one row naming their positions: fetching a row per path through Qt costs more than
// the lookup itself.
QSet<QString> SandboxStore::pathsWhere(const QStringList &paths, const QString &condition, const QVariantList &values)
{
    QString positions;
    query(QStringLiteral("SELECT group_concat(each.key) FROM json_each(?) AS each WHERE ") + condition,
          QVariantList{jsonArray(paths)} + values, [&](const QSqlQuery &q) { positions = q.value(0).toString(); });
    QSet<QString> found;
    for (const QStringView position : QStringView(positions).split(QLatin1Char(','), Qt::SkipEmptyParts))
        found.insert(paths.at(position.toInt()));
    return found;
}

void SandboxStore::addElement(const QString &vobTag, const QString &path, bool directory)
{
    transaction([&] {
        vob(vobTag);
        run(QStringLiteral("INSERT OR IGNORE INTO elements (vob, path, directory) VALUES (?, ?, ?)"),
            {vobTag, path, int(directory)});
    });
}

QStringList SandboxStore::elements(const QString &vobTag)
{
    QStringList result;
    QSqlQuery q = run(QStringLiteral("SELECT path FROM elements WHERE vob = ? ORDER BY path"), {vobTag});
    while (q.next())
        result << q.value(0).toString();
    return result;
}

// ---- attribute types and attributes ----

QList<SandboxAttributeType> SandboxStore::attributeTypes(const QString &vobTag)
{
    QList<SandboxAttributeType> result;
    readTransaction([&] {
        vob(vobTag);
        query(QStringLiteral("SELECT name, value_type, comment, created FROM attribute_types WHERE vob = ? ORDER BY rowid"),
              {vobTag}, [&](const QSqlQuery &q) {
                  result.append({q.value(0).toString(), q.value(1).toInt(), q.value(2).toString(),
                                 createdTime(q.value(3).toString())});
              });
    });
    return result;
}

bool SandboxStore::hasAttributeType(const QString &vobTag, const QString &name)
{
    return exists(QStringLiteral("SELECT 1 FROM attribute_types WHERE vob = ? AND name = ?"), {vobTag, name});
}

void SandboxStore::addAttributeType(const QString &vobTag, const SandboxAttributeType &type)
{
    if (type.name.isEmpty())
        clearCaseError(QStringLiteral("Invalid type name \"\"."));
    transaction([&] {
        vob(vobTag);
        if (hasAttributeType(vobTag, type.name))
            clearCaseError(QStringLiteral("Name \"%1\" already exists.").arg(type.name));
        const QDateTime created = type.created.isValid() ? type.created : QDateTime::currentDateTime();
        run(QStringLiteral("INSERT INTO attribute_types (vob, name, value_type, comment, created) VALUES (?, ?, ?, ?, ?)"),
            {vobTag, type.name, type.valueType, type.comment, created.toString(Qt::ISODate)});
    });
}

QList<AttributeInfo> SandboxStore::attributes(const QString &vobTag, const QString &path)
{
    QList<AttributeInfo> result;
    query(QStringLiteral("SELECT type, value FROM attributes WHERE vob = ? AND element = ? ORDER BY rowid"), {vobTag, path},
          [&](const QSqlQuery &q) { result.append({q.value(0).toString(), q.value(1).toString()}); });
    return result;
}

void SandboxStore::requireAttributeType(const QString &vobTag, const QString &typeName)
{
    if (!hasAttributeType(vobTag, typeName))
        clearCaseError(QStringLiteral("Attribute type not found: \"%1\".").arg(typeName));
}

void SandboxStore::requireElement(const QString &vobTag, const QString &path)
{
    if (!isElement(vobTag, path))
        clearCaseError(QStringLiteral("Not a vob object: \"%1\".").arg(path));
}

void SandboxStore::attachAttribute(const QString &vobTag, const QString &path, const QString &typeName,
                                   const QString &value, const QString &comment, bool replace)
{
    transaction([&] {
        requireAttributeType(vobTag, typeName);
        requireElement(vobTag, path);
        attachToFoundElement(vobTag, path, typeName, value, comment, replace);
    });
}

void SandboxStore::attachToFoundElement(const QString &vobTag, const QString &path, const QString &typeName,
                                        const QString &value, const QString &comment, bool replace)
{
    transaction([&] {
        if (!replace && exists(QStringLiteral("SELECT 1 FROM attributes WHERE vob = ? AND element = ? AND type = ?"),
                               {vobTag, path, typeName}))
            clearCaseError(QStringLiteral("Attribute \"%1\" already exists on this version; use replace to change it.")
                               .arg(typeName));
        change(kUpsertAttribute, {vobTag, path, typeName, value, comment});
    });
}

void SandboxStore::replaceOnFoundElements(const QString &vobTag, const QStringList &paths, const QString &typeName,
                                          const QString &value, const QString &comment)
{
    change(QStringLiteral("INSERT INTO attributes (vob, element, type, value, comment) "
                          "SELECT ?, each.value, ?, ?, ? FROM json_each(?) AS each WHERE true "
                          "ON CONFLICT (vob, element, type) DO UPDATE SET value = excluded.value, comment = excluded.comment"),
           {vobTag, typeName, value, comment, jsonArray(paths)});
}

void SandboxStore::removeFromFoundElements(const QString &vobTag, const QStringList &paths, const QString &typeName)
{
    change(QStringLiteral("DELETE FROM attributes WHERE vob = ? AND type = ? AND element IN (SELECT value FROM json_each(?))"),
           {vobTag, typeName, jsonArray(paths)});
}

void SandboxStore::removeAttribute(const QString &vobTag, const QString &path, const QString &typeName)
{
    removeAttributes(vobTag, path, {typeName});
}

void SandboxStore::attachAttributes(const QString &vobTag, const QStringList &paths, const QList<AttributeInfo> &values,
                                    const QString &comment)
{
    transaction([&] {
        for (const AttributeInfo &value : values)
            requireAttributeType(vobTag, value.typeName);
        const QSet<QString> found = existingElements(vobTag, paths);
        for (const QString &path : paths) {
            if (!found.contains(path))
                clearCaseError(QStringLiteral("Not a vob object: \"%1\".").arg(path));
            for (const AttributeInfo &value : values)
                change(kUpsertAttribute, {vobTag, path, value.typeName, value.value, comment});
        }
    });
}

QList<QList<AttributeInfo>> SandboxStore::attributesOf(const QString &vobTag, const QStringList &paths)
{
    QHash<QString, QList<AttributeInfo>> byPath;
    query(QStringLiteral("SELECT element, type, value FROM attributes "
                         "WHERE vob = ? AND element IN (SELECT value FROM json_each(?)) ORDER BY rowid"),
          {vobTag, jsonArray(paths)},
          [&](const QSqlQuery &q) { byPath[q.value(0).toString()].append({q.value(1).toString(), q.value(2).toString()}); });
    QList<QList<AttributeInfo>> result;
    result.reserve(paths.size());
    for (const QString &path : paths)
        result << byPath.value(path);
    return result;
}

void SandboxStore::removeAttributes(const QString &vobTag, const QString &path, const QStringList &typeNames)
{
    transaction([&] {
        for (const QString &typeName : typeNames) {
            if (change(kRemoveAttribute, {vobTag, path, typeName}) < 1)
                clearCaseError(QStringLiteral("Attribute not found: \"%1\".").arg(typeName));
        }
    });
}

QString SandboxStore::attributeComment(const QString &vobTag, const QString &path, const QString &typeName)
{
    QSqlQuery q = run(QStringLiteral("SELECT comment FROM attributes WHERE vob = ? AND element = ? AND type = ?"),
                      {vobTag, path, typeName});
    return q.next() ? q.value(0).toString() : QString();
}

// ---- trigger types ----

QList<SandboxTriggerType> SandboxStore::triggerTypes(const QString &vobTag)
{
    QList<SandboxTriggerType> result;
    readTransaction([&] {
        vob(vobTag);
        static const QString sql = QStringLiteral("SELECT %1 FROM trigger_types WHERE vob = ? ORDER BY rowid").arg(kTriggerColumns);
        query(sql, {vobTag}, [&](const QSqlQuery &q) { result.append(triggerTypeFrom(q)); });
    });
    return result;
}

std::optional<SandboxTriggerType> SandboxStore::findTriggerType(const QString &vobTag, const QString &name)
{
    static const QString sql = QStringLiteral("SELECT %1 FROM trigger_types WHERE vob = ? AND name = ?").arg(kTriggerColumns);
    std::optional<SandboxTriggerType> found;
    query(sql, {vobTag, name}, [&](const QSqlQuery &q) { found = triggerTypeFrom(q); });
    return found;
}

void SandboxStore::addTriggerType(const QString &vobTag, const SandboxTriggerType &type)
{
    if (type.name.isEmpty())
        clearCaseError(QStringLiteral("Invalid type name \"\"."));
    transaction([&] {
        vob(vobTag);
        if (findTriggerType(vobTag, type.name))
            clearCaseError(QStringLiteral("Name \"%1\" already exists.").arg(type.name));
        const QDateTime created = type.created.isValid() ? type.created : QDateTime::currentDateTime();
        run(QStringLiteral("INSERT INTO trigger_types (vob, %1) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)").arg(kTriggerColumns),
            {vobTag, type.name, type.kind, type.firing, joinList(type.operations), joinList(type.exemptUsers),
             actionsToJson(type.actions), inclusionsToJson(type.inclusions), type.comment,
             created.toString(Qt::ISODate), type.creator});
    });
}

void SandboxStore::removeTriggerType(const QString &vobTag, const QString &name)
{
    transaction([&] {
        vob(vobTag);
        QSqlQuery q = run(QStringLiteral("DELETE FROM trigger_types WHERE vob = ? AND name = ?"), {vobTag, name});
        if (q.numRowsAffected() < 1)
            clearCaseError(QStringLiteral("Trigger type not found: \"%1\".").arg(name));
        forgetTypeLock(vobTag, QStringLiteral("trtype"), name);
    });
}

// ---- the emulator's version history, checkouts and other type kinds ----

qint64 SandboxStore::recordEvent(const QString &vobTag, const SandboxEvent &event)
{
    qint64 id = event.id;
    transaction([&] {
        const QDateTime time = event.time.isValid() ? event.time : QDateTime::currentDateTime();
        QSqlQuery &q = prepared(QStringLiteral("INSERT OR REPLACE INTO events (id, vob, object, version, operation, description, user, "
                                         "host, time, comment, view, detail) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                          {id > 0 ? QVariant(id) : QVariant(), vobTag, event.object, event.version, event.operation,
                           event.description, event.user, event.host, time.toString(Qt::ISODate), event.comment, event.view,
                           event.detail});
        id = q.lastInsertId().toLongLong();
        q.finish();
    });
    return id;
}

QList<SandboxEvent> SandboxStore::events(const QString &vobTag, const QString &object)
{
    QList<SandboxEvent> result;
    const QString columns = QStringLiteral("SELECT id, object, version, operation, description, user, host, time, comment, view, "
                                           "detail FROM events WHERE vob = ?");
    QSqlQuery q = object.isEmpty() ? run(columns + QStringLiteral(" ORDER BY id"), {vobTag})
                                   : run(columns + QStringLiteral(" AND object = ? ORDER BY id"), {vobTag, object});
    while (q.next())
        result.append({q.value(0).toLongLong(), q.value(1).toString(), q.value(2).toString(), q.value(3).toString(),
                       q.value(4).toString(), q.value(5).toString(), q.value(6).toString(),
                       QDateTime::fromString(q.value(7).toString(), Qt::ISODate), q.value(8).toString(), q.value(9).toString(),
                       q.value(10).toString()});
    return result;
}

// Added after the first schema: a store made before them gains them when it is opened.
void SandboxStore::createEmulatorTables()
{
    run(QStringLiteral("CREATE TABLE IF NOT EXISTS element_versions (vob TEXT NOT NULL, path TEXT NOT NULL, "
                       "latest INTEGER NOT NULL, PRIMARY KEY (vob, path))"));
    run(QStringLiteral("CREATE TABLE IF NOT EXISTS checkouts (vob TEXT NOT NULL, path TEXT NOT NULL, view TEXT NOT NULL, "
                       "user TEXT NOT NULL, PRIMARY KEY (vob, path, view, user))"));
    run(QStringLiteral("CREATE TABLE IF NOT EXISTS types (vob TEXT NOT NULL, kind TEXT NOT NULL, name TEXT NOT NULL, "
                       "comment TEXT NOT NULL, created TEXT NOT NULL, creator TEXT NOT NULL, PRIMARY KEY (vob, kind, name))"));
    run(QStringLiteral("CREATE TABLE IF NOT EXISTS locks (vob TEXT NOT NULL, object TEXT NOT NULL, excepted TEXT NOT NULL, "
                       "obsolete INTEGER NOT NULL, PRIMARY KEY (vob, object))"));
    run(QStringLiteral("CREATE TABLE IF NOT EXISTS events (id INTEGER PRIMARY KEY AUTOINCREMENT, vob TEXT NOT NULL, "
                       "object TEXT NOT NULL, version TEXT NOT NULL, operation TEXT NOT NULL, description TEXT NOT NULL, "
                       "user TEXT NOT NULL, host TEXT NOT NULL, time TEXT NOT NULL, comment TEXT NOT NULL, view TEXT NOT NULL, "
                       "detail TEXT NOT NULL)"));
    run(QStringLiteral("CREATE INDEX IF NOT EXISTS events_of_object ON events (vob, object)"));
}

// The table added last tells whether all of them are there.
bool SandboxStore::hasEmulatorTables()
{
    return run(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'events'")).next();
}

int SandboxStore::latestVersion(const QString &vobTag, const QString &path)
{
    int latest = 0;
    query(QStringLiteral("SELECT latest FROM element_versions WHERE vob = ? AND path = ?"), {vobTag, path},
          [&](const QSqlQuery &q) { latest = q.value(0).toInt(); });
    return latest;
}

void SandboxStore::setLatestVersion(const QString &vobTag, const QString &path, int version)
{
    transaction([&] {
        run(QStringLiteral("INSERT OR REPLACE INTO element_versions (vob, path, latest) VALUES (?, ?, ?)"), {vobTag, path, version});
    });
}

bool SandboxStore::isCheckedOut(const QString &vobTag, const QString &path, const QString &viewTag, const QString &user)
{
    return exists(QStringLiteral("SELECT 1 FROM checkouts WHERE vob = ? AND path = ? AND view = ? AND user = ?"),
                  {vobTag, path, viewTag, user.toLower()});
}

QList<SandboxStore::VersionState> SandboxStore::versionStates(const QString &vobTag, const QStringList &paths,
                                                              const QString &viewTag, const QString &user)
{
    QList<VersionState> states(paths.size());
    QString rows; // "position:latest:checked out", for the paths that have either
    query(QStringLiteral("SELECT group_concat(position || ':' || latest || ':' || out) FROM ("
                         "SELECT each.key AS position, "
                         "coalesce((SELECT latest FROM element_versions WHERE vob = ? AND path = each.value), 0) AS latest, "
                         "EXISTS (SELECT 1 FROM checkouts WHERE vob = ? AND path = each.value AND view = ? AND user = ?) AS out "
                         "FROM json_each(?) AS each) WHERE latest > 0 OR out"),
          {vobTag, vobTag, viewTag, user.toLower(), jsonArray(paths)}, [&](const QSqlQuery &q) { rows = q.value(0).toString(); });
    for (const QStringView row : QStringView(rows).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QList<QStringView> fields = row.split(QLatin1Char(':'));
        VersionState &state = states[fields.at(0).toInt()];
        state.latest = fields.at(1).toInt();
        state.checkedOut = fields.at(2) == QLatin1String("1");
    }
    return states;
}

void SandboxStore::setCheckedOut(const QString &vobTag, const QString &path, const QString &viewTag, const QString &user,
                                 bool checkedOut)
{
    transaction([&] {
        if (checkedOut)
            run(QStringLiteral("INSERT OR IGNORE INTO checkouts (vob, path, view, user) VALUES (?, ?, ?, ?)"),
                {vobTag, path, viewTag, user.toLower()});
        else
            run(QStringLiteral("DELETE FROM checkouts WHERE vob = ? AND path = ? AND view = ? AND user = ?"),
                {vobTag, path, viewTag, user.toLower()});
    });
}

QList<SandboxType> SandboxStore::types(const QString &vobTag, const QString &kind)
{
    QList<SandboxType> result;
    QSqlQuery q = run(QStringLiteral("SELECT name, comment, created, creator FROM types WHERE vob = ? AND kind = ? ORDER BY rowid"),
                      {vobTag, kind});
    while (q.next())
        result.append({q.value(0).toString(), q.value(1).toString(), QDateTime::fromString(q.value(2).toString(), Qt::ISODate),
                       q.value(3).toString()});
    return result;
}

std::optional<SandboxType> SandboxStore::findType(const QString &vobTag, const QString &kind, const QString &name)
{
    for (const SandboxType &type : types(vobTag, kind)) {
        if (type.name == name)
            return type;
    }
    return std::nullopt;
}

void SandboxStore::addType(const QString &vobTag, const QString &kind, const SandboxType &type)
{
    if (type.name.isEmpty())
        clearCaseError(QStringLiteral("Invalid type name \"\"."));
    transaction([&] {
        vob(vobTag);
        if (findType(vobTag, kind, type.name))
            clearCaseError(QStringLiteral("Name \"%1\" already exists.").arg(type.name));
        const QDateTime created = type.created.isValid() ? type.created : QDateTime::currentDateTime();
        run(QStringLiteral("INSERT INTO types (vob, kind, name, comment, created, creator) VALUES (?, ?, ?, ?, ?, ?)"),
            {vobTag, kind, type.name, type.comment, created.toString(Qt::ISODate), type.creator});
    });
}

void SandboxStore::removeType(const QString &vobTag, const QString &kind, const QString &name)
{
    transaction([&] {
        run(QStringLiteral("DELETE FROM types WHERE vob = ? AND kind = ? AND name = ?"), {vobTag, kind, name});
        forgetTypeLock(vobTag, kind, name);
    });
}

// A type made again under a removed type's name starts unlocked.
void SandboxStore::forgetTypeLock(const QString &vobTag, const QString &kind, const QString &name)
{
    run(QStringLiteral("DELETE FROM locks WHERE vob = ? AND object = ?"), {vobTag, typeObjectKey(kind, name)});
}

void SandboxStore::renameType(const QString &vobTag, const QString &kind, const QString &name, const QString &newName)
{
    transaction([&] {
        if (kind == QLatin1String("attype")) {
            change(QStringLiteral("UPDATE attribute_types SET name = ? WHERE vob = ? AND name = ?"), {newName, vobTag, name});
            change(QStringLiteral("UPDATE attributes SET type = ? WHERE vob = ? AND type = ?"), {newName, vobTag, name});
        } else if (kind == QLatin1String("trtype")) {
            change(QStringLiteral("UPDATE trigger_types SET name = ? WHERE vob = ? AND name = ?"), {newName, vobTag, name});
        } else {
            change(QStringLiteral("UPDATE types SET name = ? WHERE vob = ? AND kind = ? AND name = ?"), {newName, vobTag, kind, name});
        }
        // The attributes on the type object itself, and its lock.
        const QString oldKey = typeObjectKey(kind, name), newKey = typeObjectKey(kind, newName);
        change(QStringLiteral("UPDATE attributes SET element = ? WHERE vob = ? AND element = ?"), {newKey, vobTag, oldKey});
        change(QStringLiteral("UPDATE locks SET object = ? WHERE vob = ? AND object = ?"), {newKey, vobTag, oldKey});
        change(QStringLiteral("UPDATE events SET object = ? WHERE vob = ? AND object = ?"), {newKey, vobTag, oldKey});
    });
}

bool SandboxStore::hasLocks()
{
    return exists(QStringLiteral("SELECT 1 FROM locks LIMIT 1"), {});
}

QHash<QString, SandboxLock> SandboxStore::locks(const QString &vobTag)
{
    QHash<QString, SandboxLock> found;
    query(QStringLiteral("SELECT object, excepted, obsolete FROM locks WHERE vob = ?"), {vobTag}, [&](const QSqlQuery &q) {
        found.insert(q.value(0).toString(),
                     {q.value(1).toString().split(QLatin1Char(','), Qt::SkipEmptyParts), q.value(2).toBool()});
    });
    return found;
}

void SandboxStore::setLock(const QString &vobTag, const QString &object, const SandboxLock &lock)
{
    transaction([&] {
        run(QStringLiteral("INSERT OR REPLACE INTO locks (vob, object, excepted, obsolete) VALUES (?, ?, ?, ?)"),
            {vobTag, object, lock.exceptedUsers.join(QLatin1Char(',')), lock.obsolete ? 1 : 0});
    });
}

void SandboxStore::removeLock(const QString &vobTag, const QString &object)
{
    transaction([&] { run(QStringLiteral("DELETE FROM locks WHERE vob = ? AND object = ?"), {vobTag, object}); });
}

void SandboxStore::removeAttributeType(const QString &vobTag, const QString &name, bool withInstances)
{
    transaction([&] {
        vob(vobTag);
        if (!withInstances && run(QStringLiteral("SELECT 1 FROM attributes WHERE vob = ? AND type = ?"), {vobTag, name}).next())
            clearCaseError(QStringLiteral("There are attributes of type \"%1\".").arg(name));
        run(QStringLiteral("DELETE FROM attributes WHERE vob = ? AND type = ?"), {vobTag, name});
        if (run(QStringLiteral("DELETE FROM attribute_types WHERE vob = ? AND name = ?"), {vobTag, name}).numRowsAffected() < 1)
            clearCaseError(QStringLiteral("Attribute type not found: \"%1\".").arg(name));
        forgetTypeLock(vobTag, QStringLiteral("attype"), name);
    });
}

void SandboxStore::attachObjectAttribute(const QString &vobTag, const QString &objectKey, const QString &typeName,
                                         const QString &value, bool replace)
{
    transaction([&] {
        if (!hasAttributeType(vobTag, typeName))
            clearCaseError(QStringLiteral("Attribute type not found: \"%1\".").arg(typeName));
        const bool present = run(QStringLiteral("SELECT 1 FROM attributes WHERE vob = ? AND element = ? AND type = ?"),
                                 {vobTag, objectKey, typeName}).next();
        if (present && !replace)
            clearCaseError(QStringLiteral("Attribute \"%1\" already exists on this object; use replace to change it.").arg(typeName));
        run(QStringLiteral("INSERT OR REPLACE INTO attributes (vob, element, type, value, comment) VALUES (?, ?, ?, ?, '')"),
            {vobTag, objectKey, typeName, value});
    });
}
