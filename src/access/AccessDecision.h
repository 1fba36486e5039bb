#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// "May USER do OPERATION here?", decided the way the security trigger decides it, with the
// chain of reasons in plain words. Plain QtCore: the settings come in through a lookup, so
// the same rules serve the command line, the window and the decision-table test.
//
// Rules, in order: a user that cannot be named is refused; administrators always pass;
// the tool's own attributes and types may be changed only by the administrators (by the
// VOB owner while none are configured); privileged operations (the recorded list, else the
// default) and type operations are governed by the VOB root directory, name-creating ones
// by the directory that receives the name, every other one by the element itself; type
// creation is governed by "__mktype" and by the kind's own "__mk<kind>type", each of which
// must allow when set. A setting allows "ALL" and the users it lists (ignoring case);
// "NONE" and empty pieces allow nobody; no setting at all leaves the operation unrestricted.
class AccessDecision
{
public:
    enum class Place { Element, ParentDirectory, VobRoot };

    struct Request {
        QString user;
        QString operation;       // as ClearCase reports it: checkout, mktype, mkattr, ...
        QString typeKind;        // type operations: "label type", "attribute type", ...
        bool typeTarget = false; // the operation acts on a type object, not an element
        QString changedType;     // mkattr/rmattr: the attribute type; type operations: the type
        bool replace = false;    // mktype -replace
    };

    struct Policy {
        QStringList administrators;       // the script's list; empty when none is configured
        QString privilegedList;           // the list in force
        bool privilegedListRecorded = false;
        QString vobOwner;
    };

    struct Settings {
        // The attribute's value at a place; nullopt when it is absent.
        std::function<std::optional<QString>(Place, const QString &typeName)> value;
        // How to name the place in the explanation (a version path).
        std::function<QString(Place)> where;
    };

    struct Verdict {
        bool allowed = false;
        QStringList chain;
    };

    static Verdict decide(const Request &request, const Policy &policy, const Settings &settings);

    static Place governingPlace(const Request &request, const QString &privilegedList);
    // "__" + operation, and for type creation also the kind's own "__mk<kind>type".
    static QStringList governingTypes(const Request &request);
    // "label type" -> "mklbtype"; "" for an unknown kind.
    static QString kindOperation(const QString &typeKind);
    // The catalogue's mk<kind>type names ClearCase reports as mktype of that kind.
    static Request fromCatalogueOperation(const QString &user, const QString &operation);

    static bool isToolAttributeType(const QString &typeName);
    static bool isToolTriggerType(const QString &typeName);
    static bool isTypeOperation(const QString &operation);
    static bool isNameCreating(const QString &operation);
    // True when the user occurs in the comma list, ignoring case; empty pieces match nobody.
    static bool isListed(const QString &user, const QStringList &names);

private:
    static bool changesToolObject(const Request &request);
    static bool allows(const QString &value, const QString &user, QString &reason);
};
