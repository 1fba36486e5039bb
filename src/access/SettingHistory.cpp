#include "access/SettingHistory.h"

#include "access/AccessAttributeFormat.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace Format = AccessAttributeFormat;

namespace {

const QString triggerTypePrefix = QStringLiteral("trtype:");

bool isAttributeEvent(const HistoryEvent &event)
{
    return event.kind == HistoryEvent::AttributeAttached || event.kind == HistoryEvent::AttributeRemoved;
}

bool isTypeEvent(const HistoryEvent &event)
{
    return event.kind == HistoryEvent::TypeCreated || event.kind == HistoryEvent::TypeRemoved;
}

// One event seen through two objects (the type and its VOB) is listed once.
QString identity(const HistoryEvent &event)
{
    return QStringList{event.time.toString(Qt::ISODate), event.user, QString::number(event.kind), event.subject}.join(QLatin1Char('\n'));
}

} // namespace

QString SettingHistory::actionName(Change::Action action)
{
    switch (action) {
    case Change::Set:
        return QStringLiteral("set");
    case Change::Changed:
        return QStringLiteral("changed");
    case Change::Removed:
        return QStringLiteral("removed");
    case Change::Made:
        return QStringLiteral("made");
    }
    return QString();
}

// "" for an attribute that is no setting (the edit mark, attributes of other tools).
QString SettingHistory::settingOf(const QString &typeName, bool vobRoot)
{
    if (Format::isOperationType(typeName))
        return Format::operationOf(typeName);
    if (typeName == Format::groupsTypeName)
        return QStringLiteral("groups");
    if (vobRoot && typeName == Format::privilegedListTypeName)
        return QStringLiteral("privileged list");
    return QString();
}

SettingHistory::Change SettingHistory::changeOf(const HistoryEvent &event, const QString &setting)
{
    Change change;
    change.time = event.time;
    change.user = event.user;
    change.host = event.host;
    change.setting = setting;
    change.hasValue = event.hasValue;
    change.value = event.value;
    change.comment = event.comment;
    return change;
}

QList<SettingHistory::Change> SettingHistory::of(const ElementLocation &location)
{
    const bool vobRoot = location.isVobRoot();
    QList<Change> changes = attributeChanges(SiteStyle::versionOf(location.element()), vobRoot);
    if (vobRoot)
        changes += triggerTypeChanges(location.vobTag);
    std::stable_sort(changes.begin(), changes.end(), [](const Change &a, const Change &b) { return a.time < b.time; });
    return changes;
}

// A setting attached where it was not is set, attached over itself changed. ClearCase may
// not record the value: the latest attach then takes the value stored now.
QList<SettingHistory::Change> SettingHistory::attributeChanges(const QString &versionPath, bool vobRoot)
{
    QList<Change> changes;
    QHash<QString, qsizetype> latestAttach; // by attribute type, while it is on the version
    for (const HistoryEvent &event : m_clearCase.history(versionPath)) {
        const QString setting = isAttributeEvent(event) ? settingOf(event.subject, vobRoot) : QString();
        if (setting.isEmpty())
            continue;
        Change change = changeOf(event, setting);
        if (Format::isOperationType(event.subject))
            change.operation = setting;
        if (event.kind == HistoryEvent::AttributeRemoved) {
            change.action = Change::Removed;
            change.hasValue = false;
            change.value.clear();
            latestAttach.remove(event.subject);
        } else {
            change.action = latestAttach.contains(event.subject) ? Change::Changed : Change::Set;
            latestAttach.insert(event.subject, changes.size());
        }
        changes << change;
    }
    bool unrecorded = false;
    for (const qsizetype place : latestAttach)
        unrecorded = unrecorded || !changes.at(place).hasValue;
    if (unrecorded) {
        for (const AttributeInfo &attribute : m_clearCase.attributes(versionPath)) {
            const auto place = latestAttach.constFind(attribute.typeName);
            if (place != latestAttach.constEnd() && !changes.at(*place).hasValue) {
                changes[*place].hasValue = true;
                changes[*place].value = attribute.value;
            }
        }
    }
    return changes;
}

// The trigger types' making and removal, from the VOB's record and from each type's own.
QList<SettingHistory::Change> SettingHistory::triggerTypeChanges(const QString &vobTag)
{
    QStringList objects{QStringLiteral("vob:") + vobTag};
    for (const QString &name : m_clearCase.triggerTypeNames(vobTag))
        objects << triggerTypePrefix + name + QLatin1Char('@') + vobTag;
    QList<Change> changes;
    QSet<QString> seen;
    for (const QString &object : objects) {
        for (const HistoryEvent &event : m_clearCase.history(object)) {
            if (!isTypeEvent(event) || !event.subject.startsWith(triggerTypePrefix) || seen.contains(identity(event)))
                continue;
            seen.insert(identity(event));
            Change change = changeOf(event, QStringLiteral("trigger type ") + event.subject.mid(triggerTypePrefix.size()));
            change.action = event.kind == HistoryEvent::TypeCreated ? Change::Made : Change::Removed;
            change.hasValue = false;
            change.value.clear();
            changes << change;
        }
    }
    return changes;
}

QList<SettingHistory::Change> SettingHistory::filtered(const QList<Change> &changes, const QString &operation, const QDateTime &since)
{
    QList<Change> kept;
    for (const Change &change : changes) {
        if ((operation.isEmpty() || change.operation == operation) && (!since.isValid() || change.time >= since))
            kept << change;
    }
    return kept;
}
