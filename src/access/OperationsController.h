#pragma once

#include "access/AccessSettings.h"

#include <QObject>
#include <QString>

struct MainContext;

// The operation picker and the operations list of the access-control panel: the catalogue
// offered, the privileged-operation stop message, adding and deleting an operation on the
// selected element, writing the users list, and loading an operation's users and groups.
class OperationsController : public QObject
{
    Q_OBJECT

public:
    explicit OperationsController(MainContext &context);

    void populateOperationsList(bool skipBaseLists, bool includeUcm);
    bool isPrivilegedOperation(const QString &operation);
    void showStopMsg(bool show);
    void hideSubLists();

    void addOperation();
    bool saveUserListToElem(const QStringList &before);
    void deleteOperation();
    void selectOperation();

    // The stop message for an operation, CR LF line breaks included.
    static QString stopMessage(const QString &operation);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showStoredUsers(const QStringList &stored);
    void pickerSelectionChanged();
    void removeSetOperationsFromPicker();
    QString selectedOperation() const;
    ElementLocation location() const;

    MainContext &m_ctx;
};
