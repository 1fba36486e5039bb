#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class ClearCase;
class Platform;

// Whether a VOB's access settings are enforced at all: which of the tool's trigger types it
// carries, the security script each of their actions runs and whether that script can be
// found from this machine, and the administrator list the actions pass to the script.
class VobEnforcement
{
public:
    struct Action {
        QString option;        // -exec, -execwin, -execunix
        QString command;       // as described
        QString script;        // the script path on the command line
        QString administrators;
        QString hostPath;      // where this machine looks for the script; "" when it cannot
        bool scriptFound = false;
    };
    struct Trigger {
        QString name;
        bool present = false;
        QList<Action> actions;
        QStringList excludedUsers; // -nusers: the trigger does not fire for them
    };

    static VobEnforcement read(ClearCase &clearCase, const Platform &platform, const QString &vobTag);

    const QString &vobTag() const { return m_vobTag; }
    const QList<Trigger> &triggers() const { return m_triggers; }
    // The element and the type trigger are both present: what an installation makes.
    bool installed() const;
    // Installed, and every action's script was found.
    bool enforced() const;
    // The administrators on the first action found; empty when none.
    QStringList administrators() const;
    // A user for whom the element trigger does not fire.
    bool exempts(const QString &user) const;
    // Plain-words lines: one per trigger type, one per action of a present one.
    QStringList describe() const;

    // "ccperl \\host\share\_qx_security_trigger.pl m admin1,admin2" -> its parts.
    static Action parseAction(const QString &option, const QString &command, const Platform &platform);
    // A script location as this machine reaches it: drive letters through the platform's
    // drive map, UNC paths through the /net form on Unix hosts.
    static QString reachablePath(const QString &path, const Platform &platform);

private:
    QString m_vobTag;
    QList<Trigger> m_triggers;
};
