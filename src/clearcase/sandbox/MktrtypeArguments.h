#pragma once

#include "clearcase/sandbox/SandboxRecords.h"

#include <QStringList>

// The arguments of one mktrtype command, read with cleartool's rules: one trigger kind
// (-element, -type or -ucmobject, with -all), -preop or -postop with operation kinds, at
// least one action (-exec, -execunix, -execwin), the inclusion list of a type trigger,
// optional -nusers, -replace, -print and a comment option, then the type selectors.
// Malformed arguments throw ZanError with cleartool's error line.
struct MktrtypeArguments {
    SandboxTriggerType type;   // name left empty: each selector names one
    bool replace = false;
    QStringList selectors;     // NAME@VOB or trtype:NAME@VOB

    static MktrtypeArguments parse(const QStringList &arguments);

    // Operation kinds cleartool accepts for -preop/-postop.
    static bool isOperationKind(const QString &name);
};
