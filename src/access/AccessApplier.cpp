#include "access/AccessApplier.h"

#include "access/AccessAttributeFormat.h"
#include "access/AccessEditor.h"
#include "access/AccessPlanner.h"
#include "clearcase/CCase.h"
#include "util/ZanError.h"

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

void AccessApplier::writeChunk(const QString &vobTag, const QList<AttributeInfo> &values, const QStringList &elements,
                               Outcome &outcome)
{
    try {
        m_clearCase.attachAttributes(vobTag, values, versionsOf(elements), AccessEditor::attributeComment);
        outcome.written += int(elements.size());
        return;
    } catch (const ZanError &e) {
        if (elements.size() == 1) {
            outcome.failures << Failure{elements.first(), e.description()};
            return;
        }
    }
    for (const QString &element : elements)
        writeChunk(vobTag, values, {element}, outcome);
}

AccessApplier::Outcome AccessApplier::apply(const ElementLocation &base, const QStringList &operations,
                                            const QStringList &targets, const Observer &observer)
{
    Outcome outcome;
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
        writeChunk(base.vobTag, *values, pending, outcome);
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

// `purgedBefore` names targets a failed batch read as having settings: when the retry finds
// none on one of them, the batch purged it before failing, and it counts as purged.
void AccessApplier::purgeChunk(const QStringList &elements, Outcome *outcome, const QSet<QString> &purgedBefore)
{
    const QStringList versions = versionsOf(elements);
    QSet<QString> withSettings;
    try {
        const QList<QList<AttributeInfo>> attributes = m_clearCase.attributesOfVersions(versions);
        QList<AttributeRemoval> removals;
        for (qsizetype i = 0; i < versions.size(); ++i) {
            removals << removalOf(versions[i], attributes[i]);
            if (!removals.last().typeNames.isEmpty() || purgedBefore.contains(elements[i]))
                withSettings << elements[i];
        }
        m_clearCase.removeAttributes(removals);
        if (outcome)
            outcome->written += int(withSettings.size());
        return;
    } catch (const ZanError &e) {
        if (elements.size() == 1 && !outcome)
            throw;
        if (elements.size() == 1) {
            outcome->failures << Failure{elements.first(), e.description()};
            return;
        }
    }
    // Find the version that fails, each read afresh: the ones before it are purged first.
    for (const QString &element : elements)
        purgeChunk({element}, outcome, withSettings);
}

void AccessApplier::purgeTargets(const ElementLocation &vob, const QStringList &targets, const Observer &observer,
                                 Outcome *outcome)
{
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
        purgeChunk(elements, outcome, {});
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
