#pragma once

#include "clearcase/ClearCase.h"
#include "clearcase/SiteStyle.h"
#include "util/ItemList.h"

#include <QString>
#include <functional>

class Platform;
class Prompter;

// The ClearCase routines the rest of the program calls. Each catches its own errors, shows
// its own message and returns its empty value ("" or false); none raises to its caller.
class CCase
{
public:
    using ClearCaseSource = std::function<ClearCase &()>;
    using StatusSink = std::function<void(const QString &)>;

    CCase(ClearCaseSource clearCase, Prompter &prompter, Platform &platform);

    // The shared application object, created on first use.
    ClearCase &clearCase();

    static QString versionOf(const QString &path) { return SiteStyle::versionOf(path); }

    QString getVobRootFromElemPath(const QString &path, const SiteStyle &site);
    bool isTrTypeExist(const QString &name, const QString &vobTag);
    void getAttrListOnElem(ItemList list, const QString &path, bool ignoreErrors, bool toolOnly,
                           const QString &sep, const QString &rootMarker);
    QString getAttrValueOnElem(const QString &typeName, const QString &path);
    bool isAttrOnElem(const QString &typeName, const QString &path);
    bool makeAttype(const QString &vobTag, const QString &typeName, const QString &comment);
    bool addCCAttrToElem(const QString &typeName, const QString &value, const QString &path,
                         const QString &vobTag, bool replace);
    bool isAttypeExist(const QString &typeName, const QString &vobTag);
    bool isCCElement(const QString &path);
    bool isUcmProjectVob(const QString &vobTag, bool showErrors);
    void getViewsList(bool hostOnly, bool myViewsOnly, ItemList list, const StatusSink &statusBar);

private:
    ClearCaseSource m_clearCase;
    Prompter &m_prompter;
    Platform &m_platform;
};
