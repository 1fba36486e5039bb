#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class Platform;

// Puts the security script where the trigger actions will run it and checks that it is
// there. Each location is reached in the form this machine uses: on Windows a Unix
// /net/host/share location as \\host\share, elsewhere a \\host\share location as
// /net/host/share; drive letters go through the platform's drive map.
class ScriptDeployment
{
public:
    struct Unreachable {
        QString location;
        QString reason; // why this machine cannot put the script there, in sentences
    };
    struct Outcome {
        QStringList notCopied;          // reachable, but the script is not there afterwards
        QList<Unreachable> unreachable; // this machine cannot see the folder
    };

    ScriptDeployment(Platform &platform, const QString &scriptName);

    // Copies the script to each location (repeats reached the same way count once).
    Outcome deploy(const QString &source, const QStringList &locations);

    // The location as this machine reaches it, still in the program's path form.
    static QString reachableForm(const QString &location);

private:
    QString hostFolder(const QString &location) const;
    QString whyUnreachable(const QString &location) const;
    bool copyAndCheck(const QString &source, const QString &folder);

    Platform &m_platform;
    QString m_scriptName;
};
