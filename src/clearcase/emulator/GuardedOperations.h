#pragma once

#include "clearcase/sandbox/SandboxHistory.h"
#include "clearcase/emulator/TriggerRunner.h"
#include "clearcase/sandbox/SandboxCommands.h"
#include "clearcase/sandbox/SandboxPathResolver.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class EmulatorArguments;
class SandboxStore;

// The operations ClearCase guards with pre-operation triggers, for the cleartool emulator.
// Element operations (checkout, checkin, uncheckout, mkbranch, rmelem, lock, unlock, rmname,
// mkelem, mklabel, reserve, unreserve, protect, chtype, lnname, mkslink) fire the VOB's
// all-element triggers; type operations (mkattype, mklbtype, mkeltype, mkhltype, mkbrtype,
// mktrtype, rmtype, rntype, lock and unlock of a type) fire its type triggers. A refusal
// cancels the operation with ClearCase's warning and error lines. Once allowed, checkout,
// checkin and uncheckout keep the checkout state (a second checkout, or a checkin without
// one, fails as in ClearCase), mkelem makes the element, mk<kind>type keeps the type, and
// lock, unlock, rntype, mklabel and mkbranch need their type to exist; the others only
// report success. The triggers run before these checks.
//
// mkattr and rmattr fire the element triggers (MODIFY_MD) on versions and the type triggers
// on type objects. Removing, renaming, locking or redefining a type, and locking or unlocking
// an element, is further allowed only to the object's owner, the VOB owner (the owner of the
// VOB's storage folder) or root, as in ClearCase; mkelem refuses the names ".", ".." and "".
// A command naming many objects goes on past a failed one (OperandOutcomes).
//
// checkout, checkin, mkelem and mk<kind>type record their events with their comments
// (SandboxHistory).
//
// lock and unlock keep their locks (SandboxLocks), which then hold back, after the triggers,
// every change to the locked VOB, type or element by users the lock does not except.
//
// The acting user is the one it is made for (cleartool-sim passes CLEARCASE_USER, else the
// login name). A type operation's view is the one the working folder lies in
// (m:\<view>\...), else the one CLEARCASE_ROOT names.
//
// Held by a shared pointer: the handlers it registers keep it alive.
class GuardedOperations : public std::enable_shared_from_this<GuardedOperations>
{
public:
    // The resolver is the emulator's (its working directory decides relative pathnames);
    // viewStorage names a view as "host:storage path" for checkout errors.
    GuardedOperations(SandboxStore &store, QString loginName, QString localHost, SandboxPathResolver &resolver,
                      std::function<QString(const QString &viewTag)> viewStorage);

    // Registers the element operations and the type operations the emulator lacks.
    void addOperations(SandboxCommands &commands);
    // The handler of one of the emulator's own commands, guarded when it is a type
    // operation (mkattype, mktrtype, rmtype), else unchanged.
    SandboxCommands::Handler guard(const QString &command, SandboxCommands::Handler handler);
    // The objects of an attribute change (mkattr, rmattr) that its triggers or locks hold
    // back, by their place among the objects, with their error lines. The command's handler
    // asks first and leaves those out.
    QMap<int, QString> heldBackAttributeTargets(const QString &command, const QStringList &words);
    QString runAttributeChange(const QString &command, const QStringList &words, const SandboxCommands::Handler &handler);

    QString actingUser() const;
    QString currentViewTag() const;

private:
    struct ElementOperation {
        QString command;            // its options and comment default: EmulatorSyntax
        QString operation;          // the kind triggers see
        int leadingOperands;        // words before the pathnames (branch type, label, ...)
        QString done;               // %1 pathname, %2 first leading operand, %3 version, %4 branch
        QString failed;
    };

    QString checkinComment(const EmulatorArguments &args, const SandboxPathResolver::Element &element);
    QString runElementOperation(const ElementOperation &spec, const QStringList &words);
    QString perform(const ElementOperation &spec, const EmulatorArguments &args, const QString &pname, const QString &leading,
                    const SandboxPathResolver::Element &element);
    // Who may perform a type operation once its triggers let it through; SkipTriggers is
    // rmtype -ignore (no triggers, the owner rule still holds).
    enum class Ownership { Anyone, Owner, SkipTriggers };

    SandboxPathResolver::Element guardElement(const ElementOperation &spec, const QString &pname, const QString &leading, const QString &commandLine,
                      const QHash<QString, QString> &extraVariables = {});
    void requireUnlockedAttributeTarget(const QString &command, const QString &operand, const QString &typeName,
                                        const QString &version, const QString &failedLine);
    bool anyElementTrigger(const QString &operation);
    QString runTypeOperation(const QString &operation, const QString &typeKind, const QStringList &selectors,
                             const QString &commandLine, const std::function<QString(const QString &)> &failedLine,
                             Ownership ownership);
    void guardType(const QString &operation, const QString &typeKind, const QString &selector, const QString &commandLine,
                   const QString &failedLine, Ownership ownership = Ownership::Anyone);
    void requireOwnership(const QString &operation, const QString &kind, const QString &name, const QString &vobTag,
                          const QString &failedLine);
    QString rntype(const QStringList &words);
    QString mkKeptType(const QString &kind, const QStringList &words);
    QString lockOrUnlock(const ElementOperation &spec, const QStringList &words);
    [[noreturn]] void refuse(const TriggerRunner::Refusal &refusal, const QString &operation, const QString &failedLine);

    static QList<ElementOperation> elementOperations();

    SandboxStore &m_store;
    QString m_login;
    SandboxPathResolver &m_resolver;
    std::function<QString(const QString &)> m_viewStorage;
    TriggerRunner m_runner;
    SandboxHistory m_history;
};
