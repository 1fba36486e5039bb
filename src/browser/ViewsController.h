#pragma once

#include "browser/TreePopulator.h"

#include <QObject>
#include <QString>

struct MainContext;

// The view list and the drive roots: "Load Views", adding a view by name, selecting a view
// (snapshot refusal, startview), the config spec, the drive filter toggle, "Refresh List"
// and "Mount VOB".
class ViewsController : public QObject
{
    Q_OBJECT

public:
    explicit ViewsController(MainContext &context);

    void loadViews();
    void specifyView();
    void selectView();
    void showConfigSpec();
    void toggleDriveMode();
    void refreshList();
    void mountVob();

    // ClearCase's mount dialog exists on Windows only; elsewhere "Mount VOB" explains how
    // to mount a VOB instead.
    void setMountDialogAvailable(bool available) { m_mountDialogAvailable = available; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void viewSelectionChanged();
    void viewClicked();
    QString selectedViewTag() const;

    MainContext &m_ctx;
    TreePopulator m_populator;
    bool m_mountDialogAvailable;
    // A click that selected a view has opened it already; a click on the selected view
    // opens it again.
    bool m_selectedByCurrentChange = false;
};
