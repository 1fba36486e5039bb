#include "CliContext.h"

#include "shell/SettingsStore.h"

CliContext::CliContext(Platform &platform, BackendFactory backend, QString settingsFolder, QTextStream &out, QTextStream &err,
                       bool progress)
    : m_platform(platform), m_backend(std::move(backend)), m_settingsFolder(std::move(settingsFolder)), m_out(out), m_err(err),
      m_progress(progress)
{
}

CliContext::~CliContext() = default;

ClearCase &CliContext::clearCase()
{
    if (!m_clearCase)
        m_clearCase = m_backend(m_platform);
    return *m_clearCase;
}

SettingsStore &CliContext::store()
{
    if (!m_store)
        m_store = std::make_unique<SettingsStore>(m_settingsFolder.isEmpty() ? SettingsStore::defaultFolder() : m_settingsFolder);
    return *m_store;
}

void CliContext::progress(const QString &text)
{
    if (!m_progress)
        return;
    m_err << QLatin1Char('\r') << text << Qt::flush;
    m_progressShown = true;
}

void CliContext::endProgress()
{
    if (m_progressShown)
        m_err << QLatin1Char('\n') << Qt::flush;
    m_progressShown = false;
}
