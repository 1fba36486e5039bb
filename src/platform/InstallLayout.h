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

private:
    QString locate(const QString &besideProgram, const QString &underShare) const;

    QString m_programFolder;
};
