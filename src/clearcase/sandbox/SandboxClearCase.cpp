#include "clearcase/sandbox/SandboxClearCase.h"

#include "clearcase/cleartool/CleartoolClearCase.h"
#include "clearcase/sandbox/SandboxCleartool.h"

#include "clearcase/sandbox/SandboxHistory.h"
#include "clearcase/sandbox/SandboxLocks.h"
#include "clearcase/sandbox/SandboxSeed.h"
#include "clearcase/sandbox/SandboxStore.h"
#include "platform/QtPlatform.h"
#include "util/ZanError.h"

#include <QDir>
#include <QProcessEnvironment>
#include <algorithm>
#include <QHash>

namespace {

const QString versionOnMain = QStringLiteral("/main/0");

[[noreturn]] void clearCaseError(const QString &text)
{
    throw ZanError(ZanError::ClearCaseFailure, QStringLiteral("ClearCase"), text);
}

} // namespace

SandboxClearCase::SandboxClearCase(std::unique_ptr<SandboxStore> store, QString localHost, QString userName)
    : m_store(std::move(store)), m_localHost(std::move(localHost)), m_user(std::move(userName)),
      m_resolver(*m_store), m_commands(*m_store, m_user, m_store->siteStyle().kind())
{
}

SandboxClearCase::~SandboxClearCase() = default;

std::unique_ptr<SandboxClearCase> SandboxClearCase::open(Platform &platform, const QString &folder)
{
    auto store = std::make_unique<SandboxStore>(folder);
    QMap<QChar, QString> drives = platform.driveMap();
    QStringList letters = SandboxSeed::otherDrives;
    letters << SandboxSeed::viewDrive;
    for (const QString &letter : letters)
        drives.insert(letter.at(0), store->driveFolder(letter));
    if (store->siteStyle().isUnix())
        drives.insert(QLatin1Char('/'), store->driveFolder(SandboxSeed::viewDrive));
    drives.insert(QtPlatform::parseDriveMap(platform.envVar(QStringLiteral("ZAN_DRIVES"))));
    platform.setDriveMap(drives);
    return std::make_unique<SandboxClearCase>(std::move(store), platform.computerName(), platform.loginName());
}

QString SandboxClearCase::description() const
{
    return QStringLiteral("sandbox at ") + QDir::toNativeSeparators(m_store->folder());
}

void SandboxClearCase::requireVob(const QString &vobTag)
{
    m_store->vob(vobTag);
}

void SandboxClearCase::requireVersion(const QString &path)
{
    m_resolver.resolve(path);
}

ViewInfo SandboxClearCase::toViewInfo(const SandboxView &view) const
{
    return ViewInfo{view.tag, view.host.isEmpty() ? m_localHost : view.host, view.snapshot, view.active, view.configSpec};
}

ViewInfo SandboxClearCase::viewByTag(const QString &tag)
{
    return toViewInfo(m_store->view(tag));
}

QList<ViewInfo> SandboxClearCase::allViews()
{
    QList<ViewInfo> result;
    for (const SandboxView &view : m_store->views())
        result.append(toViewInfo(view));
    return result;
}

void SandboxClearCase::requireUcmProjectVob(const QString &vobTag)
{
    if (!m_store->vob(vobTag).ucmProject)
        clearCaseError(QStringLiteral("VOB \"%1\" is not a UCM project VOB.").arg(vobTag));
}

QStringList SandboxClearCase::triggerTypeNames(const QString &vobTag)
{
    QStringList names;
    for (const SandboxTriggerType &type : m_store->triggerTypes(vobTag))
        names << type.name;
    return names;
}

void SandboxClearCase::removeTriggerType(const QString &vobTag, const QString &name)
{
    // No trigger runs here, so none can refuse the removal.
    m_store->transaction([&] {
        m_store->removeTriggerType(vobTag, name);
        history().typeRemoved(vobTag, QStringLiteral("trtype"), name, QString());
    });
}

