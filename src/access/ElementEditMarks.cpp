#include "access/ElementEditMarks.h"

#include "access/AccessAttributeFormat.h"
#include "access/ElementEditLock.h"
#include "util/ZanError.h"

#include <QHash>

// Each round marks every version that shows no mark, then reads them all back: a version
// showing this editor's value is taken, a stale mark is cleared for the next round, and one
// still unmarked is tried again while rounds make progress. A round that makes none is
// tried once more one version at a time: a cleartool that stops at the first pathname it
// cannot mark leaves every later one of the batch unmarked, and those must not go unmarked.
ElementEditMarks::Taken ElementEditMarks::take(const QStringList &versions)
{
    if (!marksPossible())
        return takenWithoutMarks(versions);
    const AttributeInfo mark{ElementEditLock::typeName, ElementEditLock::freshValue()};
    Taken taken;
    QStringList pending = versions;
    QHash<QString, QList<AttributeInfo>> lastRead;
    bool oneByOne = false;
    for (int round = 0; round < takeRounds && !pending.isEmpty();) {
        attach(mark, pending, oneByOne);
        const qsizetype before = pending.size();
        const bool clearedStale = sortRound(mark, pending, taken, lastRead);
        if (pending.size() < before || clearedStale) {
            ++round;
            continue;
        }
        if (oneByOne || pending.size() == 1)
            break;
        oneByOne = true; // a stalled round does not count: the next one is its retry
    }
    // What takes no mark (a locked element, a trigger refusing the mark) is changed without
    // one, and fails, if it does, with the change's own error.
    for (const QString &version : pending) {
        taken.versions << version;
        taken.attributes << lastRead.value(version);
        m_unmarked.insert(version);
    }
    return taken;
}

bool ElementEditMarks::marksPossible()
{
    if (m_typeKnown)
        return m_marksPossible;
    try {
        ElementEditLock::ensureType(m_clearCase, m_vobTag);
        m_marksPossible = true;
    } catch (const ZanError &) {
        // The type of the mark cannot be made here (a trigger refuses it to this user):
        // every target is changed without a mark and fails, if it does, with its own error.
        m_marksPossible = false;
    }
    m_typeKnown = true;
    return m_marksPossible;
}

void ElementEditMarks::attach(const AttributeInfo &mark, const QStringList &versions, bool oneByOne)
{
    if (!oneByOne) {
        m_clearCase.attachWhereAbsent(m_vobTag, mark, versions);
        return;
    }
    for (const QString &version : versions)
        m_clearCase.attachWhereAbsent(m_vobTag, mark, {version});
}

// Reads the pending versions back: those marked by this editor join the taken ones, those
// held by another editor or unreadable the busy ones; the rest stay pending, and stale marks
// among them are cleared. True when a stale mark was cleared.
bool ElementEditMarks::sortRound(const AttributeInfo &mark, QStringList &pending, Taken &taken,
                                 QHash<QString, QList<AttributeInfo>> &lastRead)
{
    const QList<std::optional<QList<AttributeInfo>>> read = readBack(pending);
    QStringList again;
    QList<AttributeRemoval> stale;
    for (qsizetype i = 0; i < pending.size(); ++i) {
        if (!read[i]) {
            taken.busy << pending[i]; // unreadable: the caller edits it alone and learns why
            continue;
        }
        const QString held = AccessAttributeFormat::valueOf(*read[i], mark.typeName);
        if (held == mark.value) {
            m_unmarked.remove(pending[i]);
            taken.versions << pending[i];
            taken.attributes << *read[i];
        } else if (held.isEmpty() || ElementEditLock::isStale(held)) {
            again << pending[i];
            lastRead.insert(pending[i], *read[i]);
            if (!held.isEmpty())
                stale << AttributeRemoval{pending[i], {mark.typeName}};
        } else {
            taken.busy << pending[i];
        }
    }
    pending = again;
    if (stale.isEmpty())
        return false;
    try {
        m_clearCase.removeAttributes(stale);
    } catch (const ZanError &) {
        // taken over meanwhile, or not removable: the next round reads it again
    }
    return true;
}

ElementEditMarks::Taken ElementEditMarks::takenWithoutMarks(const QStringList &versions)
{
    Taken taken;
    const QList<std::optional<QList<AttributeInfo>>> read = readBack(versions);
    for (qsizetype i = 0; i < versions.size(); ++i) {
        if (!read[i]) {
            taken.busy << versions[i];
            continue;
        }
        taken.versions << versions[i];
        taken.attributes << *read[i];
        m_unmarked.insert(versions[i]);
    }
    return taken;
}

// One read for all; when that fails, one per version, so that marks taken on the readable
// ones are known and never left behind.
QList<std::optional<QList<AttributeInfo>>> ElementEditMarks::readBack(const QStringList &versions)
{
    QList<std::optional<QList<AttributeInfo>>> read;
    try {
        for (const QList<AttributeInfo> &attributes : m_clearCase.attributesOfVersions(versions))
            read << attributes;
        return read;
    } catch (const ZanError &) {
        read.clear();
    }
    for (const QString &version : versions) {
        try {
            read << m_clearCase.attributes(version);
        } catch (const ZanError &) {
            read << std::nullopt;
        }
    }
    return read;
}

void ElementEditMarks::release(const QStringList &versions)
{
    if (versions.isEmpty())
        return;
    QList<AttributeRemoval> removals;
    for (const QString &version : versions) {
        if (!m_unmarked.contains(version))
            removals << AttributeRemoval{version, {ElementEditLock::typeName}};
    }
    if (removals.isEmpty())
        return;
    try {
        m_clearCase.removeAttributes(removals);
        return;
    } catch (const ZanError &) {
        // cleartool may have stopped at the failed one: the others one by one
    }
    for (const AttributeRemoval &removal : removals) {
        const QString &version = removal.versionPath;
        try {
            m_clearCase.removeAttribute(version, ElementEditLock::typeName, QString());
        } catch (const ZanError &) {
            // left behind: stale once this process ends, or after ElementEditLock::staleAfterMs
        }
    }
}
