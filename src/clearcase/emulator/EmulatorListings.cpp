#include "clearcase/emulator/EmulatorListings.h"

#include "clearcase/emulator/EmulatorArguments.h"
#include "clearcase/emulator/EmulatorFormat.h"
#include "clearcase/emulator/EmulatorTypes.h"
#include "clearcase/emulator/VobSelector.h"
#include "clearcase/sandbox/SandboxCommands.h"
#include "clearcase/sandbox/SandboxHistory.h"
#include "clearcase/sandbox/SandboxPathResolver.h"
#include "clearcase/sandbox/SandboxStore.h"
#include "util/ZanError.h"

#include <QFileInfo>
#include <QHash>
#include <QLocale>

#include <algorithm>

namespace {

bool isObjectKey(const QString &object)
{
    return object.startsWith(QLatin1Char('/'));
}

QString parentOf(const QString &path)
{
    return path.section(QLatin1Char('/'), 0, -2);
}

QString withoutVersion(const QString &pname)
{
    const int marker = pname.indexOf(QLatin1String("@@"));
    return marker >= 0 ? pname.left(marker) : pname;
}

// -since: 08-Dec-26, 08-Dec-2026, 08-Dec-26.10:30:00, 2026-12-08[T10:30:00], today, yesterday.
QDateTime sinceDate(const QString &text)
{
    const QDate today = QDate::currentDate();
    if (text == QLatin1String("today"))
        return QDateTime(today, QTime(0, 0));
    if (text == QLatin1String("yesterday"))
        return QDateTime(today.addDays(-1), QTime(0, 0));
    for (const QString &format : {QStringLiteral("dd-MMM-yy.hh:mm:ss"), QStringLiteral("dd-MMM-yy"), QStringLiteral("dd-MMM-yyyy"),
                                  QStringLiteral("yyyy-MM-ddThh:mm:ss"), QStringLiteral("yyyy-MM-dd")}) {
        QDateTime when = QLocale::c().toDateTime(text, format);
        if (when.isValid()) {
            if (format.contains(QLatin1String("yy")) && !format.contains(QLatin1String("yyyy")) && when.date().year() < 2000)
                when = when.addYears(100);
            return when;
        }
    }
    SandboxCommands::fail(QStringLiteral("Invalid date/time: \"%1\".").arg(text));
}

QString listedDate(const QDateTime &when)
{
    return QLocale::c().toString(when, QStringLiteral("dd-MMM.hh:mm"));
}

// A lock made before events were kept is named from its key.
QString lockedObjectName(const QString &vobTag, const QString &key)
{
    if (key == SandboxStore::vobObjectKey)
        return QStringLiteral("versioned object base \"%1\"").arg(vobTag);
    if (isObjectKey(key))
        return QStringLiteral("%1 \"%2\"").arg(EmulatorTypes::kindName(key.mid(1).section(QLatin1Char(':'), 0, 0)),
                                              key.section(QLatin1Char(':'), 1));
    return QStringLiteral("element \"%1\"").arg(key);
}

} // namespace

EmulatorListings::EmulatorListings(SandboxStore &store, SandboxPathResolver &resolver, QString user)
    : m_store(store), m_resolver(resolver), m_user(std::move(user))
{
}

EmulatorListings::Scope EmulatorListings::wholeVob(const QString &vobTag)
{
    const SiteStyle &site = m_resolver.style();
    const QString currentView = site.viewTagOf(m_resolver.workingDirectory());
    return {vobTag, [](const SandboxEvent &) { return true; }, [vobTag, site, currentView](const SandboxEvent &event) {
                if (event.object == SandboxStore::vobObjectKey)
                    return vobTag;
                if (isObjectKey(event.object))
                    return event.object.section(QLatin1Char(':'), 1);
                const QString view = event.view.isEmpty() ? currentView : event.view;
                QString path = vobTag + QLatin1Char('/') + event.object;
                if (!site.isUnix())
                    path.replace(QLatin1Char('/'), QLatin1Char('\\'));
                if (view.isEmpty())
                    return path;
                return site.isUnix() ? site.viewRoot() + QLatin1Char('/') + view + path : QStringLiteral("m:\\") + view + path;
            }};
}

