#pragma once

#include "clearcase/ClearCase.h"

#include <QDateTime>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// Rows of the sandbox store, shared by the sandbox backend, its command interpreter and the
// cleartool emulator.

struct SandboxView {
    QString tag;
    QString host;       // "" = this computer
    QString owner;
    bool snapshot = false;
    bool active = false;
    QString configSpec;
};

struct SandboxVob {
    QString tag;        // with its leading backslash, e.g. \proj
    bool ucmProject = false;
    bool mounted = true;
};

struct SandboxAttributeType {
    QString name;
    int valueType = 8;
    QString comment;
    QDateTime created;
};

struct SandboxTriggerType {
    QString name;
    int kind = 0;                      // 0 type, 2 all element, 4 all UCM object
    int firing = 1;                    // 1 pre-operation, 2 post-operation
    QStringList operations;            // operation kind names, e.g. MODIFY_TYPE
    QStringList exemptUsers;
    QList<TriggerTypeDefinition::Action> actions;
    QList<QPair<QString, QString>> inclusions; // type kind ("attype") and its list ("-all" or names)
    QString comment;
    QDateTime created;
    QString creator;
};

// A lock as cleartool lock made it: everyone but the excepted users (-nusers) is refused;
// an obsolete lock excepts nobody.
struct SandboxLock {
    QStringList exceptedUsers;
    bool obsolete = false;
};

struct SandboxType {
    QString name;
    QString comment;
    QDateTime created;
    QString creator;
};

// One event of an object's history as lshistory shows it: what was done (the operation and
// its event text, "checkin" / "create version"), by whom, where, when, with which comment.
// The object is an element's path or an object key; version names the element's version
// ("/main/2", "/main/CHECKEDOUT") when the event is on one; view and detail hold what a
// checkout keeps (its view, "reserved" or "unreserved").
struct SandboxEvent {
    qint64 id = 0; // 0 until recorded
    QString object;
    QString version;
    QString operation;
    QString description;
    QString user;
    QString host;
    QDateTime time;
    QString comment;
    QString view;
    QString detail;
};
