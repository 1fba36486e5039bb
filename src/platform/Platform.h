#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

class QWidget;

// Every service the operating system offers the program. Paths handed in and out keep the
// program's Windows form (m:\view\vob\dir\file); only the platform turns them into host
// paths, through its drive map.
class Platform
{
public:
    virtual ~Platform() = default;

    // Environment of the program's own process (inherited by the commands it starts).
    virtual QString envVar(const QString &name) const = 0;
    virtual void setEnvVar(const QString &name, const QString &value) = 0;

    // Current user's login name ("" when the system gives none) and the computer name.
    virtual QString loginName() const = 0;
    virtual QString computerName() const = 0;

    // Drive letters (lower case) and the host folder each stands for.
    virtual QMap<QChar, QString> driveMap() const = 0;
    virtual void setDriveMap(const QMap<QChar, QString> &map) = 0;
    // Host path of a program path; a path without a known drive is returned unchanged.
    virtual QString hostPath(const QString &path) const = 0;

    // Directory listing in list-box entry form: "name" for a file, "[name]" for a
    // directory (the parent as "[..]"), "[-x-]" for a drive. Mode 1 lists the entries of
    // the folder named by pattern (a trailing "\*.*" is allowed); mode 5 lists the drives.
    // Throws ZanError when the folder cannot be read.
    virtual QStringList listDirectory(const QString &pattern, int mode) const = 0;

    // True when an entry matches the path, which may hold the wildcards * and ?: ordinary
    // files only, or files and directories when `directories` is set. Hidden entries do not count.
    virtual bool fileExists(const QString &pathPattern, bool directories) const = 0;

    // Copies with overwrite; false when the copy failed.
    virtual bool copyFile(const QString &from, const QString &to) = 0;

    // Starts a command line without waiting; throws ZanError when it cannot be started.
    virtual qint64 startDetached(const QString &commandLine) = 0;

    // Opens a document with the shell's "open" verb; no result is checked by callers.
    virtual bool openDocument(const QString &path) = 0;

    // True when this is the only running instance for this user; keeps the claim for the
    // life of the process.
    virtual bool claimSingleInstance(const QString &key) = 0;

    virtual void setTopMost(QWidget *window, bool onTop) = 0;
    virtual void setHourglass(bool busy) = 0;

    // Lets pending window events run (long loops call this once per item).
    virtual void processEvents() = 0;

    // Folder of the program's executable (Windows form is not needed: a host path).
    virtual QString programFolder() const = 0;
};
