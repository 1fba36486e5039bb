#include "access/AccessApplier.h"

#include "access/AccessAttributeFormat.h"
#include "access/AccessEditor.h"
#include "access/AccessPlanner.h"
#include "access/ElementEditLock.h"
#include "access/ElementEditMarks.h"
#include "clearcase/CCase.h"
#include "util/ZanError.h"

#include <QHash>
#include <QSet>
#include <optional>

namespace Format = AccessAttributeFormat;

namespace {

QList<QStringList> chunksOf(const QStringList &items, int size)
{
    QList<QStringList> chunks;
    for (qsizetype i = 0; i < items.size(); i += size)
        chunks << items.mid(i, size);
    return chunks;
}

QStringList versionsOf(const QStringList &elements)
{
    QStringList versions;
    versions.reserve(elements.size());
    for (const QString &element : elements)
        versions << CCase::versionOf(element);
    return versions;
}

AttributeRemoval removalOf(const QString &version, const QList<AttributeInfo> &attributes)
{
    AttributeRemoval removal{version, {}};
    for (const SettingChange &change : AccessPlanner::purgeChanges(attributes))
        removal.typeNames << change.typeName;
    return removal;
}

QHash<QString, QString> elementsByVersion(const QStringList &elements)
{
    QHash<QString, QString> element;
    for (const QString &target : elements)
        element.insert(CCase::versionOf(target), target);
    return element;
}

QStringList notIn(const QStringList &found, const QStringList &paths)
{
    const QSet<QString> foundSet(found.cbegin(), found.cend());
    QStringList absent;
    for (const QString &path : paths) {
        if (!foundSet.contains(path))
            absent << path;
    }
    return absent;
}

} // namespace

// Each target is written holding its edit mark, as one edit of it is: the marks of the
// chunk are taken together, the marked targets written together, and a target another
// editor holds is written alone once that editor is done.
void AccessApplier::writeChunk(ElementEditMarks &marks, const QList<AttributeInfo> &values, const QStringList &elements,
                               Outcome &outcome)
{
    const ElementEditMarks::Taken taken = marks.take(versionsOf(elements));
    const QHash<QString, QString> element = elementsByVersion(elements);
    writeMarked(values, taken.versions, element, outcome);
    marks.release(taken.versions);
    for (const QString &version : taken.busy) {
        try {
            ElementEditLock::run(m_clearCase, m_vobTag, version, [&] { m_clearCase.attachAttributes(m_vobTag, values, {version}, AccessEditor::attributeComment); });
            ++outcome.written;
        } catch (const ZanError &e) {
            outcome.failures << Failure{element.value(version), e.description()};
        }
    }
}

// A batch that fails is retried one target at a time.
void AccessApplier::writeMarked(const QList<AttributeInfo> &values, const QStringList &versions,
                                const QHash<QString, QString> &element, Outcome &outcome)
{
    try {
        m_clearCase.attachAttributes(m_vobTag, values, versions, AccessEditor::attributeComment);
        outcome.written += int(versions.size());
        return;
    } catch (const ZanError &e) {
        if (versions.size() == 1) {
            outcome.failures << Failure{element.value(versions.first()), e.description()};
            return;
        }
    }
    for (const QString &version : versions)
        writeMarked(values, {version}, element, outcome);
}

AccessApplier::Outcome AccessApplier::apply(const ElementLocation &base, const QStringList &operations,
                                            const QStringList &targets, const Observer &observer)
{
    Outcome outcome;
    m_vobTag = base.vobTag;
    ElementEditMarks marks(m_clearCase, base.vobTag);
    std::optional<QList<AttributeInfo>> values;
    QStringList pending;
    const auto writePending = [&] {
        if (pending.isEmpty())
            return;
        if (!values) {
            // The base and the VOB once per apply, when the first target needs them.
            const QList<AttributeInfo> baseAttributes = m_clearCase.attributes(CCase::versionOf(base.path));
            values.emplace();
            for (const QString &operation : operations)
                values->append({Format::typeName(operation), Format::valueOf(baseAttributes, Format::typeName(operation))});
            values->append({Format::groupsTypeName, Format::valueOf(baseAttributes, Format::groupsTypeName)});
            m_clearCase.requireVob(base.vobTag);
        }
        observer.status(QStringLiteral("Applying access control to --> ") + pending.first());
        writeChunk(marks, *values, pending, outcome);
        observer.status(QStringLiteral("Applying to --> ") + pending.last());
        pending.clear();
    };
    for (const QStringList &chunk : chunksOf(targets, m_chunkSize)) {
        observer.betweenChunks();
        QStringList candidates;
        for (const QString &target : chunk)
            (target == base.path ? outcome.skipped : candidates) << target;
        const QStringList existing = m_clearCase.existingVersions(candidates);
        outcome.missing << notIn(existing, candidates);
        for (const QString &target : existing) {
            if (target != base.vobRoot) {
                pending << target;
                continue;
            }
            // The targets before the VOB root are written before the question.
            writePending();
            if (observer.confirmVobRoot(target))
                pending << base.rootElement();
            else
                outcome.skipped << target;
        }
        writePending();
    }
    return outcome;
}

