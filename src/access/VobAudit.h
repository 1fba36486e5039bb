#pragma once

#include "access/VobEnforcement.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class ClearCase;
class Platform;
class SiteStyle;
struct AttributeInfo;

// Every element of a VOB that carries access settings, one row per element and operation,
// with the VOB's trigger status and the privileged list in force. The elements are found by
// walking the VOB's folder in the view; entries ClearCase does not know (view-private
// files) are passed over.
class VobAudit
{
public:
    struct Row {
        QString path;            // the element; the VOB root directory as root + "\."
        QString folder;          // its directory, for grouping
        QString operation;
        QString value;           // the attribute's value as stored
        QStringList users;
        QStringList groups;      // the element's "QX_GROUPS"
        bool onVobRoot = false;
        bool privileged = false; // by the list in force
        // Nobody but an administrator may: the value lists no user and not ALL.
        bool refusesEveryone() const;
    };
    // One element carrying settings, as read.
    struct Element {
        QString path;
        QList<AttributeInfo> attributes;
    };

    using Progress = std::function<void(int elementsSeen)>;

    // vobRoot: m:\view\vob. Throws ZanError when the VOB root cannot be read.
    static VobAudit run(ClearCase &clearCase, const Platform &platform, const QString &vobRoot,
                        const Progress &progress = {});

    QString vobRoot;
    QString vobTag;
    QString privilegedList;
    bool privilegedListRecorded = false;
    VobEnforcement enforcement;
    QList<Element> elements;   // those with settings, in walk order
    QList<Row> rows;
    int elementsSeen = 0;

private:
    void addRows(const Element &element, const SiteStyle &site);
};
