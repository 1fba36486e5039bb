#include "clearcase/emulator/EmulatorFind.h"

#include "clearcase/emulator/EmulatorArguments.h"
#include "clearcase/sandbox/SandboxCommands.h"
#include "clearcase/sandbox/SandboxPathResolver.h"
#include "clearcase/sandbox/SandboxSeed.h"
#include "clearcase/sandbox/SandboxStore.h"
#include "util/ZanError.h"

#include <QHash>
#include <QProcess>

#include <algorithm>

namespace {

bool isUnder(const QString &path, const QString &top)
{
    return top.isEmpty() || path == top || path.startsWith(top + QLatin1Char('/'));
}

// The versions of an element that attributes are on: each type's latest mkattr event's.
QHash<QString, QString> attributeVersions(const QList<SandboxEvent> &events)
{
    QHash<QString, QString> versionOf;
    for (const SandboxEvent &event : events) {
        if (event.operation == QLatin1String("mkattr") && !event.version.isEmpty())
            versionOf.insert(event.description.section(QLatin1Char('"'), 1, 1), event.version);
    }
    return versionOf;
}

} // namespace

EmulatorFind::EmulatorFind(SandboxStore &store, SandboxPathResolver &resolver) : m_store(store), m_resolver(resolver) {}

EmulatorFind::Start EmulatorFind::wholeVob(const QString &vobTag)
{
    const SiteStyle &site = m_resolver.style();
    const QString view = site.viewTagOf(m_resolver.workingDirectory());
    QString name = vobTag;
    if (!view.isEmpty())
        name = site.isUnix() ? site.viewRoot() + QLatin1Char('/') + view + vobTag
                             : SandboxSeed::viewDrive + QStringLiteral(":\\") + view + vobTag;
    return {vobTag, QString(), name, false};
}

QList<EmulatorFind::Start> EmulatorFind::starts(const EmulatorArguments &args)
{
    QList<Start> result;
    if (args.has(QStringLiteral("-avobs")) || args.has(QStringLiteral("-all"))) {
        for (const QString &vobTag : m_resolver.vobTagsInScope(args.has(QStringLiteral("-avobs"))))
            result << wholeVob(vobTag);
        return result;
    }
    if (args.operands().isEmpty())
        SandboxCommands::fail(QStringLiteral("A pathname, -all or -avobs must be given."));
    for (const QString &operand : args.operands()) {
        const SandboxPathResolver::Element element = m_resolver.resolve(operand);
        result << Start{element.vobTag, element.path, operand, args.has(QStringLiteral("-directory"))};
    }
    return result;
}

QString EmulatorFind::nameOf(const Start &start, const QString &path) const
{
    if (path == start.path)
        return start.name;
    const QChar separator = m_resolver.style().isUnix() ? QLatin1Char('/') : QLatin1Char('\\');
    QString rest = start.path.isEmpty() ? path : path.mid(start.path.size() + 1);
    rest.replace(QLatin1Char('/'), separator);
    return start.name.endsWith(separator) ? start.name + rest : start.name + separator + rest;
}

FindQuery::Attributes EmulatorFind::printedAttributes(const QString &vobTag, const QList<AttributeInfo> &attributes)
{
    QHash<QString, int> valueTypes;
    for (const SandboxAttributeType &type : m_store.attributeTypes(vobTag))
        valueTypes.insert(type.name, type.valueType);
    FindQuery::Attributes printed;
    for (const AttributeInfo &attribute : attributes)
        printed.insert(attribute.typeName, valueTypes.value(attribute.typeName, 8) == 8
                                               ? QLatin1Char('"') + attribute.value + QLatin1Char('"')
                                               : attribute.value);
    return printed;
}

QList<EmulatorFind::Hit> EmulatorFind::hits(const Start &start, const std::optional<FindQuery> &elementQuery,
                                            const std::optional<FindQuery> &versionQuery, bool extend)
{
    QStringList paths;
    for (const QString &path : m_store.elements(start.vobTag)) {
        if (start.onlyItself ? path == start.path : isUnder(path, start.path))
            paths << path;
    }
    const QList<QList<AttributeInfo>> attributes = m_store.attributesOf(start.vobTag, paths);
    QHash<QString, QList<SandboxEvent>> eventsOf;
    if (versionQuery) {
        for (const SandboxEvent &event : m_store.events(start.vobTag))
            eventsOf[event.object] << event;
    }
    QList<Hit> result;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const FindQuery::Attributes printed = printedAttributes(start.vobTag, attributes.at(i));
        if (elementQuery && !elementQuery->matches(printed))
            continue;
        const QString name = nameOf(start, paths.at(i));
        // The VOB root's extended names go through its "." (proj\.@@).
        const QString beforeExtension = paths.at(i).isEmpty() ? m_resolver.rootBeforeVersion(name) : name;
        if (!versionQuery) {
            result << Hit{name, extend ? beforeExtension + QStringLiteral("@@") : name};
            continue;
        }
        const QHash<QString, QString> versionOf = attributeVersions(eventsOf.value(paths.at(i)));
        QStringList versions;
        for (int number = 0; number <= m_store.latestVersion(start.vobTag, paths.at(i)); ++number)
            versions << QStringLiteral("/main/%1").arg(number);
        for (const QString &version : versionOf) {
            if (!versions.contains(version))
                versions << version;
        }
        for (const QString &version : versions) {
            FindQuery::Attributes onVersion;
            for (auto attribute = printed.cbegin(); attribute != printed.cend(); ++attribute) {
                if (versionOf.value(attribute.key(), QStringLiteral("/main/0")) == version)
                    onVersion.insert(attribute.key(), attribute.value());
            }
            if (versionQuery->matches(onVersion))
                result << Hit{name, extend ? beforeExtension + QStringLiteral("@@") + m_resolver.printed(version) : name};
        }
    }
    return result;
}

QString EmulatorFind::exec(const QString &command, const Hit &hit)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("CLEARCASE_PN"), hit.name);
    environment.insert(QStringLiteral("CLEARCASE_XPN"), hit.extended);
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
#ifdef Q_OS_WIN
    process.start(QStringLiteral("cmd.exe"), {QStringLiteral("/c"), command});
#else
    process.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), command});
#endif
    if (!process.waitForFinished(-1))
        SandboxCommands::fail(QStringLiteral("Unable to run \"%1\": %2").arg(command, process.errorString()));
    return QString::fromLocal8Bit(process.readAll());
}

QString EmulatorFind::find(const QStringList &words)
{
    const EmulatorArguments args(QStringLiteral("find"), words);
    std::optional<FindQuery> elementQuery;
    std::optional<FindQuery> versionQuery;
    if (args.has(QStringLiteral("-element")))
        elementQuery.emplace(args.value(QStringLiteral("-element")));
    if (args.has(QStringLiteral("-version")))
        versionQuery.emplace(args.value(QStringLiteral("-version")));
    if (!args.has(QStringLiteral("-print")) && !args.has(QStringLiteral("-exec")))
        SandboxCommands::fail(QStringLiteral("An action must be given: -print or -exec."));
    QList<Hit> found;
    m_store.readTransaction([&] {
        for (const Start &start : starts(args))
            found << hits(start, elementQuery, versionQuery, !args.has(QStringLiteral("-nxname")));
    });
    QString out;
    for (const Hit &hit : found)
        out += args.has(QStringLiteral("-exec")) ? exec(args.value(QStringLiteral("-exec")), hit) : hit.extended + QLatin1Char('\n');
    return out;
}