// Purged holding the targets' edit marks, from what each holds once marked, in order: a
// target another editor holds is purged alone, after the ones before it and before the ones
// after it, so that a purge stopped by a failure has purged exactly the targets before it.
// `purgedBefore` names targets a failed batch read as having settings: when the retry finds
// none on one of them, the batch purged it before failing, and it counts as purged.
void AccessApplier::purgeChunk(ElementEditMarks &marks, const QStringList &elements, Outcome *outcome,
                               const QSet<QString> &purgedBefore)
{
    if (elements.isEmpty())
        return;
    const QStringList versions = versionsOf(elements);
    const ElementEditMarks::Taken taken = marks.take(versions);
    qsizetype firstBusy = versions.size();
    for (const QString &version : taken.busy)
        firstBusy = qMin(firstBusy, versions.indexOf(version));
    QStringList marked;
    QList<AttributeRemoval> removals;
    QSet<QString> withSettings;
    QStringList later;
    for (qsizetype i = 0; i < taken.versions.size(); ++i) {
        if (versions.indexOf(taken.versions[i]) > firstBusy) {
            later << taken.versions[i];
            continue;
        }
        marked << taken.versions[i];
        removals << removalOf(taken.versions[i], taken.attributes[i]);
        const QString target = elements[versions.indexOf(taken.versions[i])];
        if (!removals.last().typeNames.isEmpty() || purgedBefore.contains(target))
            withSettings << target;
    }
    marks.release(later);
    try {
        m_clearCase.removeAttributes(removals);
        marks.release(marked);
        if (outcome)
            outcome->written += int(withSettings.size());
    } catch (const ZanError &e) {
        marks.release(marked);
        if (firstBusy == 1 && !outcome)
            throw;
        if (firstBusy == 1) {
            outcome->failures << Failure{elements.first(), e.description()};
        } else {
            // Find the version that fails, each read afresh: the ones before it are purged first.
            for (const QString &target : elements.first(firstBusy))
                purgeChunk(marks, {target}, outcome, withSettings);
        }
    }
    if (firstBusy == elements.size())
        return;
    purgeAlone(elements[firstBusy], outcome);
    purgeChunk(marks, elements.mid(firstBusy + 1), outcome, purgedBefore);
}

// A target another editor holds: purged once that editor is done.
void AccessApplier::purgeAlone(const QString &element, Outcome *outcome)
{
    const QString version = CCase::versionOf(element);
    try {
        bool had = false;
        ElementEditLock::run(m_clearCase, m_vobTag, version, [&] {
            const AttributeRemoval removal = removalOf(version, m_clearCase.attributes(version));
            had = !removal.typeNames.isEmpty();
            if (had)
                m_clearCase.removeAttributes({removal});
        });
        if (outcome && had)
            ++outcome->written;
    } catch (const ZanError &e) {
        if (!outcome)
            throw;
        outcome->failures << Failure{element, e.description()};
    }
}

void AccessApplier::purgeTargets(const ElementLocation &vob, const QStringList &targets, const Observer &observer,
                                 Outcome *outcome)
{
    m_vobTag = vob.vobTag;
    ElementEditMarks marks(m_clearCase, vob.vobTag);
    for (const QStringList &chunk : chunksOf(targets, m_chunkSize)) {
        observer.betweenChunks();
        QStringList elements;
        for (const QString &target : chunk)
            elements << vob.at(target).element();
        if (outcome) {
            const QStringList existing = m_clearCase.existingVersions(elements);
            outcome->missing << notIn(existing, elements);
            elements = existing;
            if (elements.isEmpty())
                continue;
        }
        observer.status(QStringLiteral("Purging attributes from --> ") + CCase::versionOf(elements.first()));
        purgeChunk(marks, elements, outcome, {});
    }
}

void AccessApplier::purge(const ElementLocation &vob, const QStringList &targets, const Observer &observer)
{
    purgeTargets(vob, targets, observer, nullptr);
}

AccessApplier::Outcome AccessApplier::purgeEach(const ElementLocation &vob, const QStringList &targets, const Observer &observer)
{
    Outcome outcome;
    purgeTargets(vob, targets, observer, &outcome);
    return outcome;
}