QString SandboxClearCase::operationKindName(int code)
{
    static const QHash<int, QString> names = {
        {1, QStringLiteral("MODIFY_TYPE")}, {2, QStringLiteral("MODIFY_ELEM")}, {3, QStringLiteral("MODIFY_DATA")},
        {4, QStringLiteral("MODIFY_MD")},   {88, QStringLiteral("MODIFY_UCM")}, {10, QStringLiteral("checkout")},
        {11, QStringLiteral("mkelem")},     {12, QStringLiteral("mkbranch")},   {13, QStringLiteral("checkin")},
        {14, QStringLiteral("rmelem")},     {20, QStringLiteral("mkattr")},     {24, QStringLiteral("rmattr")},
        {27, QStringLiteral("uncheckout")}};
    const auto found = names.constFind(code);
    if (found == names.constEnd())
        clearCaseError(QStringLiteral("Unknown operation kind %1.").arg(code));
    return *found;
}

void SandboxClearCase::createTriggerType(const QString &vobTag, const TriggerTypeDefinition &definition)
{
    if (definition.kind != 0 && definition.kind != 2 && definition.kind != 4)
        clearCaseError(QStringLiteral("Unsupported trigger kind %1.").arg(definition.kind));
    if (definition.firing != 1 && definition.firing != 2)
        clearCaseError(QStringLiteral("Unsupported trigger firing %1.").arg(definition.firing));
    if (definition.operationKinds.isEmpty() || definition.actions.isEmpty())
        clearCaseError(QStringLiteral("Trigger type \"%1\" needs operations and actions.").arg(definition.name));
    SandboxTriggerType type;
    type.name = definition.name;
    type.kind = definition.kind;
    type.firing = definition.firing;
    for (int code : definition.operationKinds)
        type.operations << operationKindName(code);
    type.exemptUsers = definition.exemptUsers;
    type.actions = definition.actions;
    type.comment = definition.comment;
    type.creator = m_user;
    m_store->transaction([&] {
        m_store->addTriggerType(vobTag, type);
        history().typeMade(vobTag, QStringLiteral("trtype"), type.name, type.comment);
    });
}

QStringList SandboxClearCase::attributeTypeNames(const QString &vobTag)
{
    QStringList names;
    for (const SandboxAttributeType &type : m_store->attributeTypes(vobTag))
        names << type.name;
    return names;
}

void SandboxClearCase::createAttributeType(const QString &vobTag, const QString &name, int valueType, const QString &comment)
{
    m_store->transaction([&] {
        m_store->addAttributeType(vobTag, {name, valueType, comment, {}});
        history().typeMade(vobTag, QStringLiteral("attype"), name, comment);
    });
}

void SandboxClearCase::attachAttribute(const QString &vobTag, const QString &typeName, const QString &versionPath,
                                       const QString &value, const QString &comment, bool replace)
{
    if (ClearCase *writer = guardedWriter(vobTag))
        return writer->attachAttribute(vobTag, typeName, versionPath, value, comment, replace);
    m_store->vob(vobTag);
    const QString element = elementInVob(vobTag, m_resolver.resolve(versionPath), versionPath, typeName);
    SandboxLocks locks(*m_store);
    requireUnlocked(locks, vobTag, element, versionPath, {typeName}, QStringLiteral("mkattr"));
    m_store->transaction([&] {
        m_store->attachAttribute(vobTag, element, typeName, value, comment, replace);
        recordAttached(vobTag, element, typeName, value, comment);
    });
}

// A locked VOB, attribute type or element holds back attribute changes, as the VOB server does.
void SandboxClearCase::requireUnlocked(SandboxLocks &locks, const QString &vobTag, const QString &elementPath,
                                       const QString &versionPath, const QStringList &typeNames, const QString &operation)
{
    if (!locks.anyLock())
        return;
    const QString shown = versionPath.left(versionPath.indexOf(QLatin1String("@@")));
    const QList<SandboxLocks::Object> objects = SandboxLocks::onAttributeChange(vobTag, typeNames, SandboxLocks::element(elementPath, shown));
    if (const auto refused = locks.refusal(vobTag, objects, m_user, operation))
        clearCaseError(*refused);
}

