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
        QString typeKind;        // CLEARCASE_MTYPE: "label type", "attribute type", "version", ...
        bool typeTarget = false; // the operation acts on a type object, not an element
        // mkattr/rmattr: the attribute type; type operations: the type's name. Nothing when
        // it is an ordinary name; "" when ClearCase did not name it (which fails closed).
        std::optional<QString> changedType;
    };

    struct Policy {
        QStringList administrators;       // the script's list; empty when none is configured
        QString privilegedList;           // the list in force
        bool privilegedListRecorded = false;
        QString vobOwner;                 // DOMAIN\\name or name
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
    // The catalogue's mk<kind>type names ClearCase reports as mktype of that kind. The type
    // changed, when given, is a type selector (lbtype:REL, attype:__checkout, trtype:NAME) or,
    // for mkattr and rmattr, an attribute type name.
    static Request fromCatalogueOperation(const QString &user, const QString &operation,
                                          const QString &changedType = QString());

    static bool isToolAttributeType(const QString &typeName);
    static bool isToolTriggerType(const QString &typeName);
    static bool isTypeOperation(const QString &operation);
    static bool isNameCreating(const QString &operation);
    // True when the user occurs among the names, ignoring case; empty names match nobody.
    // A letter folds only when its lowercase form turns back into it, so look-alikes such as
    // the Kelvin sign never pass for "k".
    static bool isListed(const QString &user, const QStringList &names);
    static QString foldCase(const QString &text);

private:
    // The tool's own attribute or trigger type the operation changes, in words; "" for none.
    static QString toolObjectChanged(const Request &request);
    static Verdict decideToolObject(const Request &request, const QString &object, const Policy &policy);
    static bool allows(const QString &value, const QString &user, QString &reason);
};
