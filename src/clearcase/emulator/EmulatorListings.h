#pragma once

#include "clearcase/sandbox/SandboxRecords.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class EmulatorArguments;
class SandboxPathResolver;
class SandboxStore;

// lscheckout (lsco), lshistory and lslock over the events the emulator keeps (SandboxHistory)
// and the store's checkouts and locks. What they list: the pathnames given (a directory: the
// elements in it for lsco, the directory and the elements in it for lshistory without one),
// -all the working directory's VOB, -avobs every VOB. Names print as given, and for -all and
// -avobs as full pathnames in the checkout's view. Newest first for lshistory. lshistory also
// takes object selectors (vob:\proj, attype:NAME@\proj, ...) and a version's pathname
// (a.c@@/main/0: the events on that version).
//
// lslock, as documented, dates its lines 01-Sep.08:42 and starts the comment of a lock with
// exceptions "Locked except for users: a b". Real cleartool unverified: the other layouts
// (date, user, event, name, a comment line below), the -fmt fields of lsco (%Rf reserved
// state, %Tf view tag) and which events are minor (attributes, labels, locks).
class EmulatorListings
{
public:
    EmulatorListings(SandboxStore &store, SandboxPathResolver &resolver, QString user);

    QString lscheckout(const QStringList &words);
    QString lshistory(const QStringList &words);
    QString lslock(const QStringList &words);

private:
    // One event with the name it lists under.
    struct Entry {
        QString vobTag;
        SandboxEvent event;
        QString name;
    };
    // Which objects of which VOB a listing covers, and how each is named.
    struct Scope {
        QString vobTag;
        std::function<bool(const SandboxEvent &event)> covers;
        std::function<QString(const SandboxEvent &event)> name;
    };

    QList<Scope> scopes(const EmulatorArguments &args, bool contentsOfDirectories, bool withDirectory);
    Scope wholeVob(const QString &vobTag);
    // An object selector's history: vob:, or a type's (attype:NAME@vob) since it was last made.
    Scope objectScope(const QString &selector);
    QString attributeField(const SandboxEvent &event, const QString &modifiers, const QString &only) const;
    QList<Entry> entries(const QList<Scope> &scopes);
    bool isCheckedOut(const QString &vobTag, const SandboxEvent &event);
    QString line(const Entry &entry, const QString &fromVersion);
    QString formatted(const QString &format, const Entry &entry);
    QString versionName(const Entry &entry);

    SandboxStore &m_store;
    SandboxPathResolver &m_resolver;
    QString m_user;
};
