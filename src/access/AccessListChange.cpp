#include "access/AccessListChange.h"

namespace {

// Entries of `from` that `minus` does not account for, occurrence by occurrence.
QStringList remainder(const QStringList &from, QStringList minus)
{
    QStringList rest;
    for (const QString &entry : from) {
        const qsizetype at = minus.indexOf(entry);
        if (at >= 0)
            minus.removeAt(at);
        else
            rest << entry;
    }
    return rest;
}

bool containsIgnoringCase(const QStringList &list, const QString &entry)
{
    return list.contains(entry, Qt::CaseInsensitive);
}

} // namespace

AccessListChange AccessListChange::between(const QStringList &before, const QStringList &after)
{
    return {remainder(after, before), remainder(before, after)};
}

QStringList AccessListChange::appliedTo(const QStringList &stored) const
{
    QStringList result = stored;
    for (const QString &entry : m_removed) {
        const qsizetype at = result.indexOf(entry);
        if (at >= 0)
            result.removeAt(at);
    }
    for (const QString &entry : m_added) {
        if (!containsIgnoringCase(result, entry))
            result << entry;
    }
    return result;
}

bool AccessListChange::isShownBy(const QStringList &stored) const
{
    for (const QString &entry : m_added) {
        if (!containsIgnoringCase(stored, entry))
            return false;
    }
    for (const QString &entry : m_removed) {
        if (stored.contains(entry) && !m_added.contains(entry))
            return false;
    }
    return true;
}
