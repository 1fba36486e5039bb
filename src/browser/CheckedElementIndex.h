#pragma once

#include <QHash>
#include <QObject>
#include <QString>

class QListWidget;

// The checked-element list (selectedList) with an index beside it, so that the duplicate
// test and removals do not scan a list of tens of thousands of paths. The list widget stays
// the ordered truth: the index follows the widget's model, whoever changes it.
//
// Between beginBatch() and endBatch() removals are collected and carried out in one pass
// over the list when the batch ends (or before the next append), each taking the first
// exactly equal entry, as one removal at a time would.
class CheckedElementIndex : public QObject
{
    Q_OBJECT

public:
    explicit CheckedElementIndex(QListWidget *list, QObject *parent = nullptr);

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

private:
    void rebuild();
    void countRows(int first, int last, int delta);
    void count(const QString &path, int delta);

    QListWidget *m_list;
    QHash<QString, int> m_folded;   // lower-cased path -> entries in the list
    QHash<QString, int> m_exact;    // path -> entries in the list
    QHash<QString, int> m_pendingExact;
    QHash<QString, int> m_pendingFolded;
    int m_pendingTotal = 0;
    int m_batchDepth = 0;
};
