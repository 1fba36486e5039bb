#pragma once

#include "access/AccessSettings.h"
#include "clearcase/ClearCase.h"

#include <QHash>
#include <QSet>
#include <functional>

class ElementEditMarks;

// What the window follows while an apply or a purge runs.
struct AccessRunObserver {
    std::function<bool(const QString &vobRoot)> confirmVobRoot = [](const QString &) { return true; };
    std::function<void(const QString &message)> status = [](const QString &) {};
    std::function<void()> betweenChunks = [] {};
};

struct AccessRunFailure {
    QString target;
    QString description;
};

struct AccessRunOutcome {
    int written = 0;                  // apply: targets written; purge: targets that had settings
    QList<AccessRunFailure> failures;
    QStringList missing;              // targets that are no element
    QStringList skipped;              // the base itself, and a VOB root not confirmed
};

// Carries out an apply or a purge over many checked elements in chunks: few ClearCase
// round trips, one sandbox transaction per write, and a chance for the window to show
// progress between chunks. Every target is changed holding its edit mark, as a single edit
// holds it (ElementEditMarks, ElementEditLock), so that an administrator editing a target
// meanwhile neither loses the edit nor undoes the apply's or purge's. Nothing here shows
// anything itself.
//
//   apply(base, operations, targets, observer)
//       copies the base's "__"+operation values ("" where the base lacks one) and its
//       "QX_GROUPS" onto every target, replacing. The base itself and paths that are no
//       element are skipped silently; a target equal to the VOB root path is written as the
//       root directory only when observer.confirmVobRoot agrees. A chunk that fails is
//       retried one target at a time; the targets that still fail are returned, the rest
//       are written. Failures of the VOB or the base are thrown as ZanError.
//   purge(vob, targets, observer)
//       removes every "__" attribute and "QX_GROUPS" from each target. The first target that
//       cannot be read or purged stops the purge with its ZanError; targets before it are
//       purged.
//   purgeEach(vob, targets, observer)
//       the same, but goes on past a target that is no element (returned as missing) or
//       that cannot be purged (returned as failed); counts the targets that had settings.
class AccessApplier
{
public:
    using Observer = AccessRunObserver;
    using Failure = AccessRunFailure;
    using Outcome = AccessRunOutcome;

    explicit AccessApplier(ClearCase &clearCase, int chunkSize = defaultChunkSize)
        : m_clearCase(clearCase), m_chunkSize(chunkSize)
    {
    }

    Outcome apply(const ElementLocation &base, const QStringList &operations, const QStringList &targets,
                  const Observer &observer = {});
    void purge(const ElementLocation &vob, const QStringList &targets, const Observer &observer = {});
    Outcome purgeEach(const ElementLocation &vob, const QStringList &targets, const Observer &observer = {});

    // Paths per command: well inside cleartool's and the platforms' command-line limits
    // for paths of a few hundred characters.
    static constexpr int defaultChunkSize = 200;

private:
    void writeChunk(ElementEditMarks &marks, const QList<AttributeInfo> &values, const QStringList &elements, Outcome &outcome);
    void writeMarked(const QList<AttributeInfo> &values, const QStringList &versions, const QHash<QString, QString> &element,
                     Outcome &outcome);
    // Failures are thrown, or recorded in the outcome when there is one.
    void purgeChunk(ElementEditMarks &marks, const QStringList &elements, Outcome *outcome, const QSet<QString> &purgedBefore);
    void purgeAlone(const QString &element, Outcome *outcome);
    void purgeTargets(const ElementLocation &vob, const QStringList &targets, const Observer &observer, Outcome *outcome);

    ClearCase &m_clearCase;
    int m_chunkSize;
    QString m_vobTag; // of the run in progress
};
