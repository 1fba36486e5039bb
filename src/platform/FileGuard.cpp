#include "platform/FileGuard.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

using Outcome = FileGuard::Outcome;
using Verdict = FileGuard::Verdict;

const QString folderReason = QStringLiteral("it is a folder");
const QString specialReason = QStringLiteral("it is not a regular file but a pipe, socket or device");

Outcome refused(Verdict verdict, const QString &reason) { return {verdict, {}, reason}; }

// Read in pieces: QIODevice::read(limit + 1) would reserve (and clear) the whole limit on
// every call, hundreds of megabytes for a store of a few kilobytes.
Outcome readOpened(QFile &file, qint64 limit)
{
    constexpr qint64 piece = qint64(1) << 16;
    QByteArray content;
    while (content.size() <= limit) {
        const QByteArray more = file.read(std::min(piece, limit + 1 - content.size()));
        if (file.error() != QFileDevice::NoError)
            return refused(Verdict::Failed, file.errorString());
        if (more.isEmpty())
            break;
        content += more;
    }
    if (content.size() > limit)
        return refused(Verdict::TooLarge, QStringLiteral("it is larger than %1").arg(FileGuard::sizeText(limit)));
    return {Verdict::Read, std::move(content), {}};
}

#ifdef Q_OS_UNIX
Outcome readChecked(const QString &path, qint64 limit)
{
    // O_NONBLOCK: opening a pipe that has no writer must not wait for one.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return refused(Verdict::Failed, QString::fromLocal8Bit(std::strerror(errno)));
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return refused(Verdict::NotAFile, S_ISDIR(status.st_mode) ? folderReason : specialReason);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return refused(Verdict::Failed, file.errorString());
    }
    return readOpened(file, limit);
}
#else
Outcome readChecked(const QString &path, qint64 limit)
{
    const QFileInfo info(path);
    if (info.isDir())
        return refused(Verdict::NotAFile, folderReason);
    if (info.exists() && !info.isFile())
        return refused(Verdict::NotAFile, specialReason);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refused(Verdict::Failed, file.errorString());
    return readOpened(file, limit);
}
#endif

} // namespace

FileGuard::Outcome FileGuard::read(const QString &path, qint64 limit)
{
    return readChecked(path, limit);
}

QString FileGuard::sizeText(qint64 limit)
{
    return limit % (1 << 20) == 0 ? QStringLiteral("%1 MB").arg(limit >> 20) : QStringLiteral("%1 bytes").arg(limit);
}
