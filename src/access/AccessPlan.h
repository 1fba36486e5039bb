#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// What an apply or a purge will change, target by target, before anything is written:
// the dry run prints it and the window's "Preview…" shows it.
struct SettingChange {
    QString typeName;              // "__" + operation, or "QX_GROUPS"
    std::optional<QString> before; // empty optional: no such attribute
    std::optional<QString> after;
    QStringList gained;            // users (operations) or groups ("QX_GROUPS")
    QStringList lost;

    QString label() const;         // the operation, or "groups"
    bool changes() const { return before != after; }
};

struct TargetPlan {
    QString target;                // the element as written; the VOB root as root + "\."
    bool isVobRoot = false;        // an apply asks before writing it
    QString error;                 // why the target cannot be read; empty when it can
    QList<SettingChange> changes;  // every attribute the apply writes or the purge removes

    bool changesAnything() const;
};

class AccessPlan
{
public:
    enum class Kind { Apply, Purge };

    Kind kind = Kind::Apply;
    QString base;                  // the element copied from (apply only)
    QList<TargetPlan> targets;     // in checked order, skipped ones left out
    QStringList skipped;           // the base and paths that are no element (apply only)

    // One line per target, then one indented line per setting that changes, e.g.
    //   m:\v\proj\src\main.c
    //     checkout: gains carol; loses bob
    //     groups: new (devs)
    QString describe() const;
    int changedTargetCount() const;
};
