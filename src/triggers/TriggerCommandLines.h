#pragma once

#include "clearcase/ClearCase.h"

#include <QString>

// The trigger types that enforce the access settings and everything they carry: the
// commands that run the security script on Windows and Unix clients, the comments, the
// element and UCM trigger definitions, and the cleartool line that makes the type trigger.
// Built from the Trigger(Admin) inputs as they stand when the triggers are applied.
class TriggerCommandLines
{
public:
    struct Inputs {
        QString windowsLocation;   // trigLocationTxt, e.g. \\myhost\triggers
        QString unixLocation;      // trigLocationUnixTxt, e.g. /net/myhost/triggers
        QString adminUsersText;    // adminUsersTxt as typed, possibly its placeholder
        QString viewDrive;         // the Settings dialog's drive letter, possibly "", or the view root /view
        QString exemptUser;        // the login name when it is exempted, else ""
        bool interop = false;      // the VOB serves Windows and Unix clients
        QString date;              // today in the short date format
        bool unixSite = false;     // the site writes UNIX paths: its clients run the Unix command
    };

    static inline const QString scriptName = QStringLiteral("_qx_security_trigger.pl");
    static inline const QString elementTriggerName = QStringLiteral("_KORVANE_SECURITY1");
    static inline const QString typeTriggerName = QStringLiteral("_KORVANE_SECURITY2");
    static inline const QString ucmTriggerName = QStringLiteral("_UCM_KORVANE_SECURITY");

    explicit TriggerCommandLines(Inputs inputs);

    QString adminList() const;
    QString drive() const;
    // The drive Windows clients pass: the view drive, or "m" when the site has a view root.
    QString windowsDrive() const;
    QString windowsCommand() const;
    QString unixCommand() const;
    QString elementComment() const;
    QString ucmComment() const;

    TriggerTypeDefinition elementTrigger() const;
    TriggerTypeDefinition ucmTrigger() const;
    QString typeTriggerCommand(const QString &vobTag) const;

    // Why the typed inputs cannot be put between the double quotes of the trigger command
    // lines (a quote, a line break, a backslash right before a closing quote), or would not
    // reach the script unchanged through the shell that runs the action (a blank or a shell
    // character in a location, anything but letters, digits and ._@\- in a user name);
    // "" when they can.
    QString quotingProblem() const;

private:
    // The one command of a VOB without interop: the Unix one on a UNIX site.
    QString singleCommand() const;
    void addActions(TriggerTypeDefinition &definition) const;

    Inputs m_in;
};