// contentsOfDirectories: a directory lists the elements in it (and itself when withDirectory).
QList<EmulatorListings::Scope> EmulatorListings::scopes(const EmulatorArguments &args, bool contentsOfDirectories, bool withDirectory)
{
    QList<Scope> result;
    if (args.has(QStringLiteral("-avobs")) || args.has(QStringLiteral("-all"))) {
        for (const QString &vobTag : m_resolver.vobTagsInScope(args.has(QStringLiteral("-avobs"))))
            result << wholeVob(vobTag);
        return result;
    }
    const QStringList operands = args.operands().isEmpty() ? QStringList{QStringLiteral(".")} : args.operands();
    const bool recurse = args.has(QStringLiteral("-recurse"));
    const QChar separator = m_resolver.style().separator();
    for (const QString &operand : operands) {
        if (!EmulatorTypes::kindName(operand.section(QLatin1Char(':'), 0, 0)).isEmpty() || VobSelector::isVobSelector(operand)) {
            result << objectScope(operand);
            continue;
        }
        const SandboxPathResolver::Element element = m_resolver.resolve(operand);
        const QString path = element.path;
        if (element.extended && element.selector.count(QLatin1Char('/')) > 1) {
            const QString version = element.selector;
            result << Scope{element.vobTag,
                            [path, version](const SandboxEvent &event) { return event.object == path && event.version == version; },
                            [name = withoutVersion(operand)](const SandboxEvent &) { return name; }};
            continue;
        }
        const bool directory = QFileInfo(m_store.vobFolder(element.vobTag) + QLatin1Char('/') + path).isDir();
        const QString prefix = operand == QLatin1String(".") ? QString() : operand + separator;
        if (!directory || !(contentsOfDirectories || recurse)) {
            result << Scope{element.vobTag, [path](const SandboxEvent &event) { return event.object == path; },
                            [name = withoutVersion(operand)](const SandboxEvent &) { return name; }};
            continue;
        }
        const auto inside = [path, recurse](const QString &object) {
            if (isObjectKey(object) || object == path)
                return false;
            return recurse ? path.isEmpty() || object.startsWith(path + QLatin1Char('/')) : parentOf(object) == path;
        };
        result << Scope{element.vobTag,
                        [path, inside, withDirectory](const SandboxEvent &event) {
                            return (withDirectory && event.object == path) || inside(event.object);
                        },
                        [path, operand, prefix, separator](const SandboxEvent &event) {
                            if (event.object == path)
                                return operand;
                            QString rest = path.isEmpty() ? event.object : event.object.mid(path.size() + 1);
                            return prefix + rest.replace(QLatin1Char('/'), separator);
                        }};
    }
    return result;
}

EmulatorListings::Scope EmulatorListings::objectScope(const QString &selector)
{
    if (VobSelector::isVobSelector(selector)) {
        const QString vobTag = VobSelector::tagOf(selector.mid(4), m_store, m_resolver);
        return {vobTag, [](const SandboxEvent &event) { return event.object == SandboxStore::vobObjectKey; },
                [vobTag](const SandboxEvent &) { return vobTag; }};
    }
    const QString kind = selector.section(QLatin1Char(':'), 0, 0);
    const QString named = selector.mid(kind.size() + 1);
    const int at = named.lastIndexOf(QLatin1Char('@'));
    if (at <= 0)
        SandboxCommands::fail(QStringLiteral("Unable to determine VOB for pathname \"%1\".").arg(selector));
    const QString name = named.left(at);
    const QString vobTag = m_store.vob(named.mid(at + 1)).tag;
    EmulatorTypes(m_store).require(vobTag, kind, name);
    const QString key = SandboxStore::typeObjectKey(kind, name);
    const QList<SandboxEvent> own = SandboxHistory(m_store, QString(), QString()).eventsOf(vobTag, key);
    const qint64 since = own.isEmpty() ? 0 : own.first().id;
    return {vobTag, [key, since](const SandboxEvent &event) { return event.object == key && event.id >= since; },
            [name](const SandboxEvent &) { return name; }};
}

QList<EmulatorListings::Entry> EmulatorListings::entries(const QList<Scope> &scopes)
{
    QList<Entry> result;
    for (const Scope &scope : scopes) {
        for (const SandboxEvent &event : m_store.events(scope.vobTag)) {
            if (scope.covers(event))
                result << Entry{scope.vobTag, event, scope.name(event)};
        }
    }
    return result;
}

// A checkout event lists while its checkout lasts.
bool EmulatorListings::isCheckedOut(const QString &vobTag, const SandboxEvent &event)
{
    return m_store.isCheckedOut(vobTag, event.object, event.view, event.user);
}

