#pragma once

#include "clearcase/ClearCase.h"

#include <QHash>
#include <QSet>
#include <QStringList>
#include <optional>

// The edit marks of many elements at once, taken in a few batched calls so that an apply or
// a purge edits each target as one edit does (ElementEditLock) without a round trip per
// target. Marks that are stale are cleared and taken; an element whose mark a live editor
// holds is left to the caller, who edits it alone with ElementEditLock, which waits.
class ElementEditMarks
{
public:
    struct Taken {
        QStringList versions;                   // marked by this editor, or taking no mark at all
        QList<QList<AttributeInfo>> attributes; // of each, read after its mark was taken
        QStringList busy;                       // held by another editor, or unreadable
    };

    ElementEditMarks(ClearCase &clearCase, const QString &vobTag) : m_clearCase(clearCase), m_vobTag(vobTag) {}

    Taken take(const QStringList &versions);
    // Removes this editor's marks; one left behind goes stale and is taken over.
    void release(const QStringList &versions);

private:
    bool marksPossible();
    void attach(const AttributeInfo &mark, const QStringList &versions, bool oneByOne);
    bool sortRound(const AttributeInfo &mark, QStringList &pending, Taken &taken,
                   QHash<QString, QList<AttributeInfo>> &lastRead);
    QList<std::optional<QList<AttributeInfo>>> readBack(const QStringList &versions);
    Taken takenWithoutMarks(const QStringList &versions);

    ClearCase &m_clearCase;
    QString m_vobTag;
    bool m_typeKnown = false;
    bool m_marksPossible = true;
    QSet<QString> m_unmarked; // taken without a mark: nothing to release
    static constexpr int takeRounds = 4;
};
