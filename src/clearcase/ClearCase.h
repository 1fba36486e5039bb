#pragma once

#include "clearcase/SiteStyle.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// A view as the program sees it.
struct ViewInfo {
    QString tag;
    QString host;
    bool snapshot = false;
    bool active = false;
    QString configSpec;
};

// One attribute on a version: its type name and its value as text.
struct AttributeInfo {
    QString typeName;
    QString value;
};

// Attribute types to remove from one version.
struct AttributeRemoval {
    QString versionPath;
    QStringList typeNames;
};

// One event of an object's history as ClearCase records it: who did what, when, from which
// host. An attribute event names its attribute type in `subject` and, where ClearCase
// records it, the value; a type event names the type.
struct HistoryEvent {
    enum Kind { Other, AttributeAttached, AttributeRemoved, TypeCreated, TypeRemoved };

    QDateTime time;
    QString user;
    QString host;
    Kind kind = Other;
    QString subject;
    bool hasValue = false;
    QString value;
    QString description; // ClearCase's own text of the event
    QString comment;
};

// A trigger type to be created, as the trigger-type definition object collects it.
// Codes are the ClearCase Automation Library's own enumeration values:
//   kind:   2 = all elements, 4 = all UCM objects (0 = type trigger)
//   firing: 1 = pre-operation
//   operation kinds: 1 MODIFY_TYPE, 2 MODIFY_ELEM, 3 MODIFY_DATA, 4 MODIFY_MD, 88 MODIFY_UCM
struct TriggerTypeDefinition {
    enum ActionTarget { AllClients, WindowsClients, UnixClients };
    struct Action {
        ActionTarget target;
        QString command;
    };

    QString name;
    int kind = 0;
    int firing = 0;
    QList<int> operationKinds;
    QStringList exemptUsers;
    QList<Action> actions;
    QString comment;
};

// Every ClearCase operation the program needs, by role. Every failure is thrown as a
// ZanError whose description reads like ClearCase's own message.
//
// Paths are the program's element paths (m:\view\vob\dir\file); a version path is such a
// path followed by "@@/main/0". The VOB root directory may be written with a trailing
// "\." or "\" before the "@@".
class ClearCase
{
public:
    virtual ~ClearCase() = default;

    // Which backend this is and where its data lives (shown in the About box).
    virtual QString description() const = 0;

    // How the site writes its paths: Windows until the factory adopts the backend's style.
    const SiteStyle &siteStyle() const { return m_siteStyle; }
    void setSiteStyle(const SiteStyle &style) { m_siteStyle = style; }

    virtual void requireVob(const QString &vobTag) = 0;                 // VOB by tag
    virtual void requireVersion(const QString &path) = 0;               // version by path
    virtual ViewInfo viewByTag(const QString &tag) = 0;                 // view by tag
    virtual QList<ViewInfo> allViews() = 0;                             // tag and host of each
    virtual void requireUcmProjectVob(const QString &vobTag) = 0;       // throws unless a UCM project VOB

    virtual QStringList triggerTypeNames(const QString &vobTag) = 0;
    // Removes a trigger type even when a pre-operation trigger would refuse it (cleartool's
    // "rmtype -ignore"), so that a broken trigger never locks out its own repair.
    virtual void removeTriggerType(const QString &vobTag, const QString &name) = 0;
    virtual void createTriggerType(const QString &vobTag, const TriggerTypeDefinition &definition) = 0;

    virtual QStringList attributeTypeNames(const QString &vobTag) = 0;
    // valueType 8 is the library's code for types that hold text.
    virtual void createAttributeType(const QString &vobTag, const QString &name, int valueType,
                                     const QString &comment) = 0;
    virtual void attachAttribute(const QString &vobTag, const QString &typeName, const QString &versionPath,
                                 const QString &value, const QString &comment, bool replace) = 0;
    virtual QList<AttributeInfo> attributes(const QString &versionPath) = 0;
    virtual void removeAttribute(const QString &versionPath, const QString &typeName, const QString &comment) = 0;

    // Batches over many versions, for applies and purges. Callers keep each batch within a
    // chunk (a few hundred paths); a backend may split it further. The defaults make one
    // call per path.
    // The paths that name a version, in the given order; the others are left out.
    virtual QStringList existingVersions(const QStringList &paths);
    // Attaches every value (type name and value) to every version, replacing what is there.
    // Throws when any write fails; which writes happened is then unknown (the sandbox makes
    // none), so callers retry one version at a time to find the failures.
    virtual void attachAttributes(const QString &vobTag, const QList<AttributeInfo> &values,
                                  const QStringList &versionPaths, const QString &comment);
    // Attaches the value to every version that does not carry its type yet, never replacing;
    // where that fails (the type is there already, or for any other reason) the version is
    // left as it was and nothing is thrown: callers read the versions back. Throws only when
    // ClearCase cannot be reached.
    virtual void attachWhereAbsent(const QString &vobTag, const AttributeInfo &value, const QStringList &versionPaths);
    // The attributes of each version, in order; throws when any version cannot be read.
    virtual QList<QList<AttributeInfo>> attributesOfVersions(const QStringList &versionPaths);
    // Removes the named attributes, each with an empty comment; throws when any removal fails.
    virtual void removeAttributes(const QList<AttributeRemoval> &removals);

    // The events of an object, attribute and type changes included (lshistory -minor),
    // oldest first. object: a version path, or an object selector: "vob:" + VOB tag, or
    // "attype:"/"trtype:" + name + "@" + VOB tag.
    virtual QList<HistoryEvent> history(const QString &object) = 0;

    // One cleartool command line without the word "cleartool"; returns its output.
    virtual QString runCommand(const QString &commandLine) = 0;

private:
    SiteStyle m_siteStyle;
};