QString EmulatorListings::versionName(const Entry &entry)
{
    if (isObjectKey(entry.event.object))
        return entry.name;
    if (!entry.event.version.isEmpty())
        return entry.name + QStringLiteral("@@") + m_resolver.printed(entry.event.version);
    return entry.event.operation == QLatin1String("mkelem") ? entry.name + QStringLiteral("@@") : entry.name;
}

QString EmulatorListings::line(const Entry &entry, const QString &fromVersion)
{
    const SandboxEvent &event = entry.event;
    QString text = event.description;
    if (event.operation != QLatin1String("lock") && event.operation != QLatin1String("unlock"))
        text += QStringLiteral(" \"%1\"").arg(event.operation == QLatin1String("checkout") ? entry.name : versionName(entry));
    if (!fromVersion.isEmpty())
        text += QStringLiteral(" from %1 (%2)").arg(m_resolver.printed(fromVersion), event.detail);
    QString out = listedDate(event.time) + QStringLiteral("   ") + event.user.leftJustified(10) + QLatin1Char(' ') + text + QLatin1Char('\n');
    if (!event.comment.isEmpty())
        out += QStringLiteral("  \"%1\"\n").arg(event.comment);
    return out;
}

QString EmulatorListings::formatted(const QString &format, const Entry &entry)
{
    const SandboxEvent &event = entry.event;
    return EmulatorFormat::expand(format, [&](QChar conversion, const QString &modifiers, const QString &argument) {
        switch (conversion.unicode()) {
        case 'n':
            if (modifiers == QLatin1String("E"))
                return entry.name;
            if (modifiers == QLatin1String("V"))
                return m_resolver.printed(event.version);
            return versionName(entry);
        case 'e':
            return event.description;
        case 'o':
            return event.operation;
        case 'u':
            return event.user;
        case 'd':
            if (modifiers.contains(QLatin1Char('N')))
                return event.time.toString(QStringLiteral("yyyyMMdd.hhmmss"));
            return QLocale::c().toString(event.time, modifiers.contains(QLatin1Char('S')) ? QStringLiteral("dd-MMM-yy")
                                                                                      : QStringLiteral("dd-MMM-yy.hh:mm:ss"));
        case 'c':
            return event.comment.isEmpty() || modifiers.contains(QLatin1Char('N')) ? event.comment : event.comment + QLatin1Char('\n');
        case 'h':
            return event.host;
        case 'a':
            return attributeField(event, modifiers, argument);
        case 'm':
            return event.version.isEmpty() ? QString() : QStringLiteral("version");
        case 'f':
            // %Rf: the checkout's reserved state; %Tf: its view.
            return modifiers == QLatin1String("R") ? event.detail : modifiers == QLatin1String("T") ? event.view : QString();
        default:
            return QString();
        }
    });
}

// An attribute event's attribute as the event set it: (ACL="bob,ALL"), %SNa the value alone.
QString EmulatorListings::attributeField(const SandboxEvent &event, const QString &modifiers, const QString &only) const
{
    if (event.operation != QLatin1String("mkattr"))
        return QString();
    const QString typeName = event.description.section(QLatin1Char('"'), 1, 1);
    if (!only.isEmpty() && only != typeName)
        return QString();
    return EmulatorFormat::attributes({{typeName, event.detail}}, modifiers);
}

QString EmulatorListings::lscheckout(const QStringList &words)
{
    const EmulatorArguments args(QStringLiteral("lscheckout"), words);
    const QString view = m_resolver.style().viewTagOf(m_resolver.workingDirectory());
    const QString user = args.has(QStringLiteral("-me")) ? m_user : args.value(QStringLiteral("-user"));
    // The latest checkout event of each element, view and user that is still checked out.
    QList<Entry> checkouts;
    QHash<QString, qsizetype> placeOf;
    for (const Entry &entry : entries(scopes(args, !args.has(QStringLiteral("-directory")), false))) {
        const SandboxEvent &event = entry.event;
        if (event.operation != QLatin1String("checkout") || !isCheckedOut(entry.vobTag, event)
            || (args.has(QStringLiteral("-cview")) && event.view.compare(view, Qt::CaseInsensitive) != 0)
            || (!user.isEmpty() && event.user.compare(user, Qt::CaseInsensitive) != 0))
            continue;
        const QString key = entry.vobTag + QLatin1Char('\n') + event.object + QLatin1Char('\n') + event.view + QLatin1Char('\n') + event.user;
        if (placeOf.contains(key)) {
            checkouts[placeOf.value(key)] = entry;
            continue;
        }
        placeOf.insert(key, checkouts.size());
        checkouts << entry;
    }
    QString out;
    for (const Entry &entry : checkouts) {
        if (args.has(QStringLiteral("-fmt")))
            out += formatted(args.value(QStringLiteral("-fmt")), entry);
        else if (args.has(QStringLiteral("-short")))
            out += entry.name + QLatin1Char('\n');
        else
            out += line(entry, QStringLiteral("/main/%1").arg(m_store.latestVersion(entry.vobTag, entry.event.object)));
    }
    return out;
}

