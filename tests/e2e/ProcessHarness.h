#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>
#include <QThread>
#include <functional>

// Runs the real program binaries in a private environment: their own temp folder, settings
// store, sandbox and message log, so that tests never touch the user's files.
class ProcessHarness
{
public:
    ProcessHarness()
    {
        QDir(m_dir.path()).mkpath(QStringLiteral("tmp"));
        QDir(m_dir.path()).mkpath(QStringLiteral("runtime"));
        QFile::setPermissions(path(QStringLiteral("runtime")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_env = QProcessEnvironment::systemEnvironment();
        m_env.insert(QStringLiteral("TMPDIR"), path(QStringLiteral("tmp")));
        m_env.insert(QStringLiteral("XDG_RUNTIME_DIR"), path(QStringLiteral("runtime")));
        m_env.insert(QStringLiteral("ZAN_SETTINGS"), path(QStringLiteral("settings")));
        m_env.insert(QStringLiteral("ZAN_SANDBOX"), path(QStringLiteral("sandbox")));
        m_env.insert(QStringLiteral("ZAN_CLEARCASE"), QStringLiteral("sandbox"));
        m_env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    }

    static QString binary(const QString &name)
    {
        // The program binaries are built next to the test binaries.
        const QString dir = qEnvironmentVariable("ZAN_BIN_DIR", QCoreApplication::applicationDirPath());
        return QDir(dir).filePath(name);
    }

    QString path(const QString &name) const { return m_dir.filePath(name); }
    QProcessEnvironment &environment() { return m_env; }

    // Starts the program with its messages going to the named log file.
    void start(QProcess &process, const QString &logName, const QStringList &args = {})
    {
        QProcessEnvironment env = m_env;
        env.insert(QStringLiteral("ZAN_PROMPT_LOG"), path(logName));
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(binary(QStringLiteral("zan")), args);
    }

    QString log(const QString &logName) const
    {
        QFile file(path(logName));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    static bool waitFor(const std::function<bool()> &condition, int timeoutMs = 30000)
    {
        QDeadlineTimer deadline(timeoutMs);
        while (!deadline.hasExpired()) {
            if (condition())
                return true;
            QThread::msleep(50);
        }
        return condition();
    }

    static void stop(QProcess &process)
    {
        if (process.state() == QProcess::NotRunning)
            return;
        process.terminate();
        if (!process.waitForFinished(5000)) {
            process.kill();
            process.waitForFinished(5000);
        }
    }

private:
    QTemporaryDir m_dir;
    QProcessEnvironment m_env;
};
