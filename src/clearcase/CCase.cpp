#include "clearcase/CCase.h"

#include "platform/Platform.h"
#include "util/AppInfo.h"
#include "util/ListRoutines.h"
#include "util/Prompter.h"
#include "util/TextRoutines.h"
#include "util/ZanError.h"

namespace {

const QString kAttributeComment = QStringLiteral("Korvane Zan Tool: Do NOT REMOVE");
constexpr int kStringValueType = 8;

// The "ERROR::" report most routines share; call it inside a catch block.
void reportRoutineError(Prompter &prompter, const QString &routine)
{
    const ZanError e = ZanError::current(QStringLiteral("ccase"));
    prompter.message(QStringLiteral("ERROR::") + e.description() + AppInfo::crlf + routine, QStringLiteral("Error..."),
                     Prompter::Icon::Critical);
}

} // namespace

CCase::CCase(ClearCaseSource clearCase, Prompter &prompter, Platform &platform)
    : m_clearCase(std::move(clearCase)), m_prompter(prompter), m_platform(platform)
{
}

ClearCase &CCase::clearCase() { return m_clearCase(); }

QString CCase::getVobRootFromElemPath(const QString &path, const SiteStyle &site)
{
    try {
        return site.vobRootOf(path);
    } catch (const std::exception &) {
        const ZanError e = ZanError::current(QStringLiteral("ccase"));
        m_prompter.message(QStringLiteral("Error:: ") + e.description() + AppInfo::crlf
                               + QStringLiteral("ccase:getVobRootFromElemPath()"),
                           QStringLiteral("Error..."), Prompter::Icon::Critical);
        return QString();
    }
}

bool CCase::isTrTypeExist(const QString &name, const QString &vobTag)
{
    try {
        ClearCase &cc = clearCase();
        cc.requireVob(vobTag);
        return cc.triggerTypeNames(vobTag).contains(name, Qt::CaseSensitive);
    } catch (const std::exception &) {
        reportRoutineError(m_prompter, QStringLiteral("ccase:isTrTypeExist"));
        return false;
    }
}

void CCase::getAttrListOnElem(ItemList list, const QString &path, bool ignoreErrors, bool toolOnly,
                              const QString &sep, const QString &rootMarker)
{
    const QString delimiter = sep + sep;
    QList<AttributeInfo> found;
    try {
        ClearCase &cc = clearCase();
        const QString version = rootMarker.isEmpty() ? SiteStyle::versionOf(path) : cc.siteStyle().rootVersionOf(path);
        cc.requireVersion(version);
        list.clear();
        found = cc.attributes(version);
    } catch (const std::exception &) {
        // Skipping the error still leaves the list empty rather than showing the operations
        // of the element selected before.
        if (ignoreErrors)
            list.clear();
        else
            reportRoutineError(m_prompter, QStringLiteral("ccase:getAttrListOnElem"));
        return;
    }
    for (const AttributeInfo &attribute : found) {
        const QString token = TextRoutines::getLastToken(attribute.typeName, delimiter);
        if (ListRoutines::is_dup_list(token, list))
            continue;
        if (!toolOnly || attribute.typeName.contains(delimiter))
            list.add(token);
    }
}

QString CCase::getAttrValueOnElem(const QString &typeName, const QString &path)
{
    try {
        for (const AttributeInfo &attribute : clearCase().attributes(SiteStyle::versionOf(path))) {
            if (attribute.typeName == typeName)
                return attribute.value;
        }
    } catch (const std::exception &) {
        reportRoutineError(m_prompter, QStringLiteral("ccase:getAttrValueOnElem"));
    }
    return QString();
}

bool CCase::isAttrOnElem(const QString &typeName, const QString &path)
{
    try {
        for (const AttributeInfo &attribute : clearCase().attributes(SiteStyle::versionOf(path))) {
            if (attribute.typeName == typeName)
                return true;
        }
    } catch (const std::exception &) {
        reportRoutineError(m_prompter, QStringLiteral("ccase:isAttrOnElem"));
    }
    return false;
}

bool CCase::makeAttype(const QString &vobTag, const QString &typeName, const QString &comment)
{
    try {
        ClearCase &cc = clearCase();
        cc.requireVob(vobTag);
        if (!isAttypeExist(typeName, vobTag))
            cc.createAttributeType(vobTag, typeName, kStringValueType, comment);
        return true;
    } catch (const std::exception &) {
        reportRoutineError(m_prompter, QStringLiteral("ccase:makeAttype"));
        return false;
    }
}

bool CCase::addCCAttrToElem(const QString &typeName, const QString &value, const QString &path,
                            const QString &vobTag, bool replace)
{
    try {
        ClearCase &cc = clearCase();
        const QString version = SiteStyle::versionOf(path);
        cc.requireVob(vobTag);
        cc.requireVersion(version);
        cc.attachAttribute(vobTag, typeName, version, value, kAttributeComment, replace);
        return true;
    } catch (const std::exception &) {
        const ZanError e = ZanError::current(QStringLiteral("ccase"));
        m_prompter.message(QStringLiteral("ERROR::") + e.description() + AppInfo::crlf + QStringLiteral("addCCAttrToElem()::"),
                           QStringLiteral("Error..."), Prompter::Icon::Information);
        return false;
    }
}

bool CCase::isAttypeExist(const QString &typeName, const QString &vobTag)
{
    try {
        ClearCase &cc = clearCase();
        cc.requireVob(vobTag);
        return cc.attributeTypeNames(vobTag).contains(typeName, Qt::CaseSensitive);
    } catch (const ZanError &e) {
        // Callers take "no" for an answer and create the type, which then reports the failure.
        qWarning("ccase:isAttypeExist: %s", e.what());
        return false;
    }
}

bool CCase::isCCElement(const QString &path)
{
    try {
        clearCase().requireVersion(path);
        return true;
    } catch (const ZanError &) {
        return false; // the failure is the answer: no element
    }
}

bool CCase::isUcmProjectVob(const QString &vobTag, bool showErrors)
{
    try {
        clearCase().requireUcmProjectVob(vobTag);
        return true;
    } catch (const std::exception &) {
        const ZanError e = ZanError::current(QStringLiteral("ccase"));
        if (showErrors)
            m_prompter.message(QStringLiteral("Error::") + e.description() + AppInfo::crlf
                                   + QStringLiteral("Couldn't get trigger info."),
                               QStringLiteral("Error.."), Prompter::Icon::Critical);
        return false;
    }
}

void CCase::getViewsList(bool hostOnly, bool myViewsOnly, ItemList list, const StatusSink &statusBar)
{
    try {
        const QString host = TextRoutines::stripNonAnsi(m_platform.computerName().toLower()).section(QLatin1Char(' '), 0, 0);
        const QString user = myViewsOnly ? m_platform.loginName().toLower() : QString();
        for (const ViewInfo &view : clearCase().allViews()) {
            m_platform.processEvents();
            QString tag = view.tag;
            if (hostOnly && view.host.toLower() != host)
                tag = QStringLiteral("NONE");
            if (tag == QLatin1String("NONE") || ListRoutines::is_dup_list(tag, list))
                continue;
            if (!myViewsOnly || tag.toLower().contains(user))
                list.add(tag);
            if (statusBar)
                statusBar(QStringLiteral("Adding view --> ") + tag);
        }
    } catch (const std::exception &) {
        const ZanError e = ZanError::current(QStringLiteral("ccase"));
        m_prompter.message(QStringLiteral("Error::") + e.description() + AppInfo::crlf + QStringLiteral("getViewsList()"),
                           QStringLiteral("Error.."), Prompter::Icon::Critical);
    }
}
