#include "CliContext.h"

#include "shell/SettingsStore.h"
#include "util/ZanError.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>

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
        m_store = SettingsStore::open(m_settingsFolder);
    return *m_store;
}

void CliContext::progress(const QString &text)
{
    if (!m_progress)
        return;
    m_err << QLatin1Char('\r') << text << Qt::flush;
    m_progressShown = true;
}

std::optional<bool> CliContext::ask(const QString &question)
{
    if (!m_askable)
        return std::nullopt;
    endProgress();
    m_err << QString(question).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).trimmed() << QStringLiteral(" [y/N] ") << Qt::flush;
    const QString answer = QString::fromLocal8Bit(in().readLine()).trimmed();
    return answer.startsWith(QLatin1Char('y'), Qt::CaseInsensitive);
}

void CliContext::endProgress()
{
    if (m_progressShown)
        m_err << QLatin1Char('\n') << Qt::flush;
    m_progressShown = false;
}

// The shell's spelling ($PWD) when it names the same folder, as "pwd -L" prints it: a view's
// folders may be links into the VOB storage, which the system's own spelling goes through.
QString CliContext::currentFolder() const
{
    if (!m_currentFolder.isEmpty())
        return m_currentFolder;
    const QString physical = QDir::currentPath();
    const QString shell = qEnvironmentVariable("PWD");
    if (!shell.isEmpty() && QFileInfo(shell).canonicalFilePath() == QFileInfo(physical).canonicalFilePath())
        return shell;
    return physical;
}

QIODevice &CliContext::in()
{
    if (m_in)
        return *m_in;
    if (!m_stdin) {
        m_stdin = std::make_unique<QFile>();
        if (!m_stdin->open(stdin, QIODevice::ReadOnly))
            throw ZanError(ZanError::FileNotFound, QStringLiteral("zanctl"),
                           QStringLiteral("cannot read standard input: %1").arg(m_stdin->errorString()));
    }
    return *m_stdin;
}
