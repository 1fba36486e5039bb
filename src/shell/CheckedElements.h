#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

// The checked elements in the order they were checked, with an index beside them so that
// the duplicate test and removals do not scan a list of tens of thousands of paths. Each
// change is a signal, which the window's checked-element list follows.
//
// Between beginBatch() and endBatch() removals are collected and carried out in one pass
// over the list when the batch ends (or before the next append), each taking the first
// exactly equal entry, as one removal at a time would.
class CheckedElements : public QObject
{
    Q_OBJECT

public:
    explicit CheckedElements(QObject *parent = nullptr);

    // The paths, pending removals still among them.
    const QStringList &paths() const { return m_paths; }
    // Present ignoring case (the list's duplicate rule), pending removals discounted.
    bool contains(const QString &path) const;
    int count() const;

    // Appends the path when it is not present (ignoring case); true when appended.
    bool appendIfNew(const QString &path);
    // Takes out the first entry exactly equal to the path.
    void removeFirst(const QString &path);
    void clear();

    void beginBatch();
    void endBatch();
    void flush();

signals:
    void appended(const QString &path);
    void removed(int first, int count);
    void cleared();

private:
    void count(const QString &path, int delta);

    QStringList m_paths;
    QHash<QString, int> m_folded;   // lower-cased path -> entries in the list
    QHash<QString, int> m_exact;    // path -> entries in the list
    QHash<QString, int> m_pendingExact;
    QHash<QString, int> m_pendingFolded;
    int m_pendingTotal = 0;
    int m_batchDepth = 0;
};
