#include "platform/QtPlatform.h"

#include "util/ZanError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QLockFile>
#include <QProcess>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include <QStorageInfo>
#else
#include <pwd.h>
#include <unistd.h>
#endif

namespace {

// Pending events run at most this often inside long loops; running them for every one of
// tens of thousands of items would spend more time repainting than working.
constexpr qint64 kEventIntervalMs = 15;

// Program paths use backslashes whatever the host; Qt's native-separator helpers only
// convert them on Windows.
QString withSlashes(const QString &path)
{
    QString result = path;
    return result.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

QString withoutWildcardSuffix(QString pattern)
{
    for (const QString &suffix : {QStringLiteral("\\*.*"), QStringLiteral("/*.*"), QStringLiteral("\\*"), QStringLiteral("/*")}) {
        if (pattern.endsWith(suffix)) {
            pattern.chop(suffix.size());
            break;
        }
    }
    return pattern;
}

} // namespace

QtPlatform::QtPlatform()
{
    m_sinceEvents.start();
#ifdef Q_OS_WIN
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        if (root.size() >= 2 && root.at(1) == QLatin1Char(':'))
            m_drives.insert(root.at(0).toLower(), root);
    }
#endif
    const QString configured = qEnvironmentVariable("ZAN_DRIVES");
    if (!configured.isEmpty())
        m_drives.insert(parseDriveMap(configured));
}

QtPlatform::~QtPlatform() = default;

QMap<QChar, QString> QtPlatform::parseDriveMap(const QString &text)
{
    QMap<QChar, QString> map;
    for (const QString &entry : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const int eq = entry.indexOf(QLatin1Char('='));
        if (eq != 1)
            continue;
        map.insert(entry.at(0).toLower(), entry.mid(eq + 1));
    }
    return map;
}

QString QtPlatform::envVar(const QString &name) const
{
    return qEnvironmentVariable(name.toLocal8Bit().constData());
}

void QtPlatform::setEnvVar(const QString &name, const QString &value)
{
    qputenv(name.toLocal8Bit().constData(), value.toLocal8Bit());
}

QString QtPlatform::loginName() const
{
#ifdef Q_OS_WIN
    return qEnvironmentVariable("USERNAME");
#else
    for (const char *variable : {"USER", "LOGNAME"}) {
        const QString user = qEnvironmentVariable(variable);
        if (!user.isEmpty())
            return user;
    }
    // Services and containers often start programs without either variable.
    const passwd *entry = getpwuid(geteuid());
    return entry && entry->pw_name ? QString::fromLocal8Bit(entry->pw_name) : QString();
#endif
}

QString QtPlatform::computerName() const
{
    return QSysInfo::machineHostName();
}

QMap<QChar, QString> QtPlatform::driveMap() const
{
    return m_drives;
}

void QtPlatform::setDriveMap(const QMap<QChar, QString> &map)
{
    m_drives = map;
}

QString QtPlatform::hostPath(const QString &path) const
{
    // The drive map's "/" entry stands for the UNIX view root /view (a sandbox's view folder).
    const auto viewRoot = m_drives.constFind(QLatin1Char('/'));
    if (viewRoot != m_drives.constEnd() && path.startsWith(QLatin1String("/view"))
        && (path.size() == 5 || path.at(5) == QLatin1Char('/')))
        return viewRoot.value() + path.mid(5);
    if (path.size() < 2 || path.at(1) != QLatin1Char(':'))
        return withSlashes(path);
    const auto drive = m_drives.constFind(path.at(0).toLower());
    if (drive == m_drives.constEnd())
        return withSlashes(path);
    QString rest = withSlashes(path.mid(2));
    while (rest.startsWith(QLatin1Char('/')))
        rest.remove(0, 1);
    return rest.isEmpty() ? drive.value() : QDir(drive.value()).filePath(rest);
}

QStringList QtPlatform::listDirectory(const QString &pattern, int mode) const
{
    QStringList entries;
    if (mode == 5) {
        for (auto it = m_drives.constBegin(); it != m_drives.constEnd(); ++it)
            entries << QStringLiteral("[-%1-]").arg(it.key());
        return entries;
    }
    const QString folder = hostPath(withoutWildcardSuffix(pattern));
    QDir dir(folder);
    if (!dir.exists())
        throw ZanError(ZanError::PathNotFound, QStringLiteral("fileDirInfo"),
                       QStringLiteral("Path not found: %1").arg(pattern));
    entries << QStringLiteral("[..]");
    const QFileInfoList infos = dir.entryInfoList(
        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
        QDir::Name | QDir::DirsFirst | QDir::IgnoreCase);
    for (const QFileInfo &info : infos) {
        if (info.isDir())
            entries << QLatin1Char('[') + info.fileName() + QLatin1Char(']');
        else if (mode != 4)
            entries << info.fileName();
    }
    return entries;
}

bool QtPlatform::fileExists(const QString &pathPattern, bool directories) const
{
    const QFileInfo pattern(hostPath(pathPattern));
    QDir dir = pattern.dir();
    if (!dir.exists())
        return false;
    QDir::Filters filters = QDir::Files;
    if (directories)
        filters |= QDir::Dirs | QDir::NoDotAndDotDot;
    return !dir.entryList({pattern.fileName()}, filters).isEmpty();
}

bool QtPlatform::copyFile(const QString &from, const QString &to)
{
    const QString target = hostPath(to);
    if (QFileInfo(target).isDir())
        return false;
    QFile::remove(target);
    return QFile::copy(hostPath(from), target);
}

qint64 QtPlatform::startDetached(const QString &commandLine)
{
    QStringList args = QProcess::splitCommand(commandLine);
    if (args.isEmpty())
        throw ZanError(ZanError::FileNotFound, QStringLiteral("runCommand"), QStringLiteral("Empty command line"));
    const QString program = args.takeFirst();
    qint64 pid = 0;
    if (!QProcess::startDetached(program, args, QString(), &pid))
        throw ZanError(ZanError::FileNotFound, QStringLiteral("runCommand"),
                       QStringLiteral("File not found: %1").arg(program));
    return pid;
}

// Without a desktop there is nothing to open a document with.
bool QtPlatform::openDocument(const QString &)
{
    return false;
}

bool QtPlatform::claimSingleInstance(const QString &key)
{
    // The per-user runtime folder: only this user can create or remove files there, unlike
    // a shared or redirected TMPDIR.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    const QString user = loginName().isEmpty() ? QStringLiteral("user") : loginName();
    m_instanceLock = std::make_unique<QLockFile>(QDir(folder).filePath(key + QLatin1Char('-') + user + QStringLiteral(".lock")));
    m_instanceLock->setStaleLockTime(0);
    return m_instanceLock->tryLock(0);
}

void QtPlatform::setTopMost(QWidget *, bool) {}

void QtPlatform::setHourglass(bool) {}

void QtPlatform::processEvents()
{
    if (m_sinceEvents.elapsed() < kEventIntervalMs)
        return;
    QCoreApplication::processEvents();
    m_sinceEvents.restart();
}

QString QtPlatform::programFolder() const
{
    return QCoreApplication::applicationDirPath();
}
