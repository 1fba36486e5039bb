#pragma once

#include <QObject>
#include <QString>

class MainWindow;
class Platform;
class Prompter;

// The busy state of the main window: hourglass, "Working..." status text and a progress
// bar that cycles under a fast timer while a long operation runs on the window's thread.
class BusyState : public QObject
{
    Q_OBJECT

public:
    BusyState(MainWindow &form, Platform &platform, Prompter &prompter);

    void setBusy(bool busy, const QString &message = QString());
    void setStatBarMsg(const QString &text);
    bool isBusy() const { return m_busy; }

    // One tick of the progress timer: climbs from 1 to the maximum and starts again.
    void tick();

private:
    void reportFailure(const QString &description);

    MainWindow &m_form;
    Platform &m_platform;
    Prompter &m_prompter;
    bool m_busy = false;
};
