#include "shell/DesktopPlatform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>
#include <QWidget>

bool DesktopPlatform::openDocument(const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(hostPath(path)));
}

void DesktopPlatform::setTopMost(QWidget *window, bool onTop)
{
    if (!window)
        return;
    const bool visible = window->isVisible();
    const QRect geometry = window->geometry();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    window->setGeometry(geometry);
    if (visible)
        window->show();
}

void DesktopPlatform::setHourglass(bool busy)
{
    if (busy == m_hourglass)
        return;
    m_hourglass = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}
