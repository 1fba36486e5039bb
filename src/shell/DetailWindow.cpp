#include "shell/DetailWindow.h"

#include "platform/Platform.h"

#include <QFrame>
#include <QPlainTextEdit>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

DetailWindow::DetailWindow(Platform &platform, QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmDetail"));
    setWindowTitle(QStringLiteral("Detail"));
    auto *layout = new QVBoxLayout(this);
    mainFrame = new QFrame;
    mainFrame->setObjectName(QStringLiteral("mainFrame"));
    auto *frameLayout = new QVBoxLayout(mainFrame);
    closeImage = new QToolButton;
    closeImage->setObjectName(QStringLiteral("closeImage"));
    closeImage->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    closeImage->setToolTip(QStringLiteral("Close"));
    closeImage->setAutoRaise(true);
    mainTxt = new QPlainTextEdit;
    mainTxt->setObjectName(QStringLiteral("mainTxt"));
    mainTxt->setReadOnly(true);
    mainTxt->setLineWrapMode(QPlainTextEdit::NoWrap);
    mainTxt->setFont(QFont(QStringLiteral("Courier New")));
    frameLayout->addWidget(closeImage, 0, Qt::AlignRight);
    frameLayout->addWidget(mainTxt);
    layout->addWidget(mainFrame);
    resize(720, 480);
    platform.setTopMost(this, true);
    connect(closeImage, &QToolButton::clicked, this, &QWidget::hide);
}

void DetailWindow::setTitle(const QString &title)
{
    setWindowTitle(QStringLiteral("Detail: ") + title);
}

void DetailWindow::setCaption(const QString &caption)
{
    setWindowTitle(caption);
}

void DetailWindow::setDetail(const QString &text)
{
    mainTxt->clear();
    mainTxt->setPlainText(text);
    show();
    raise();
}

void DetailWindow::showModal()
{
    hide();
    setWindowModality(Qt::ApplicationModal);
    show();
    raise();
}

void DetailWindow::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    setWindowModality(Qt::NonModal);
}
