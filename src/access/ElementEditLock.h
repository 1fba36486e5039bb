#pragma once

#include "clearcase/ClearCase.h"

#include <QString>
#include <functional>

// Holds an element's settings for one administrator while an edit reads, changes and writes
// them, so that two administrators editing the same element at once never write from a
// stale copy. The mark is an attribute ("QX_EDITING") on the element's /main/0 version:
// creating an attribute that is already there fails in the VOB itself, on every client,
// which makes taking it a single step. The value names who holds it and since when; a mark
// older than `staleAfterMs`, or held by a process of this host that is gone, was left by an
// editor that died and is taken over.
class ElementEditLock
{
public:
    static inline const QString typeName = QStringLiteral("QX_EDITING");
    static constexpr qint64 staleAfterMs = 120000;
    static constexpr int waitMs = 15000;

    // Waits up to waitMs for the mark, then throws a ZanError naming who holds it.
    ElementEditLock(ClearCase &clearCase, const QString &vobTag, const QString &versionPath);
    // Removes the mark while it is still this editor's.
    ~ElementEditLock();

    ElementEditLock(const ElementEditLock &) = delete;
    ElementEditLock &operator=(const ElementEditLock &) = delete;

    // Runs the work holding the element's mark.
    static void run(ClearCase &clearCase, const QString &vobTag, const QString &versionPath, const std::function<void()> &work);

    // A new mark's value: "<user>@<host> <pid> <milliseconds since the epoch>".
    static QString freshValue();
    static bool isStale(const QString &value);
    // Makes the mark's attribute type unless the VOB has it (another editor may make it meanwhile).
    static void ensureType(ClearCase &clearCase, const QString &vobTag);

private:
    bool tryTake();
    QString heldValue();
    static QString holderOf(const QString &value);

    ClearCase &m_clearCase;
    QString m_vobTag;
    QString m_version;
    QString m_value;
    static constexpr int maxUnexplainedFailures = 5;
    int m_unexplainedFailures = 0;
};
