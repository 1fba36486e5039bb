#pragma once

#include <QStringList>

// One edit of a stored list (an operation's users or an element's groups), told as the
// entries it adds and the entries it removes rather than as the whole list the window
// shows. Applied to the value read just before writing, it keeps what another
// administrator changed meanwhile: their additions stay, and a removal is never undone by
// a stale copy of the list.
class AccessListChange
{
public:
    AccessListChange() = default;
    AccessListChange(QStringList added, QStringList removed) : m_added(std::move(added)), m_removed(std::move(removed)) {}

    // The change that turns `before` into `after`: entries compared exactly, each
    // occurrence counted, so that a duplicate removed once is removed once.
    static AccessListChange between(const QStringList &before, const QStringList &after);

    // `stored` with the removals (each the first exactly equal entry) and then the
    // additions (each unless an entry equal ignoring case is there already).
    QStringList appliedTo(const QStringList &stored) const;

    // Whether `stored` shows this change: every addition present, every removal gone.
    bool isShownBy(const QStringList &stored) const;

    bool isEmpty() const { return m_added.isEmpty() && m_removed.isEmpty(); }
    const QStringList &added() const { return m_added; }
    const QStringList &removed() const { return m_removed; }

private:
    QStringList m_added;
    QStringList m_removed;
};
