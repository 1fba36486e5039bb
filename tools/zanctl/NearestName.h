#pragma once

#include <QString>
#include <QStringList>

// The name a mistyped word was most likely meant to be: the candidate at the smallest edit
// distance (insertions, deletions, substitutions and swaps of neighbours, ignoring case),
// provided the distance is small for the word's length.
class NearestName
{
public:
    // "" when no candidate is close enough.
    static QString to(const QString &word, const QStringList &candidates);
    // "; did you mean \"checkout\"?" naming the nearest candidate; "" when none is close.
    static QString didYouMean(const QString &word, const QStringList &candidates);
    static int distance(const QString &a, const QString &b);
};
