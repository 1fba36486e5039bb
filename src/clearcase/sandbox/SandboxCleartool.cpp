#include "clearcase/sandbox/SandboxCleartool.h"

#include "util/ZanError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString shellQuoted(const QString &text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString binFolderOf(const QString &sandboxFolder)
{
    return QDir(sandboxFolder).filePath(QStringLiteral("bin"));
}

} // namespace

QString SandboxCleartool::install(const QString &sandboxFolder, const QString &emulatorProgram)
{
    const QString binFolder = binFolderOf(sandboxFolder);
    const QString emulator = QFileInfo(emulatorProgram).absoluteFilePath();
    const QString sandbox = QFileInfo(sandboxFolder).absoluteFilePath();
    if (!QFileInfo(emulator).isExecutable())
        throw ZanError(ZanError::FileNotFound, QStringLiteral("cleartool"),
                       QStringLiteral("The cleartool emulator %1 is missing or not executable.").arg(QDir::toNativeSeparators(emulator)));
#ifdef Q_OS_WIN
    const QString wrapperPath = QDir(binFolder).filePath(QStringLiteral("cleartool.cmd"));
    const QString wrapper = QStringLiteral("@echo off\r\nset \"ZAN_SANDBOX=%1\"\r\n\"%2\" %*\r\n")
                                .arg(QDir::toNativeSeparators(sandbox), QDir::toNativeSeparators(emulator));
#else
    const QString wrapperPath = QDir(binFolder).filePath(QStringLiteral("cleartool"));
    const QString wrapper = QStringLiteral("#!/bin/sh\nZAN_SANDBOX=%1 exec %2 \"$@\"\n").arg(shellQuoted(sandbox), shellQuoted(emulator));
#endif
    QFile file(wrapperPath + QStringLiteral(".new"));
    const bool written = QDir().mkpath(binFolder) && file.open(QIODevice::WriteOnly | QIODevice::Truncate)
                         && file.write(wrapper.toLocal8Bit()) >= 0 && file.flush();
    file.close();
    const bool installed = written
                           && file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                                  | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther)
                           && (!QFile::exists(wrapperPath) || QFile::remove(wrapperPath)) && file.rename(wrapperPath);
    if (!installed) {
        QFile::remove(file.fileName());
        throw ZanError(ZanError::Permission, QStringLiteral("cleartool"),
                       QStringLiteral("Unable to install cleartool in %1: %2").arg(QDir::toNativeSeparators(binFolder), file.errorString()));
    }
    return binFolder;
}

bool SandboxCleartool::isEmulator(const QString &program, const QString &sandboxFolder)
{
    const QFileInfo info(program);
    if (info.completeBaseName() == QLatin1String("cleartool-sim"))
        return true;
    return !program.isEmpty() && info.absolutePath() == QFileInfo(binFolderOf(sandboxFolder)).absoluteFilePath();
}

QString SandboxCleartool::installedIn(const QString &sandboxFolder)
{
#ifdef Q_OS_WIN
    const QString wrapper = QDir(binFolderOf(sandboxFolder)).filePath(QStringLiteral("cleartool.cmd"));
#else
    const QString wrapper = QDir(binFolderOf(sandboxFolder)).filePath(QStringLiteral("cleartool"));
#endif
    return QFileInfo(wrapper).isExecutable() ? wrapper : QString();
}
