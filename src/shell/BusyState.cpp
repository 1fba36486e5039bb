#include "shell/BusyState.h"

#include "platform/Platform.h"
#include "shell/MainWindow.h"
#include "util/AppInfo.h"
#include "util/Prompter.h"
#include "util/ZanError.h"

#include <QLabel>
#include <QProgressBar>
#include <QTimer>

BusyState::BusyState(MainWindow &form, Platform &platform, Prompter &prompter)
    : m_form(form), m_platform(platform), m_prompter(prompter)
{
    connect(m_form.progBarTimer, &QTimer::timeout, this, &BusyState::tick);
}

void BusyState::setBusy(bool busy, const QString &message)
{
    try {
        m_busy = busy;
        m_platform.setHourglass(busy);
        if (busy) {
            m_form.statusPanel->setText(QStringLiteral("Working...") + message);
            m_form.ProgressBar1->show();
            m_form.progBarTimer->setInterval(1);
            m_form.progBarTimer->start();
        } else {
            m_form.progBarTimer->stop();
            m_form.progBarTimer->setInterval(0);
            m_form.ProgressBar1->setValue(0);
            m_form.ProgressBar1->hide();
            m_form.statusPanel->setText(QStringLiteral("Status"));
        }
    } catch (const std::exception &) {
        reportFailure(ZanError::current(QStringLiteral("frmMain")).description());
    }
}

void BusyState::setStatBarMsg(const QString &text)
{
    m_form.statusPanel->setText(text);
}

void BusyState::tick()
{
    // The timer fires from the event loop, so pending events have already had their turn.
    QProgressBar *bar = m_form.ProgressBar1;
    if (bar->value() >= bar->maximum())
        bar->setValue(1);
    else
        bar->setValue(bar->value() + 1);
}

void BusyState::reportFailure(const QString &description)
{
    m_busy = false;
    m_form.progBarTimer->stop();
    m_prompter.message(QStringLiteral("ERROR::") + description + AppInfo::crlf + QStringLiteral("Report Bug to ") + AppInfo::supportAddress,
                       QStringLiteral("ERROR..."), Prompter::Icon::Exclamation);
}
