#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

class ClearCase;
class Platform;
class SiteStyle;
struct ElementLocation;

// Targets named by pattern: --under DIR [--match GLOB]... [--files-only]. A GLOB is matched on
// the path inside the VOB ("/" separators, the VOB root itself is "."), with the site's case
// rules: * and ? stay within one name, ** spans any depth. Several globs are alternatives.
class TargetPattern
{
public:
    static QList<QCommandLineOption> options();
    // Throws ZanError when --match or --files-only come without --under.
    explicit TargetPattern(const QCommandLineParser &parser);

    bool isGiven() const { return !m_under.isEmpty(); }
    // DIR as typed.
    const QString &under() const { return m_under; }
    // The elements at or below `dir` the pattern takes, DIR first, then each directory's
    // entries in listing order. Throws ZanError when DIR is no directory or nothing matches.
    QStringList elements(ClearCase &clearCase, const Platform &platform, const ElementLocation &dir) const;

private:
    struct Entry {
        QString path;
        bool directory = false;
    };

    static QRegularExpression regexOf(QString glob, const SiteStyle &site);
    bool takes(const QList<QRegularExpression> &patterns, const QString &inVob, bool directory) const;
    QList<Entry> walk(const Platform &platform, const QString &dir, bool atVobRoot, const SiteStyle &site) const;
    QString nothingMatches(const QString &dir) const;

    QString m_under;
    QStringList m_globs;
    bool m_filesOnly = false;
};
