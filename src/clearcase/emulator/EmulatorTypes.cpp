#include "clearcase/emulator/EmulatorTypes.h"

#include "clearcase/sandbox/SandboxCommands.h"
#include "clearcase/sandbox/SandboxHistory.h"
#include "clearcase/sandbox/SandboxStore.h"

#include <QFileInfo>
#include <QHash>

QString EmulatorTypes::kindName(const QString &kind)
{
    return SandboxHistory::kindName(kind);
}

QStringList EmulatorTypes::predefined(const QString &kind)
{
    static const QHash<QString, QStringList> types = {
        {QStringLiteral("lbtype"), {QStringLiteral("BACKSTOP"), QStringLiteral("CHECKEDOUT"), QStringLiteral("LATEST")}},
        {QStringLiteral("brtype"), {QStringLiteral("main")}},
        {QStringLiteral("eltype"), {QStringLiteral("directory"), QStringLiteral("file"), QStringLiteral("text_file")}}};
    return types.value(kind);
}

void EmulatorTypes::notFound(const QString &kind, const QString &name)
{
    const QString text = kindName(kind);
    SandboxCommands::fail(QStringLiteral("%1 not found: \"%2\".").arg(text.left(1).toUpper() + text.mid(1), name));
}

QStringList EmulatorTypes::names(const QString &vobTag, const QString &kind)
{
    if (kindName(kind).isEmpty())
        SandboxCommands::fail(QStringLiteral("Unknown object kind: \"%1\".").arg(kind));
    QStringList result = predefined(kind);
    if (kind == QLatin1String("attype")) {
        for (const SandboxAttributeType &type : m_store.attributeTypes(vobTag))
            result << type.name;
    } else if (kind == QLatin1String("trtype")) {
        for (const SandboxTriggerType &type : m_store.triggerTypes(vobTag))
            result << type.name;
    } else {
        for (const SandboxType &type : m_store.types(vobTag, kind))
            result << type.name;
    }
    return result;
}

bool EmulatorTypes::exists(const QString &vobTag, const QString &kind, const QString &name)
{
    if (predefined(kind).contains(name))
        return true;
    if (kind == QLatin1String("attype"))
        return m_store.hasAttributeType(vobTag, name);
    if (kind == QLatin1String("trtype"))
        return m_store.findTriggerType(vobTag, name).has_value();
    return m_store.findType(vobTag, kind, name).has_value();
}

void EmulatorTypes::require(const QString &vobTag, const QString &kind, const QString &name)
{
    m_store.vob(vobTag);
    if (!exists(vobTag, kind, name))
        notFound(kind, name);
}

QString EmulatorTypes::vobOwner(const QString &vobTag) const
{
    return QFileInfo(m_store.vobFolder(vobTag)).owner();
}

QString EmulatorTypes::creatorOf(const QString &vobTag, const QString &objectKey)
{
    // The latest maker: a type removed and made again belongs to whoever made it again.
    const QList<SandboxEvent> events = m_store.events(vobTag, objectKey);
    for (auto event = events.crbegin(); event != events.crend(); ++event) {
        if (event->object == objectKey && event->operation.startsWith(QLatin1String("mk")))
            return event->user;
    }
    return QString();
}

QString EmulatorTypes::owner(const QString &vobTag, const QString &kind, const QString &name)
{
    QString creator;
    if (kind == QLatin1String("element")) {
        creator = creatorOf(vobTag, name);
    } else if (kind == QLatin1String("trtype")) {
        if (const auto type = m_store.findTriggerType(vobTag, name))
            creator = type->creator;
    } else if (kind == QLatin1String("attype")) {
        creator = creatorOf(vobTag, SandboxStore::typeObjectKey(kind, name));
    } else if (kind != QLatin1String("vob")) {
        if (const auto type = m_store.findType(vobTag, kind, name))
            creator = type->creator;
    }
    return creator.isEmpty() ? vobOwner(vobTag) : creator;
}
