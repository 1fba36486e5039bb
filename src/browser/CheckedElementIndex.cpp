#include "browser/CheckedElementIndex.h"

#include <QAbstractItemModel>
#include <QListWidget>

#include <algorithm>

namespace {

int valueOf(const QHash<QString, int> &hash, const QString &key)
{
    return hash.value(key, 0);
}

void add(QHash<QString, int> &hash, const QString &key, int delta)
{
    auto it = hash.find(key);
    if (it == hash.end()) {
        if (delta > 0)
            hash.insert(key, delta);
        return;
    }
    *it += delta;
    if (*it <= 0)
        hash.erase(it);
}

} // namespace

CheckedElementIndex::CheckedElementIndex(QListWidget *list, QObject *parent) : QObject(parent), m_list(list)
{
    QAbstractItemModel *model = m_list->model();
    connect(model, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex &, int first, int last) { countRows(first, last, +1); });
    connect(model, &QAbstractItemModel::rowsAboutToBeRemoved, this,
            [this](const QModelIndex &, int first, int last) { countRows(first, last, -1); });
    connect(model, &QAbstractItemModel::modelReset, this, &CheckedElementIndex::rebuild);
    connect(model, &QAbstractItemModel::dataChanged, this, &CheckedElementIndex::rebuild);
    connect(model, &QAbstractItemModel::layoutChanged, this, &CheckedElementIndex::rebuild);
    connect(model, &QAbstractItemModel::rowsMoved, this, &CheckedElementIndex::rebuild);
    rebuild();
}

bool CheckedElementIndex::contains(const QString &path) const
{
    const QString folded = path.toLower();
    return valueOf(m_folded, folded) - valueOf(m_pendingFolded, folded) > 0;
}

int CheckedElementIndex::count() const
{
    return m_list->count() - m_pendingTotal;
}

bool CheckedElementIndex::appendIfNew(const QString &path)
{
    if (m_pendingTotal > 0)
        flush();
    if (contains(path))
        return false;
    m_list->addItem(path);
    return true;
}

void CheckedElementIndex::removeFirst(const QString &path)
{
    if (valueOf(m_exact, path) - valueOf(m_pendingExact, path) <= 0)
        return;
    add(m_pendingExact, path, +1);
    add(m_pendingFolded, path.toLower(), +1);
    ++m_pendingTotal;
    if (m_batchDepth == 0)
        flush();
}

void CheckedElementIndex::clear()
{
    m_pendingExact.clear();
    m_pendingFolded.clear();
    m_pendingTotal = 0;
    m_list->clear();
}

void CheckedElementIndex::beginBatch()
{
    ++m_batchDepth;
}

void CheckedElementIndex::endBatch()
{
    if (m_batchDepth > 0 && --m_batchDepth == 0)
        flush();
}

void CheckedElementIndex::flush()
{
    if (m_pendingTotal == 0)
        return;
    QHash<QString, int> wanted;
    wanted.swap(m_pendingExact);
    m_pendingFolded.clear();
    m_pendingTotal = 0;

    // One pass from the top finds the first entries of each path; runs of adjacent rows
    // go in one model call, from the bottom up so that earlier rows keep their numbers.
    QList<QPair<int, int>> runs; // first row, row count
    const int rows = m_list->count();
    for (int row = 0; row < rows && !wanted.isEmpty(); ++row) {
        auto it = wanted.find(m_list->item(row)->text());
        if (it == wanted.end())
            continue;
        if (--*it == 0)
            wanted.erase(it);
        if (!runs.isEmpty() && runs.last().first + runs.last().second == row)
            ++runs.last().second;
        else
            runs.append({row, 1});
    }
    QAbstractItemModel *model = m_list->model();
    for (auto run = runs.crbegin(); run != runs.crend(); ++run)
        model->removeRows(run->first, run->second);
}

void CheckedElementIndex::rebuild()
{
    m_folded.clear();
    m_exact.clear();
    const int rows = m_list->count();
    for (int row = 0; row < rows; ++row)
        count(m_list->item(row)->text(), +1);
}

void CheckedElementIndex::countRows(int first, int last, int delta)
{
    for (int row = first; row <= last; ++row) {
        if (const QListWidgetItem *item = m_list->item(row))
            count(item->text(), delta);
    }
}

void CheckedElementIndex::count(const QString &path, int delta)
{
    add(m_exact, path, delta);
    add(m_folded, path.toLower(), delta);
}
