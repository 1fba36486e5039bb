#include "shell/WorkingState.h"

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

// The first of entries equal ignoring case.
QStringList onceEach(const QStringList &names)
{
    QStringList kept;
    for (const QString &name : names) {
        if (!kept.contains(name, Qt::CaseInsensitive))
            kept << name;
    }
    return kept;
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

void WorkingState::setOperations(const QStringList &operations)
{
    const bool wasSelected = !m_operation.isEmpty();
    m_operation.clear();
    if (assign(m_operations, onceEach(operations)))
        emit operationsChanged(m_operations);
    if (wasSelected)
        emit operationSelected(m_operation);
}

bool WorkingState::addOperation(const QString &operation)
{
    if (m_operations.contains(operation, Qt::CaseInsensitive))
        return false;
    m_operations << operation;
    emit operationsChanged(m_operations);
    selectOperation(operation);
    return true;
}

void WorkingState::removeOperation(const QString &operation)
{
    if (!m_operations.removeOne(operation))
        return;
    const bool selected = operation == m_operation;
    if (selected)
        m_operation.clear();
    emit operationsChanged(m_operations);
    if (selected) {
        emit operationSelected(m_operation);
        setUsers({});
    }
}

void WorkingState::selectOperation(const QString &operation)
{
    if ((operation.isEmpty() || m_operations.contains(operation)) && assign(m_operation, operation))
        emit operationSelected(operation);
}

void WorkingState::setUsers(const QStringList &users)
{
    if (assign(m_users, onceEach(users)))
        emit usersChanged(m_users);
}

void WorkingState::removeUsers(const QStringList &names)
{
    QStringList users = m_users;
    for (const QString &name : names)
        users.removeOne(name);
    setUsers(users);
}

void WorkingState::setGroups(const QStringList &groups)
{
    if (assign(m_groups, onceEach(groups)))
        emit groupsChanged(m_groups);
}

void WorkingState::clearAccess()
{
    setOperations({});
    setUsers({});
    setGroups({});
}

bool WorkingState::hasVob() const
{
    return !m_location.vobTag.isEmpty() && !m_location.vobTag.contains(QLatin1Char('<'));
}

bool WorkingState::atVobRoot() const
{
    return m_location.path == m_location.rootElement();
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
    m_checked.clear();
    emit checkedCleared();
}
