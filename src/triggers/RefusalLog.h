#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

class ClearCase;
class Platform;
class SettingsStore;
class SiteStyle;

// The refusals the security script records in the folder "log" beside it: one file per month,
// refusals-YYYY-MM.log, one tab-separated line per refusal (UTC time, host, user, operation,
// path, VOB tag, the deciding setting, the reason the user was shown). Read back, filtered
// and put in time order for zanctl refusals and the window's Tools menu.
class RefusalLog
{
public:
    struct Refusal {
        QDateTime time; // UTC
        QString host;
        QString user;
        QString operation;
        QString path;
        QString vobTag;
        QString setting; // "" when the trigger environment itself was wanting
        QString reason;
    };

    // What to keep: refusals from `since` on (invalid: all), of `user` (any case; "": all),
    // in the VOB `vobTag` (as the site compares tags; "": all).
    struct Filter {
        QDateTime since;
        QString user;
        QString vobTag;
    };

    struct Reading {
        QList<Refusal> refusals; // oldest first
        // A file that could not be read, lines that are no records: the listing is incomplete.
        QStringList problems;
        // A log folder that does not exist: nothing was recorded there, which is no fault.
        QStringList notes;
    };

    static constexpr qint64 fileLimit = qint64(256) << 20;
    static inline const QString folderName = QStringLiteral("log");

    // The log folders of the VOBs' refusals as this machine reaches them: beside the script
    // each installed trigger action runs, else beside the location stored at the last
    // installation. Each folder once, in the order found; none when nothing is recorded.
    static QStringList foldersOf(ClearCase &clearCase, const Platform &platform, const SettingsStore &store,
                                 const QStringList &vobTags, const SiteStyle &site);

    static Reading read(const QStringList &folders, const Filter &filter, const SiteStyle &site);

    // One line of a log file; false for a line that is no record.
    static bool parseLine(const QString &line, Refusal &refusal);

private:
    static bool keeps(const Refusal &refusal, const Filter &filter, const SiteStyle &site);
    static void readFile(const QString &path, const Filter &filter, const SiteStyle &site, Reading &reading);
};
