#include "shell/WorkingState.h"

#include "access/AccessAttributeFormat.h"
#include "access/OperationsCatalogue.h"

namespace {

// Sets a value and says whether it changed.
template <typename T>
bool assign(T &field, const T &value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}

} // namespace

WorkingState::WorkingState(QObject *parent)
    : QObject(parent), m_privilegedList(OperationsCatalogue::defaultPrivilegedList())
{
}

void WorkingState::setVobTag(const QString &vobTag)
{
    if (assign(m_location.vobTag, vobTag))
        emit locationChanged();
}

void WorkingState::setVobRoot(const QString &vobRoot)
{
    if (assign(m_location.vobRoot, vobRoot))
        emit locationChanged();
}

void WorkingState::setElement(const QString &element)
{
    if (assign(m_location.path, element))
        emit locationChanged();
}

bool WorkingState::hasVob() const
{
    return !m_location.vobTag.isEmpty() && !m_location.vobTag.contains(QLatin1Char('<'));
}

bool WorkingState::atVobRoot() const
{
    return m_location.path == AccessAttributeFormat::vobRootElement(m_location.vobRoot);
}

void WorkingState::setPrivilegedList(const QString &list)
{
    if (assign(m_privilegedList, list))
        emit privilegedListChanged(list);
}

bool WorkingState::isPrivileged(const QString &operation) const
{
    return OperationsCatalogue::isPrivileged(operation, m_privilegedList);
}

bool WorkingState::stopsAt(const QString &operation) const
{
    return isPrivileged(operation) && !atVobRoot();
}

void WorkingState::setUcmVob(bool on)
{
    if (assign(m_ucmVob, on))
        emit ucmVobChanged(on);
}

void WorkingState::setOverrideOn(bool on)
{
    if (assign(m_overrideOn, on))
        emit overrideChanged(on);
}

void WorkingState::setExemptLogin(bool on)
{
    if (assign(m_exemptLogin, on))
        emit exemptLoginChanged(on);
}

void WorkingState::setStopShown(bool shown)
{
    if (assign(m_stopShown, shown))
        emit stopChanged(shown);
}

void WorkingState::selectVobRoot(const QString &vobTag)
{
    emit vobRootSelected(vobTag);
}

void WorkingState::clearChecked()
{
    emit checkedCleared();
}