QList<AttributeInfo> SandboxClearCase::attributes(const QString &versionPath)
{
    const SandboxPathResolver::Element element = m_resolver.resolve(versionPath);
    return m_store->attributes(element.vobTag, element.path);
}

void SandboxClearCase::removeAttribute(const QString &versionPath, const QString &typeName, const QString &comment)
{
    const SandboxPathResolver::Element element = m_resolver.resolve(versionPath);
    if (ClearCase *writer = guardedWriter(element.vobTag))
        return writer->removeAttribute(versionPath, typeName, comment);
    SandboxLocks locks(*m_store);
    requireUnlocked(locks, element.vobTag, element.path, versionPath, {typeName}, QStringLiteral("rmattr"));
    m_store->transaction([&] {
        m_store->removeAttribute(element.vobTag, element.path, typeName);
        history().attributeRemoved(element.vobTag, element.path, versionOnMain, typeName, comment);
    });
}

QStringList SandboxClearCase::existingVersions(const QStringList &paths)
{
    QStringList existing;
    m_lastResolved.clear();
    m_store->readTransaction([&] {
        for (const QString &path : paths) {
            try {
                // Keyed by the version the write will name.
                const bool version = path.contains(QLatin1String("@@"));
                m_lastResolved.insert(version ? path : SiteStyle::versionOf(path), m_resolver.resolve(path));
                existing << path;
            } catch (...) {
            }
        }
    });
    return existing;
}

// A batch write follows the batch read of the same versions: it takes their resolution from
// that read. Whether each element still exists is checked again inside the write.
SandboxPathResolver::Element SandboxClearCase::resolvedForWrite(const QString &versionPath)
{
    const auto found = m_lastResolved.constFind(versionPath);
    return found != m_lastResolved.constEnd() ? *found : m_resolver.resolve(versionPath);
}

QString SandboxClearCase::elementInVob(const QString &vobTag, const SandboxPathResolver::Element &element,
                                       const QString &versionPath, const QString &typeName)
{
    if (element.vobTag != vobTag)
        clearCaseError(QStringLiteral("Attribute type \"%1\" of VOB \"%2\" cannot be used on \"%3\".")
                           .arg(typeName, vobTag, versionPath));
    return element.path;
}

void SandboxClearCase::attachAttributes(const QString &vobTag, const QList<AttributeInfo> &values,
                                        const QStringList &versionPaths, const QString &comment)
{
    if (values.isEmpty())
        return;
    if (ClearCase *writer = guardedWriter(vobTag)) {
        m_lastResolved.clear();
        return writer->attachAttributes(vobTag, values, versionPaths, comment);
    }
    m_store->transaction([&] {
        m_store->vob(vobTag);
        QStringList elements;
        elements.reserve(versionPaths.size());
        for (const QString &version : versionPaths)
            elements << elementInVob(vobTag, resolvedForWrite(version), version, values.first().typeName);
        SandboxLocks locks(*m_store);
        QStringList typeNames;
        for (const AttributeInfo &value : values)
            typeNames << value.typeName;
        for (qsizetype i = 0; i < elements.size(); ++i)
            requireUnlocked(locks, vobTag, elements.at(i), versionPaths.at(i), typeNames, QStringLiteral("mkattr"));
        m_store->attachAttributes(vobTag, elements, values, comment);
        for (const QString &element : elements) {
            for (const AttributeInfo &value : values)
                recordAttached(vobTag, element, value.typeName, value.value, comment);
        }
    });
    m_lastResolved.clear();
}

