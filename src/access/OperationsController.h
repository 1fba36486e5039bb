#pragma once

#include "access/AccessSettings.h"

#include <QObject>
#include <QString>

class ApplyPurgeController;
struct MainContext;

// The operation picker and the operations list of the access-control panel: the catalogue
// offered, the privileged-operation stop message, adding and deleting an operation on the
// selected element, writing the users list, and loading the selected operation's users and
// the element's groups into the working state.
// An operation added is applied to the checked elements as well.
class OperationsController : public QObject
{
    Q_OBJECT

public:
    OperationsController(MainContext &context, ApplyPurgeController &applier);

    void populateOperationsList(bool includeUcm);
    void showStopMsg(bool show);
    void hideSubLists();

    void addOperation();
    bool saveUserListToElem(const QStringList &before);
    void deleteOperation();

    // The stop message for an operation, CR LF line breaks included.
    static QString stopMessage(const QString &operation);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showOperation(const QString &operation);
    void pickerSelectionChanged();
    void removeSetOperationsFromPicker(const QStringList &offer);
    const ElementLocation &location() const;

    MainContext &m_ctx;
    ApplyPurgeController &m_applier;
};