QString EmulatorListings::lshistory(const QStringList &words)
{
    const EmulatorArguments args(QStringLiteral("lshistory"), words);
    const QDateTime since = args.has(QStringLiteral("-since")) ? sinceDate(args.value(QStringLiteral("-since"))) : QDateTime();
    const QString user = args.has(QStringLiteral("-me")) ? m_user : args.value(QStringLiteral("-user"));
    QList<Entry> listed;
    for (const Entry &entry : entries(scopes(args, args.operands().isEmpty(), true))) {
        const SandboxEvent &event = entry.event;
        if ((SandboxHistory::isMinor(event.operation) && !args.has(QStringLiteral("-minor"))) || (since.isValid() && event.time < since)
            || (!user.isEmpty() && event.user.compare(user, Qt::CaseInsensitive) != 0)
            || (event.operation == QLatin1String("checkout") && !isCheckedOut(entry.vobTag, event)))
            continue;
        listed << entry;
    }
    std::stable_sort(listed.begin(), listed.end(), [](const Entry &a, const Entry &b) { return a.event.id > b.event.id; });
    QString out;
    for (const Entry &entry : listed) {
        if (args.has(QStringLiteral("-fmt")))
            out += formatted(args.value(QStringLiteral("-fmt")), entry);
        else if (args.has(QStringLiteral("-short")))
            out += versionName(entry) + QLatin1Char('\n');
        else
            out += line(entry, entry.event.operation == QLatin1String("checkout")
                                   ? QStringLiteral("/main/%1").arg(m_store.latestVersion(entry.vobTag, entry.event.object))
                                   : QString());
    }
    return out;
}

QString EmulatorListings::lslock(const QStringList &words)
{
    const EmulatorArguments args(QStringLiteral("lslock"), words);
    QStringList vobTags;
    if (args.has(QStringLiteral("-avobs"))) {
        for (const SandboxVob &vob : m_store.vobs())
            vobTags << vob.tag;
    } else {
        try {
            vobTags << m_resolver.resolve(QStringLiteral(".")).vobTag;
        } catch (const ZanError &) {
            SandboxCommands::fail(QStringLiteral("Unable to determine VOB for pathname \".\"."));
        }
    }
    QString out;
    for (const QString &vobTag : vobTags) {
        const QHash<QString, SandboxLock> locks = m_store.locks(vobTag);
        QStringList keys = locks.keys();
        keys.sort();
        for (const QString &key : keys) {
            const SandboxLock &lock = locks.value(key);
            if (lock.obsolete && !args.has(QStringLiteral("-obsolete")))
                continue;
            SandboxEvent event;
            for (const SandboxEvent &made : m_store.events(vobTag, key)) {
                if (made.operation == QLatin1String("lock"))
                    event = made;
            }
            const QString named = event.detail.isEmpty() ? lockedObjectName(vobTag, key) : event.detail;
            // The users a lock excepts head its comment.
            if (!lock.exceptedUsers.isEmpty())
                event.comment = QStringLiteral("Locked except for users: %1").arg(lock.exceptedUsers.join(QLatin1Char(' ')))
                                + (event.comment.isEmpty() ? QString() : QLatin1Char('\n') + event.comment);
            if (args.has(QStringLiteral("-short"))) {
                out += named.section(QLatin1Char('"'), 1, -2) + QLatin1Char('\n');
                continue;
            }
            if (args.has(QStringLiteral("-fmt"))) {
                event.description = QStringLiteral("lock ") + named;
                out += formatted(args.value(QStringLiteral("-fmt")), {vobTag, event, named.section(QLatin1Char('"'), 1, -2)});
                continue;
            }
            out += listedDate(event.time) + QStringLiteral("   ") + event.user.leftJustified(10)
                   + QStringLiteral(" lock %1 (%2)\n").arg(named, lock.obsolete ? QStringLiteral("obsolete") : QStringLiteral("locked"));
            if (!event.comment.isEmpty())
                out += QStringLiteral("  \"%1\"\n").arg(event.comment);
        }
    }
    return out;
}
