#include "triggers/RefusalLog.h"

#include "access/VobEnforcement.h"
#include "clearcase/SiteStyle.h"
#include "platform/FileGuard.h"
#include "triggers/StoredTriggerSettings.h"
#include "triggers/TriggerPaths.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace {

constexpr int fieldCount = 8;

void addOnce(QStringList &folders, const QString &folder)
{
    const QString clean = QDir::cleanPath(folder);
    if (!folders.contains(clean))
        folders << clean;
}

// The folder a location names, as this machine reaches it.
QString logFolderAt(const QString &location, const Platform &platform)
{
    return QDir(VobEnforcement::reachablePath(location, platform)).filePath(RefusalLog::folderName);
}

// "2026-12" of refusals-2026-12.log; "" for any other name.
QString monthOfFile(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^refusals-(\\d{4}-\\d\\d)\\.log$"));
    const QRegularExpressionMatch match = pattern.match(name);
    return match.hasMatch() ? match.captured(1) : QString();
}

} // namespace

QStringList RefusalLog::foldersOf(ClearCase &clearCase, const Platform &platform, const SettingsStore &store,
                                  const QStringList &vobTags, const SiteStyle &site)
{
    QStringList folders;
    for (const QString &vobTag : vobTags) {
        const qsizetype before = folders.size();
        const VobEnforcement enforcement = VobEnforcement::read(clearCase, platform, vobTag);
        for (const VobEnforcement::Trigger &trigger : enforcement.triggers()) {
            for (const VobEnforcement::Action &action : trigger.actions) {
                if (!action.hostPath.isEmpty())
                    addOnce(folders, QFileInfo(action.hostPath).dir().filePath(folderName));
            }
        }
        if (folders.size() > before)
            continue;
        const StoredTriggerSettings stored = StoredTriggerSettings::load(store, vobTag, site);
        for (const QString &location : {stored.windowsLocation, stored.unixLocation}) {
            if (TriggerPaths::isFilledIn(location))
                addOnce(folders, logFolderAt(location, platform));
        }
    }
    return folders;
}

bool RefusalLog::parseLine(const QString &line, Refusal &refusal)
{
    QStringList fields = line.split(QLatin1Char('\t'));
    if (fields.size() < fieldCount)
        return false;
    // The script turns tabs into blanks; a reason holding one anyway keeps it.
    const QString reason = fields.mid(fieldCount - 1).join(QLatin1Char('\t'));
    refusal.time = QDateTime::fromString(fields.at(0), Qt::ISODate);
    if (!refusal.time.isValid() || !fields.at(0).endsWith(QLatin1Char('Z')))
        return false;
    refusal.host = fields.at(1);
    refusal.user = fields.at(2);
    refusal.operation = fields.at(3);
    refusal.path = fields.at(4);
    refusal.vobTag = fields.at(5);
    refusal.setting = fields.at(6);
    refusal.reason = reason;
    return true;
}

bool RefusalLog::keeps(const Refusal &refusal, const Filter &filter, const SiteStyle &site)
{
    if (filter.since.isValid() && refusal.time < filter.since)
        return false;
    if (!filter.user.isEmpty() && refusal.user.compare(filter.user, Qt::CaseInsensitive) != 0)
        return false;
    return filter.vobTag.isEmpty() || refusal.vobTag.compare(filter.vobTag, site.caseSensitivity()) == 0;
}

void RefusalLog::readFile(const QString &path, const Filter &filter, const SiteStyle &site, Reading &reading)
{
    const FileGuard::Outcome file = FileGuard::read(path, fileLimit);
    if (!file.ok()) {
        reading.problems << QStringLiteral("%1 cannot be read: %2").arg(QDir::toNativeSeparators(path), file.reason);
        return;
    }
    int notRecords = 0;
    Refusal refusal;
    for (const QString &line : QString::fromUtf8(file.content).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (!parseLine(line, refusal))
            ++notRecords;
        else if (keeps(refusal, filter, site))
            reading.refusals << refusal;
    }
    if (notRecords > 0)
        reading.problems << QStringLiteral("%1: %2 no refusal record, skipped")
                                .arg(QDir::toNativeSeparators(path), notRecords == 1 ? QStringLiteral("1 line is")
                                                                                     : QStringLiteral("%1 lines are").arg(notRecords));
}

RefusalLog::Reading RefusalLog::read(const QStringList &folders, const Filter &filter, const SiteStyle &site)
{
    Reading reading;
    const QString firstMonth = filter.since.isValid() ? filter.since.toUTC().toString(QStringLiteral("yyyy-MM")) : QString();
    for (const QString &folder : folders) {
        const QDir dir(folder);
        if (!dir.exists()) {
            reading.notes << QStringLiteral("no log folder at %1: nothing is recorded there until an administrator creates it")
                                 .arg(QDir::toNativeSeparators(folder));
            continue;
        }
        for (const QString &name : dir.entryList({QStringLiteral("refusals-*.log")}, QDir::Files | QDir::System, QDir::Name)) {
            const QString month = monthOfFile(name);
            if (!month.isEmpty() && month >= firstMonth)
                readFile(dir.filePath(name), filter, site, reading);
        }
    }
    std::stable_sort(reading.refusals.begin(), reading.refusals.end(),
                     [](const Refusal &a, const Refusal &b) { return a.time < b.time; });
    return reading;
}
