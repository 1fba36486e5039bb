#pragma once

#include "platform/QtPlatform.h"

// The platform of the window: QtPlatform with the desktop's services.
class DesktopPlatform : public QtPlatform
{
public:
    bool openDocument(const QString &path) override;
    void setTopMost(QWidget *window, bool onTop) override;
    void setHourglass(bool busy) override;

private:
    bool m_hourglass = false;
};
