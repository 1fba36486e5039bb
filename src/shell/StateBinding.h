#pragma once

#include <QObject>

class MainWindow;
class WorkingState;

// Ties the main window to the working state: what is typed or set into the VOB, VOB root
// and element fields is the state's location; the access panel's three lists and the
// checked-element list show the state's; and the UCM, override, exemption and stop images
// show the state's indicators.
class StateBinding : public QObject
{
    Q_OBJECT

public:
    StateBinding(MainWindow &form, WorkingState &state);
};
