#pragma once

#include <QString>

// Where the program's own data files are. A build tree (and a folder-style install) keeps
// them next to the executable; an install under a prefix keeps them in
// <prefix>/share/zan-utility, beside the bin folder. The file next to the executable wins;
// when neither exists, its path next to the executable is returned so that the caller's
// "missing file" report names the usual place.
class InstallLayout
{
public:
    explicit InstallLayout(QString programFolder);

    QString triggerScript(const QString &scriptName) const;
    QString helpDocument() const;

    // The shared data folder of an install under a prefix.
    QString shareFolder() const;

    // Where files the user saves or opens go by default: the program's folder when the
    // program runs from a folder of its own that the user can write (a build tree, a
    // portable copy); for a program installed in the system, the user's documents folder,
    // or the home folder when there is none.
    QString userFilesFolder() const;
    bool isSystemInstall() const;

private:
    QString locate(const QString &besideProgram, const QString &underShare) const;

    QString m_programFolder;
};
