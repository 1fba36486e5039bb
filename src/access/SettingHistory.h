#pragma once

#include "access/AccessSettings.h"
#include "clearcase/ClearCase.h"

#include <QDateTime>
#include <QList>
#include <QString>

// Who set, changed or removed each access setting of an element, when, from which host and
// with which value, read from ClearCase's own event records, so that a change made with any
// tool shows. The VOB root's history also holds the recorded privileged list and the VOB's
// trigger types. The edit mark and other attributes are left out.
class SettingHistory
{
public:
    struct Change {
        enum Action { Set, Changed, Removed, Made }; // Made: a trigger type

        QDateTime time;
        QString user;
        QString host;
        QString setting;   // the operation, "groups", "privileged list" or "trigger type NAME"
        QString operation; // the operation of an operation setting, else ""
        Action action = Set;
        bool hasValue = false; // false for a removal, or a value ClearCase did not record
        QString value;
        QString comment;
    };

    explicit SettingHistory(ClearCase &clearCase) : m_clearCase(clearCase) {}

    // Oldest first.
    QList<Change> of(const ElementLocation &location);

    // The changes of one operation's setting (all when operation is ""), made at or after
    // since (all when it is invalid).
    static QList<Change> filtered(const QList<Change> &changes, const QString &operation, const QDateTime &since);
    static QString actionName(Change::Action action);

private:
    QList<Change> attributeChanges(const QString &versionPath, bool vobRoot);
    QList<Change> triggerTypeChanges(const QString &vobTag);
    static QString settingOf(const QString &typeName, bool vobRoot);
    static Change changeOf(const HistoryEvent &event, const QString &setting);

    ClearCase &m_clearCase;
};
