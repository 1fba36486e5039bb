#include "NearestName.h"

#include <QList>
#include <algorithm>

int NearestName::distance(const QString &a, const QString &b)
{
    const QString x = a.toLower(), y = b.toLower();
    // Three rows of the optimal string alignment table: two back, one back, this one.
    QList<int> before(y.size() + 1), previous(y.size() + 1), row(y.size() + 1);
    for (qsizetype j = 0; j <= y.size(); ++j)
        previous[j] = int(j);
    for (qsizetype i = 1; i <= x.size(); ++i) {
        row[0] = int(i);
        for (qsizetype j = 1; j <= y.size(); ++j) {
            const int substitution = previous[j - 1] + (x[i - 1] == y[j - 1] ? 0 : 1);
            row[j] = std::min({previous[j] + 1, row[j - 1] + 1, substitution});
            if (i > 1 && j > 1 && x[i - 1] == y[j - 2] && x[i - 2] == y[j - 1])
                row[j] = std::min(row[j], before[j - 2] + 1);
        }
        before = previous;
        previous = row;
    }
    return previous[y.size()];
}

QString NearestName::to(const QString &word, const QStringList &candidates)
{
    const int allowed = std::max(1, int(word.size()) / 3);
    QString nearest;
    int best = allowed + 1;
    for (const QString &candidate : candidates) {
        const int d = distance(word, candidate);
        if (d < best) {
            best = d;
            nearest = candidate;
        }
    }
    return nearest;
}

QString NearestName::didYouMean(const QString &word, const QStringList &candidates)
{
    const QString nearest = to(word, candidates);
    return nearest.isEmpty() ? QString() : QStringLiteral("; did you mean \"%1\"?").arg(nearest);
}
