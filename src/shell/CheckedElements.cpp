#include "shell/CheckedElements.h"

#include <QList>
#include <QPair>

namespace {

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

CheckedElements::CheckedElements(QObject *parent) : QObject(parent) {}

bool CheckedElements::contains(const QString &path) const
{
    const QString folded = path.toLower();
    return m_folded.value(folded) - m_pendingFolded.value(folded) > 0;
}

int CheckedElements::count() const
{
    return int(m_paths.size()) - m_pendingTotal;
}

bool CheckedElements::appendIfNew(const QString &path)
{
    if (m_pendingTotal > 0)
        flush();
    if (contains(path))
        return false;
    m_paths.append(path);
    count(path, +1);
    emit appended(path);
    return true;
}

void CheckedElements::removeFirst(const QString &path)
{
    if (m_exact.value(path) - m_pendingExact.value(path) <= 0)
        return;
    add(m_pendingExact, path, +1);
    add(m_pendingFolded, path.toLower(), +1);
    ++m_pendingTotal;
    if (m_batchDepth == 0)
        flush();
}

void CheckedElements::clear()
{
    m_pendingExact.clear();
    m_pendingFolded.clear();
    m_pendingTotal = 0;
    m_paths.clear();
    m_exact.clear();
    m_folded.clear();
    emit cleared();
}

void CheckedElements::beginBatch()
{
    ++m_batchDepth;
}

void CheckedElements::endBatch()
{
    if (m_batchDepth > 0 && --m_batchDepth == 0)
        flush();
}

void CheckedElements::flush()
{
    if (m_pendingTotal == 0)
        return;
    QHash<QString, int> wanted;
    wanted.swap(m_pendingExact);
    m_pendingFolded.clear();
    m_pendingTotal = 0;

    // One pass from the top finds the first entries of each path; runs of adjacent rows
    // go at once, from the bottom up so that earlier rows keep their numbers.
    QList<QPair<int, int>> runs; // first row, row count
    for (int row = 0; row < m_paths.size() && !wanted.isEmpty(); ++row) {
        auto it = wanted.find(m_paths.at(row));
        if (it == wanted.end())
            continue;
        if (--*it == 0)
            wanted.erase(it);
        if (!runs.isEmpty() && runs.last().first + runs.last().second == row)
            ++runs.last().second;
        else
            runs.append({row, 1});
    }
    for (auto run = runs.crbegin(); run != runs.crend(); ++run) {
        for (int row = run->first; row < run->first + run->second; ++row)
            count(m_paths.at(row), -1);
        m_paths.remove(run->first, run->second);
        emit removed(run->first, run->second);
    }
}

void CheckedElements::count(const QString &path, int delta)
{
    add(m_exact, path, delta);
    add(m_folded, path.toLower(), delta);
}
