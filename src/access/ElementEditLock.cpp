#include "access/ElementEditLock.h"

#include "access/AccessAttributeFormat.h"
#include "util/ZanError.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QRandomGenerator>
#include <QSysInfo>
#include <QThread>

#if defined(Q_OS_UNIX)
#include <cerrno>
#include <csignal>
#elif defined(Q_OS_WIN)
#include <windows.h>
#endif

namespace {

const QString component = QStringLiteral("ElementEditLock");
constexpr int stringValueType = 8;

QString currentUser()
{
    const QString user = qEnvironmentVariable("USER", qEnvironmentVariable("USERNAME"));
    return user.isEmpty() ? QStringLiteral("unknown") : user;
}

bool processIsGone(qint64 pid)
{
#if defined(Q_OS_UNIX)
    return ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
#elif defined(Q_OS_WIN)
    const HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(pid));
    if (!process)
        return ::GetLastError() == ERROR_INVALID_PARAMETER;
    DWORD code = 0;
    const bool exited = ::GetExitCodeProcess(process, &code) && code != STILL_ACTIVE;
    ::CloseHandle(process);
    return exited;
#else
    Q_UNUSED(pid);
    return false;
#endif
}

} // namespace

QString ElementEditLock::freshValue()
{
    return QStringLiteral("%1@%2 %3 %4")
        .arg(currentUser(), QSysInfo::machineHostName())
        .arg(QCoreApplication::applicationPid())
        .arg(QDateTime::currentMSecsSinceEpoch());
}

ElementEditLock::ElementEditLock(ClearCase &clearCase, const QString &vobTag, const QString &versionPath)
    : m_clearCase(clearCase), m_vobTag(vobTag), m_version(versionPath)
{
    const QDeadlineTimer deadline(waitMs);
    while (!tryTake()) {
        const QString held = heldValue();
        if (held.isEmpty())
            continue; // released meanwhile
        if (isStale(held)) {
            m_clearCase.removeAttribute(m_version, typeName, QString());
            continue;
        }
        if (deadline.hasExpired())
            throw ZanError(ZanError::ClearCaseFailure, component,
                           QStringLiteral("%1 is being edited by %2; nothing was changed. Try again in a moment.")
                               .arg(m_version, holderOf(held)));
        QThread::msleep(20 + QRandomGenerator::global()->bounded(60));
    }
}

ElementEditLock::~ElementEditLock()
{
    try {
        if (heldValue() == m_value)
            m_clearCase.removeAttribute(m_version, typeName, QString());
    } catch (const ZanError &) {
        // Left behind, the mark goes stale and the next editor takes it over.
    }
}

void ElementEditLock::run(ClearCase &clearCase, const QString &vobTag, const QString &versionPath, const std::function<void()> &work)
{
    const ElementEditLock lock(clearCase, vobTag, versionPath);
    work();
}

// Creating the attribute fails when it is there already; any other failure (a missing type
// is made once) is the edit's own.
bool ElementEditLock::tryTake()
{
    m_value = freshValue();
    try {
        m_clearCase.attachAttribute(m_vobTag, typeName, m_version, m_value, QString(), false);
        return true;
    } catch (const ZanError &) {
        if (!heldValue().isEmpty())
            return false;
        // The mark may have been released, or its type made, by another editor just after
        // this try: a few more tries before the failure counts as the edit's own.
        if (m_clearCase.attributeTypeNames(m_vobTag).contains(typeName)) {
            if (++m_unexplainedFailures > maxUnexplainedFailures)
                throw;
            return false;
        }
    }
    ensureType(m_clearCase, m_vobTag);
    return false;
}

void ElementEditLock::ensureType(ClearCase &clearCase, const QString &vobTag)
{
    if (clearCase.attributeTypeNames(vobTag).contains(typeName))
        return;
    try {
        clearCase.createAttributeType(vobTag, typeName, stringValueType, QString());
    } catch (const ZanError &) {
        if (!clearCase.attributeTypeNames(vobTag).contains(typeName))
            throw;
        // another editor made it meanwhile
    }
}

QString ElementEditLock::heldValue()
{
    return AccessAttributeFormat::valueOf(m_clearCase.attributes(m_version), typeName);
}

QString ElementEditLock::holderOf(const QString &value)
{
    return value.section(QLatin1Char(' '), 0, 0);
}

// A mark of this host whose process is gone is stale at once: a killed apply's marks never
// make its rerun wait.
bool ElementEditLock::isStale(const QString &value)
{
    bool ok = false;
    const qint64 since = value.section(QLatin1Char(' '), 2, 2).toLongLong(&ok);
    if (!ok || QDateTime::currentMSecsSinceEpoch() - since > staleAfterMs)
        return true;
    const QString holder = holderOf(value);
    const qint64 pid = value.section(QLatin1Char(' '), 1, 1).toLongLong(&ok);
    return ok && holder.section(QLatin1Char('@'), -1) == QSysInfo::machineHostName() && processIsGone(pid);
}
