#include "clearcase/cleartool/CleartoolHistory.h"

#include "clearcase/cleartool/CleartoolQuoting.h"
#include "util/ZanError.h"

#include <QHash>

#include <algorithm>

namespace {

const QChar fieldEnd(0x1f);
const QChar recordEnd(0x1e);
enum Field { Date, User, Host, Operation, Event, Name, Comment, FieldCount };

// The type kinds as event texts name them.
const QHash<QString, QString> &kindsByName()
{
    static const QHash<QString, QString> kinds{
        {QStringLiteral("attribute type"), QStringLiteral("attype")}, {QStringLiteral("trigger type"), QStringLiteral("trtype")},
        {QStringLiteral("label type"), QStringLiteral("lbtype")},     {QStringLiteral("branch type"), QStringLiteral("brtype")},
        {QStringLiteral("element type"), QStringLiteral("eltype")},   {QStringLiteral("hyperlink type"), QStringLiteral("hltype")}};
    return kinds;
}

HistoryEvent::Kind kindOf(const QString &operation)
{
    if (operation == QLatin1String("mkattr"))
        return HistoryEvent::AttributeAttached;
    if (operation == QLatin1String("rmattr"))
        return HistoryEvent::AttributeRemoved;
    if (operation == QLatin1String("rmtype"))
        return HistoryEvent::TypeRemoved;
    if (operation.startsWith(QLatin1String("mk")) && operation.endsWith(QLatin1String("type")))
        return HistoryEvent::TypeCreated;
    return HistoryEvent::Other;
}

QString firstQuoted(const QString &text)
{
    return text.section(QLatin1Char('"'), 1, 1);
}

// "make attribute "ACL" on version" names ACL; "create trigger type" the object, whose name
// may be written as its selector (trtype:T@\vob); "destroy trigger type "T" in versioned
// object base" names kind and type.
QString subjectOf(HistoryEvent::Kind kind, const QStringList &fields)
{
    switch (kind) {
    case HistoryEvent::AttributeAttached:
    case HistoryEvent::AttributeRemoved:
        return firstQuoted(fields[Event]);
    case HistoryEvent::TypeCreated: {
        const QString typeKind = fields[Operation].mid(2);
        QString name = fields[Name];
        if (name.startsWith(typeKind + QLatin1Char(':')))
            name = name.mid(typeKind.size() + 1);
        return typeKind + QLatin1Char(':') + name.section(QLatin1Char('@'), 0, 0);
    }
    case HistoryEvent::TypeRemoved: {
        const QString event = fields[Event];
        for (auto known = kindsByName().cbegin(); known != kindsByName().cend(); ++known) {
            if (event.contains(QLatin1Char(' ') + known.key() + QStringLiteral(" \"")))
                return known.value() + QLatin1Char(':') + firstQuoted(event);
        }
        return QString();
    }
    case HistoryEvent::Other:
        break;
    }
    return QString();
}

[[noreturn]] void unreadable(const QString &record)
{
    throw ZanError(ZanError::ClearCaseFailure, QStringLiteral("cleartool"),
                   QStringLiteral("cleartool lshistory printed an event that cannot be read: \"%1\"").arg(record.left(200)));
}

} // namespace

namespace CleartoolHistory {

QStringList arguments(const QString &object, SiteStyle::Kind style)
{
    return {QStringLiteral("lshistory"), QStringLiteral("-minor"), QStringLiteral("-fmt"),
            CleartoolQuoting::quote(QStringLiteral("%Nd\\037%u\\037%h\\037%o\\037%e\\037%n\\037%Nc\\036"), style),
            CleartoolQuoting::quote(object, style)};
}

QList<HistoryEvent> parse(const QString &output)
{
    QList<HistoryEvent> events;
    QStringList records = output.split(recordEnd);
    if (!records.last().trimmed().isEmpty())
        unreadable(records.last());
    records.removeLast();
    for (const QString &record : records) {
        QStringList fields = record.split(fieldEnd);
        if (fields.size() != FieldCount)
            unreadable(record);
        fields[Date] = fields[Date].trimmed(); // a line break between records
        HistoryEvent event;
        event.time = QDateTime::fromString(fields[Date], QStringLiteral("yyyyMMdd.hhmmss"));
        if (!event.time.isValid())
            unreadable(record);
        event.user = fields[User];
        event.host = fields[Host];
        event.kind = kindOf(fields[Operation]);
        event.subject = subjectOf(event.kind, fields);
        event.description = fields[Event];
        event.comment = fields[Comment];
        events << event;
    }
    std::reverse(events.begin(), events.end()); // lshistory lists the newest first
    return events;
}

} // namespace CleartoolHistory
