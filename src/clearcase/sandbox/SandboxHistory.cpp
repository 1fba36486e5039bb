#include "clearcase/sandbox/SandboxHistory.h"

#include "clearcase/sandbox/SandboxStore.h"

#include <QFileInfo>
#include <QHash>
#include <QStringList>

namespace {

bool isObjectKey(const QString &object)
{
    return object.startsWith(QLatin1Char('/'));
}

} // namespace

SandboxHistory::SandboxHistory(SandboxStore &store, QString user, QString host)
    : m_store(store), m_user(std::move(user)), m_host(std::move(host))
{
}

QString SandboxHistory::kindName(const QString &kind)
{
    static const QHash<QString, QString> names = {
        {QStringLiteral("attype"), QStringLiteral("attribute type")}, {QStringLiteral("trtype"), QStringLiteral("trigger type")},
        {QStringLiteral("lbtype"), QStringLiteral("label type")},     {QStringLiteral("brtype"), QStringLiteral("branch type")},
        {QStringLiteral("eltype"), QStringLiteral("element type")},   {QStringLiteral("hltype"), QStringLiteral("hyperlink type")}};
    return names.value(kind);
}

bool SandboxHistory::isMinor(const QString &operation)
{
    static const QStringList major{QStringLiteral("checkout"), QStringLiteral("checkin"), QStringLiteral("mkelem"),
                                   QStringLiteral("mkbranch")};
    return !major.contains(operation);
}

void SandboxHistory::record(const QString &vobTag, const QString &object, const QString &operation, const QString &description,
                            const QString &comment, const QString &version, const QString &view, const QString &detail)
{
    SandboxEvent event;
    event.object = object;
    event.version = version;
    event.operation = operation;
    event.description = description;
    event.user = m_user;
    event.host = m_host;
    event.comment = comment;
    event.view = view;
    event.detail = detail;
    m_store.recordEvent(vobTag, event);
}

QString SandboxHistory::objectKind(const QString &vobTag, const QString &object, const QString &version) const
{
    if (object == SandboxStore::vobObjectKey)
        return QStringLiteral("versioned object base");
    if (isObjectKey(object))
        return kindName(object.mid(1).section(QLatin1Char(':'), 0, 0));
    const bool directory = QFileInfo(m_store.vobFolder(vobTag) + QLatin1Char('/') + object).isDir();
    if (version.isEmpty())
        return directory ? QStringLiteral("directory element") : QStringLiteral("file element");
    return directory ? QStringLiteral("directory version") : QStringLiteral("version");
}

void SandboxHistory::attributeMade(const QString &vobTag, const QString &object, const QString &version, const QString &typeName,
                                   const QString &valueText, const QString &comment)
{
    record(vobTag, object, QStringLiteral("mkattr"),
           QStringLiteral("make attribute \"%1\" on %2").arg(typeName, objectKind(vobTag, object, version)), comment, version,
           QString(), valueText);
}

void SandboxHistory::attributeRemoved(const QString &vobTag, const QString &object, const QString &version, const QString &typeName,
                                      const QString &comment)
{
    record(vobTag, object, QStringLiteral("rmattr"),
           QStringLiteral("destroy attribute \"%1\" on %2").arg(typeName, objectKind(vobTag, object, version)), comment, version);
}

void SandboxHistory::typeMade(const QString &vobTag, const QString &kind, const QString &name, const QString &comment)
{
    record(vobTag, SandboxStore::typeObjectKey(kind, name), QStringLiteral("mk") + kind, QStringLiteral("create ") + kindName(kind),
           comment);
}

// The type's own history goes with it; the VOB's keeps the removal.
void SandboxHistory::typeRemoved(const QString &vobTag, const QString &kind, const QString &name, const QString &comment)
{
    record(vobTag, SandboxStore::vobObjectKey, QStringLiteral("rmtype"),
           QStringLiteral("destroy %1 \"%2\" in versioned object base").arg(kindName(kind), name), comment, QString(), QString(),
           SandboxStore::typeObjectKey(kind, name));
}

QList<SandboxEvent> SandboxHistory::eventsOf(const QString &vobTag, const QString &object)
{
    QList<SandboxEvent> events = m_store.events(vobTag, object);
    if (!isObjectKey(object) || object == SandboxStore::vobObjectKey)
        return events;
    const QString made = QStringLiteral("mk") + object.mid(1).section(QLatin1Char(':'), 0, 0);
    for (qsizetype i = events.size() - 1; i > 0; --i) {
        if (events.at(i).operation == made)
            return events.mid(i);
    }
    return events;
}

std::optional<SandboxEvent> SandboxHistory::versionEvent(const QString &vobTag, const QString &path, const QString &version,
                                                         const QString &view)
{
    const QList<SandboxEvent> events = m_store.events(vobTag, path);
    for (auto event = events.crbegin(); event != events.crend(); ++event) {
        if (event->version == version && !isMinor(event->operation) && (view.isEmpty() || event->view == view))
            return *event;
    }
    return std::nullopt;
}
