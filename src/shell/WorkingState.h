#pragma once

#include "access/AccessSettings.h"
#include "shell/CheckedElements.h"

#include <QObject>
#include <QString>
#include <QStringList>

// What the administrator works on and the indicators that follow from it, without any
// widget: the VOB, its root and the element selected; the element's operations, the one
// selected with its users, and the element's groups; the checked elements; the privileged
// list in force; whether the VOB is a UCM project VOB, triggers are overridden, the login is
// exempted, and a privileged operation is stopped away from the VOB root. The window's controls show it;
// its rooms learn of changes, and of the steps that concern them all, from its signals.
class WorkingState : public QObject
{
    Q_OBJECT

public:
    explicit WorkingState(QObject *parent = nullptr);

    const ElementLocation &location() const { return m_location; }
    // How the site writes its paths; the composer hands it over when the backend is opened.
    const SiteStyle &siteStyle() const { return m_location.site; }
    void setSiteStyle(const SiteStyle &style) { m_location.site = style; }
    void setVobTag(const QString &vobTag);
    void setVobRoot(const QString &vobRoot);
    void setElement(const QString &element);
    bool hasVob() const;
    bool atVobRoot() const;

    // The lists hold a name once, ignoring case. A new operations list has none selected.
    const QStringList &operations() const { return m_operations; }
    void setOperations(const QStringList &operations);
    // Appends the operation and selects it; false when it is listed already.
    bool addOperation(const QString &operation);
    // Removing the selected operation leaves none selected, and no users.
    void removeOperation(const QString &operation);
    const QString &operation() const { return m_operation; }
    // Only a listed operation, or none, can be selected.
    void selectOperation(const QString &operation);
    const QStringList &users() const { return m_users; }
    void setUsers(const QStringList &users);
    // Takes out the first entry exactly equal to each name.
    void removeUsers(const QStringList &names);
    const QStringList &groups() const { return m_groups; }
    void setGroups(const QStringList &groups);
    // The element's settings were purged: no operations, users or groups are left.
    void clearAccess();

    CheckedElements &checked() { return m_checked; }
    const CheckedElements &checked() const { return m_checked; }

    const QString &privilegedList() const { return m_privilegedList; }
    void setPrivilegedList(const QString &list);
    bool isPrivileged(const QString &operation) const;
    // A privileged operation is set on the VOB root only: elsewhere it is stopped.
    bool stopsAt(const QString &operation) const;

    bool ucmVob() const { return m_ucmVob; }
    void setUcmVob(bool on);
    bool overrideOn() const { return m_overrideOn; }
    void setOverrideOn(bool on);
    bool exemptLogin() const { return m_exemptLogin; }
    void setExemptLogin(bool on);
    bool stopShown() const { return m_stopShown; }
    void setStopShown(bool shown);

    // The VOB root was selected: its trigger status and its groups type are due.
    void selectVobRoot(const QString &vobTag);
    // Every checked element is unchecked ("Uncheck All", or after they were purged).
    void clearChecked();

signals:
    void locationChanged();
    void operationsChanged(const QStringList &operations);
    void operationSelected(const QString &operation);
    void usersChanged(const QStringList &users);
    void groupsChanged(const QStringList &groups);
    void privilegedListChanged(const QString &list);
    void ucmVobChanged(bool on);
    void overrideChanged(bool on);
    void exemptLoginChanged(bool on);
    void stopChanged(bool shown);
    void vobRootSelected(const QString &vobTag);
    void checkedCleared();

private:
    ElementLocation m_location;
    QStringList m_operations;
    QString m_operation;
    QStringList m_users;
    QStringList m_groups;
    CheckedElements m_checked;
    QString m_privilegedList;
    bool m_ucmVob = false;
    bool m_overrideOn = false;
    bool m_exemptLogin = false;
    bool m_stopShown = false;
};
