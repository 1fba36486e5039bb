#pragma once

#include "clearcase/sandbox/SandboxRecords.h"

#include <QList>
#include <QString>
#include <optional>

class SandboxStore;

// The event records a sandbox VOB keeps, as cleartool's lshistory lists them, signed with the
// acting user and host and stamped with the time. The emulator and the sandbox backend both
// record through this class, so an edit made either way reads the same.
//
// An event (SandboxEvent) has an object (an element's path, "" the VOB root, or an object key:
// "/vob", "/attype:NAME", "/trtype:NAME", ...), a version ("/main/0", "/main/CHECKEDOUT", or ""
// for an event on the element or on an object), an operation (%o: the command's name), a
// description (%e: the event text without the quoted object name lshistory puts after it), a
// comment and a detail:
//
//   command     object        version   operation  description                                   detail
//   mkattr      path / key    /main/0   mkattr     make attribute "ACL" on version                the value as given: "bob,ALL"
//   rmattr      path / key    /main/0   rmattr     destroy attribute "ACL" on version             ""
//   mkattype    /attype:ACL             mkattype   create attribute type                          ""
//   mktrtype    /trtype:T               mktrtype   create trigger type                            ""
//   rmtype      /vob                    rmtype     destroy attribute type "ACL" in versioned object base   the type's key: /attype:ACL
//   lock        key or path             lock       lock attribute type "ACL"                      the object as named: attribute type "ACL"
//   unlock      key or path             unlock     unlock attribute type "ACL"                    the same
//   checkout    path          /main/CHECKEDOUT  checkout  checkout version                        reserved | unreserved
//   checkin     path          /main/N   checkin    create version                                 ""
//   mkelem      path                    mkelem     create file element                            ""
//
// "on version" reads "on directory version" for a directory, "on attribute type" (the kind's
// name) for a type, "on versioned object base" for the VOB. Events that are not of an element's
// own making (attributes, types, locks) are minor: lshistory lists them only with -minor.
class SandboxHistory
{
public:
    SandboxHistory(SandboxStore &store, QString user, QString host);

    // "attribute type" for "attype", ...; "" for an unknown kind.
    static QString kindName(const QString &kind);
    // Whether lshistory lists the operation's events only with -minor.
    static bool isMinor(const QString &operation);

    void record(const QString &vobTag, const QString &object, const QString &operation, const QString &description,
                const QString &comment, const QString &version = {}, const QString &view = {}, const QString &detail = {});
    // An attribute made (or its value replaced) and removed on an element's version (object a
    // path, version "/main/0") or on an object (an object key, version ""). valueText is the
    // value as the command took it, a string with its double quotes.
    void attributeMade(const QString &vobTag, const QString &object, const QString &version, const QString &typeName,
                       const QString &valueText, const QString &comment);
    void attributeRemoved(const QString &vobTag, const QString &object, const QString &version, const QString &typeName,
                          const QString &comment);
    // A type of the kind ("attype", "trtype", ...) made or removed.
    void typeMade(const QString &vobTag, const QString &kind, const QString &name, const QString &comment);
    void typeRemoved(const QString &vobTag, const QString &kind, const QString &name, const QString &comment);

    // The object's events, oldest first; of a type, those since it was last made.
    QList<SandboxEvent> eventsOf(const QString &vobTag, const QString &object);
    // The latest event that made the element's version (in the view, when one is given); none
    // for versions made before events were kept (the seeded site).
    std::optional<SandboxEvent> versionEvent(const QString &vobTag, const QString &path, const QString &version,
                                             const QString &view = {});

private:
    // How the event text names the kind of object: "version", "directory version", "label type", ...
    QString objectKind(const QString &vobTag, const QString &object, const QString &version) const;

    SandboxStore &m_store;
    QString m_user;
    QString m_host;
};
