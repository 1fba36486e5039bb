#pragma once

#include "clearcase/ClearCase.h"

#include <QHash>
#include <QMap>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <optional>

class QProcess;
class SandboxStore;
struct SandboxTriggerType;

// Runs the pre-operation triggers of a VOB before an emulated operation, as ClearCase does:
// every matching trigger type whose exempt users do not include the acting user runs its
// action for this client platform with ClearCase's trigger environment; the first action
// that exits non-zero cancels the operation. The actions' output goes straight through.
//
// Action commands are run without a shell: "ccperl" and "Perl" stand for perl, and
// drive-letter paths (c:\triggers\x.pl) are mapped through the sandbox's drives (the site's,
// never the caller's ZAN_DRIVES). A UNC path (\\host\share\...) cannot be reached here: such
// an action fails and so refuses the operation. The scripts reach cleartool through
// <sandbox>/bin/cleartool (CleartoolEmulator::installAsCleartool), put first on their PATH.
//
// An action does not inherit the caller's Perl tuning (PERL5OPT, PERL5LIB, ...) or ZAN_*
// variables, gets a temporary folder of its own (removed afterwards) and runs within a time
// limit (ZAN_TRIGGER_TIME_LIMIT seconds, default 60): past it, the action and everything it
// started are killed and the operation is refused.
class TriggerRunner
{
public:
    // One firing: the operation kind as triggers see it and where it happens.
    struct Firing {
        QString operation;        // CLEARCASE_OP_KIND, e.g. "checkout", "rmtype"
        QString vobTag;
        bool onType = false;      // a type operation (type triggers) or an element one
        QString typeKind;         // for type operations: "attype", "lbtype", ...
        QString typeName;
        QHash<QString, QString> variables; // the rest of the trigger environment
    };

    struct Refusal {
        QString triggerName;
        QStringList notes;        // extra warning lines, e.g. an action that could not run
    };

    static constexpr int defaultTimeLimitMs = 60000;

    explicit TriggerRunner(SandboxStore &store);

    // Runs the triggers guarding the firing; the refusal of the first one that says no.
    std::optional<Refusal> runPreOperation(const Firing &firing, const QString &user);

    // Whether any trigger of the VOB could fire for the operation by the user (a type
    // operation's triggers may still leave the type out). When none could, a command over
    // many objects need not prepare a firing for each.
    bool mayFire(const QString &vobTag, const QString &operation, bool onType, const QString &user);

    // Whether a trigger type's operation kinds (names or groups such as MODIFY_ELEM) take in
    // the operation.
    static bool covers(const QStringList &operationKinds, const QString &operation, bool onType);

private:
    bool fires(const SandboxTriggerType &type, const Firing &firing, const QString &user) const;
    static bool guards(const SandboxTriggerType &type, const QString &operation, bool onType, const QString &user);
    std::optional<Refusal> runActions(const SandboxTriggerType &type, const QProcessEnvironment &environment);
    std::optional<QString> runAction(const TriggerTypeDefinition::Action &action, const QProcessEnvironment &environment);
    QStringList actionWords(const TriggerTypeDefinition::Action &action) const;
    QProcessEnvironment environment(const Firing &firing, const SandboxTriggerType &type, const QString &user) const;
    QString hostPath(const QString &path) const;
    QString cleartoolFolder() const;
    static void killTree(QProcess &process);

    SandboxStore &m_store;
    QMap<QChar, QString> m_drives;
    int m_timeLimitMs;
};
