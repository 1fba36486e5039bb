#pragma once

#include <QWidget>

class Platform;
class QFrame;
class QPlainTextEdit;
class QToolButton;

// frmDetail: a modeless window above all others that shows long texts (trigger
// descriptions, config specs). Closing only hides it; the next setDetail shows it again.
class DetailWindow : public QWidget
{
    Q_OBJECT

public:
    explicit DetailWindow(Platform &platform, QWidget *parent = nullptr);

    void setTitle(const QString &title);
    void setDetail(const QString &text);
    // Caption without the "Detail: " prefix of setTitle.
    void setCaption(const QString &caption);
    // Shows the window modal to the application without blocking the caller.
    void showModal();

    QFrame *mainFrame = nullptr;
    QPlainTextEdit *mainTxt = nullptr;
    QToolButton *closeImage = nullptr;

protected:
    void hideEvent(QHideEvent *event) override;
};