// One transaction, one read and one write for all of them; a version that takes no value (no
// element of the VOB, locked, or holding one already) is left as it was.
void SandboxClearCase::attachWhereAbsent(const QString &vobTag, const AttributeInfo &value, const QStringList &versionPaths)
{
    if (ClearCase *writer = guardedWriter(vobTag))
        return writer->attachWhereAbsent(vobTag, value, versionPaths);
    m_store->transaction([&] {
        m_store->vob(vobTag);
        SandboxLocks locks(*m_store);
        QStringList elements;
        for (const QString &version : versionPaths) {
            try {
                const QString element = elementInVob(vobTag, resolvedForWrite(version), version, value.typeName);
                requireUnlocked(locks, vobTag, element, version, {value.typeName}, QStringLiteral("mkattr"));
                elements << element;
            } catch (const ZanError &) {
                // left as it was: the caller reads it back
            }
        }
        const QList<QList<AttributeInfo>> held = m_store->attributesOf(vobTag, elements);
        QStringList absent;
        for (qsizetype i = 0; i < elements.size(); ++i) {
            if (std::none_of(held[i].cbegin(), held[i].cend(), [&](const AttributeInfo &a) { return a.typeName == value.typeName; }))
                absent << elements[i];
        }
        m_store->attachAttributes(vobTag, absent, {value}, QString());
        for (const QString &element : absent)
            recordAttached(vobTag, element, value.typeName, value.value, QString());
    });
    m_lastResolved.clear();
}

QList<QList<AttributeInfo>> SandboxClearCase::attributesOfVersions(const QStringList &versionPaths)
{
    QList<QList<AttributeInfo>> result;
    m_lastResolved.clear();
    m_store->readTransaction([&] {
        QHash<QString, QStringList> pathsOfVob;
        for (const QString &version : versionPaths) {
            const SandboxPathResolver::Element element = m_resolver.resolve(version);
            m_lastResolved.insert(version, element);
            pathsOfVob[element.vobTag] << element.path;
        }
        QHash<QString, QList<AttributeInfo>> found; // by VOB tag and element path
        for (auto vob = pathsOfVob.cbegin(); vob != pathsOfVob.cend(); ++vob) {
            const QList<QList<AttributeInfo>> lists = m_store->attributesOf(vob.key(), vob.value());
            for (qsizetype i = 0; i < lists.size(); ++i)
                found.insert(vob.key() + QLatin1Char('\n') + vob.value().at(i), lists.at(i));
        }
        result.reserve(versionPaths.size());
        for (const QString &version : versionPaths) {
            const SandboxPathResolver::Element &element = m_lastResolved[version];
            result << found.value(element.vobTag + QLatin1Char('\n') + element.path);
        }
    });
    return result;
}

void SandboxClearCase::removeAttributes(const QList<AttributeRemoval> &removals)
{
    if (!removals.isEmpty()) {
        const SandboxPathResolver::Element first = m_resolver.resolve(removals.first().versionPath);
        if (ClearCase *writer = guardedWriter(first.vobTag)) {
            m_lastResolved.clear();
            return writer->removeAttributes(removals);
        }
    }
    m_store->transaction([&] {
        SandboxLocks locks(*m_store);
        for (const AttributeRemoval &removal : removals) {
            const SandboxPathResolver::Element element = resolvedForWrite(removal.versionPath);
            requireUnlocked(locks, element.vobTag, element.path, removal.versionPath, removal.typeNames, QStringLiteral("rmattr"));
            m_store->removeAttributes(element.vobTag, element.path, removal.typeNames);
            for (const QString &typeName : removal.typeNames)
                history().attributeRemoved(element.vobTag, element.path, versionOnMain, typeName, QString());
        }
    });
    m_lastResolved.clear();
}

// As the emulator records them, so that the events of both read alike.
SandboxHistory SandboxClearCase::history()
{
    return SandboxHistory(*m_store, m_user, m_localHost.toLower());
}

void SandboxClearCase::recordAttached(const QString &vobTag, const QString &element, const QString &typeName, const QString &value,
                                      const QString &comment)
{
    history().attributeMade(vobTag, element, versionOnMain, typeName, QLatin1Char('"') + value + QLatin1Char('"'), comment);
}

