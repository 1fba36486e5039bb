#pragma once

#include <QString>

// What a group or member name may be. Group definitions live in the same settings section
// as the program's own settings, under the group's name, and both names and members are
// kept as comma lists. So a comma would split a name in two on the next read, and a group
// named like a setting ("NUSERS", "QXGROUPS", "NTLocproj", ...) would overwrite it.
class GroupNameRules
{
public:
    static inline const QString refusalTitle = QStringLiteral("Invalid name");

    // True when the name is (case-insensitively) the key of one of the program's settings,
    // or may become one: the per-VOB trigger keys are a prefix followed by any VOB name.
    static bool isSettingKey(const QString &name);

    // Why a typed name cannot be added; "" when it can.
    static QString groupNameProblem(const QString &name);
    static QString memberNameProblem(const QString &name);

    // Why the members of an existing group cannot be stored under its name (an empty name,
    // or a setting's key left over from an older store); "" when they can.
    static QString memberKeyProblem(const QString &group);
};
