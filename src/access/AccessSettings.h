#pragma once

#include "clearcase/SiteStyle.h"

#include <QList>
#include <QString>
#include <QStringList>

// Widget-free values of the access core: where an element is, and what it carries.

// An element as the access core addresses it. The VOB root directory is written as
// vobRoot + separator + "." (rootElement()); a path equal to vobRoot itself stands for it too.
struct ElementLocation {
    QString path;    // m:\view\vob\dir\file
    QString vobRoot; // m:\view\vob
    QString vobTag;  // \vob
    SiteStyle site{}; // how the paths are written

    QString rootElement() const { return site.vobRootElement(vobRoot); }
    // The path as an element: vobRoot alone becomes rootElement().
    QString element() const { return path == vobRoot ? rootElement() : path; }
    bool isVobRoot() const { return element() == rootElement(); }
    ElementLocation at(const QString &otherPath) const { return {otherPath, vobRoot, vobTag, site}; }
};

// Which version carries the setting that is enforced for an operation on an element.
enum class SettingHome { Element, VobRoot };

// One operation's setting as it is enforced on an element.
struct OperationSetting {
    QString operation;
    SettingHome home = SettingHome::Element; // VobRoot when privileged by the list in force
    bool isSet = false;                      // an attribute "__"+operation exists at home
    QString value;                           // its value ("" when not set)
    QStringList users;                       // the value's users ("NONE" is no user)
    // A privileged operation may also sit on an ordinary element (copied there by an
    // apply); that copy is never enforced and never shown as the setting.
    bool hasElementCopy = false;
    QString elementCopy;
};

// Everything the panel and the command line show for one element.
struct ElementSettings {
    ElementLocation location;
    QString privilegedList;                  // the list the homes were decided by
    QList<OperationSetting> operations;      // the element's own "__" attributes, in order
    QList<OperationSetting> vobWideSettings; // privileged settings on the VOB root the element does not list
    QStringList groups;                      // "QX_GROUPS" of the element
    bool hasGroupsAttribute = false;

    const OperationSetting *find(const QString &operation) const
    {
        for (const OperationSetting &setting : operations) {
            if (setting.operation == operation)
                return &setting;
        }
        for (const OperationSetting &setting : vobWideSettings) {
            if (setting.operation == operation)
                return &setting;
        }
        return nullptr;
    }
};