void SandboxClearCase::requireType(const QString &vobTag, const QString &kind, const QString &name)
{
    const bool found = kind == QLatin1String("trtype")   ? m_store->findTriggerType(vobTag, name).has_value()
                       : kind == QLatin1String("attype") ? m_store->hasAttributeType(vobTag, name)
                                                         : m_store->findType(vobTag, kind, name).has_value();
    if (!found)
        clearCaseError(QStringLiteral("%1 not found: \"%2\".").arg(SandboxHistory::kindName(kind), name));
}

// The attribute type of an attribute event is the first name its text quotes; a type event
// names its type by its object key ("/trtype:T"), a removal in its detail.
HistoryEvent SandboxClearCase::historyEvent(const SandboxEvent &event)
{
    static const QHash<QString, HistoryEvent::Kind> kinds{{QStringLiteral("mkattr"), HistoryEvent::AttributeAttached},
                                                          {QStringLiteral("rmattr"), HistoryEvent::AttributeRemoved},
                                                          {QStringLiteral("rmtype"), HistoryEvent::TypeRemoved}};
    HistoryEvent result;
    result.time = event.time;
    result.user = event.user;
    result.host = event.host;
    result.description = event.description;
    result.comment = event.comment;
    result.kind = kinds.value(event.operation, event.operation.endsWith(QLatin1String("type")) && event.operation.startsWith(QLatin1String("mk"))
                                                   ? HistoryEvent::TypeCreated
                                                   : HistoryEvent::Other);
    switch (result.kind) {
    case HistoryEvent::AttributeAttached:
        result.hasValue = true;
        result.value = event.detail.mid(1, event.detail.size() - 2); // without its double quotes
        [[fallthrough]];
    case HistoryEvent::AttributeRemoved:
        result.subject = event.description.section(QLatin1Char('"'), 1, 1);
        break;
    case HistoryEvent::TypeCreated:
        result.subject = event.object.mid(1);
        break;
    case HistoryEvent::TypeRemoved:
        result.subject = event.detail.mid(1);
        break;
    case HistoryEvent::Other:
        break;
    }
    return result;
}

QList<HistoryEvent> SandboxClearCase::history(const QString &object)
{
    QString vobTag, key;
    if (object.startsWith(QLatin1String("vob:"))) {
        vobTag = object.mid(4);
        key = SandboxStore::vobObjectKey;
    } else if (const QString kind = object.section(QLatin1Char(':'), 0, 0);
               !object.contains(QLatin1String("@@")) && !SandboxHistory::kindName(kind).isEmpty()) {
        const QString selector = object.mid(kind.size() + 1);
        const QString name = selector.section(QLatin1Char('@'), 0, -2);
        vobTag = selector.section(QLatin1Char('@'), -1);
        requireType(vobTag, kind, name);
        key = SandboxStore::typeObjectKey(kind, name);
    } else {
        const SandboxPathResolver::Element element = m_resolver.resolve(object);
        vobTag = element.vobTag;
        key = element.path;
    }
    QList<HistoryEvent> events;
    for (const SandboxEvent &event : history().eventsOf(vobTag, key)) {
        if (event.object == key) // the VOB root's key "" reads the whole VOB's events
            events << historyEvent(event);
    }
    return events;
}

QString SandboxClearCase::runCommand(const QString &commandLine)
{
    return m_commands.run(commandLine);
}

ClearCase *SandboxClearCase::guardedWriter(const QString &vobTag)
{
    if (m_store->triggerTypes(vobTag).isEmpty())
        return nullptr;
    if (!m_guardedWriter) {
        const QString cleartool = SandboxCleartool::installedIn(m_store->folder());
        if (cleartool.isEmpty())
            return nullptr;
        auto writer = std::make_unique<CleartoolClearCase>(cleartool);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("CLEARCASE_USER"), m_user);
        writer->process().setEnvironment(environment);
        m_guardedWriter = std::move(writer);
    }
    return m_guardedWriter.get();
}
