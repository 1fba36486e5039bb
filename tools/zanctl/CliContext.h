#pragma once

#include "clearcase/ClearCase.h"

#include <QFile>
#include <QTextStream>
#include <functional>
#include <memory>
#include <optional>

class Platform;
class SettingsStore;

// What every zanctl command works with: the platform, the backend (chosen as the program
// chooses it, on first use), the settings store, and the two output streams. Progress goes
// to stderr only when stderr is a terminal.
class CliContext
{
public:
    using BackendFactory = std::function<std::unique_ptr<ClearCase>(Platform &)>;

    CliContext(Platform &platform, BackendFactory backend, QString settingsFolder, QTextStream &out, QTextStream &err,
               bool progress);
    ~CliContext();

    Platform &platform() { return m_platform; }
    ClearCase &clearCase();
    // How the site writes its paths: the backend's style once it is opened, Windows before.
    SiteStyle siteStyle() const { return m_clearCase ? m_clearCase->siteStyle() : SiteStyle(); }
    SettingsStore &store();
    QTextStream &out() { return m_out; }
    QTextStream &err() { return m_err; }
    // Standard input, unless a test hands in another device.
    QIODevice &in();
    void setIn(QIODevice *device) { m_in = device; }
    // The host folder relative paths start from: the process's, unless a test sets another.
    QString currentFolder() const;
    void setCurrentFolder(const QString &folder) { m_currentFolder = folder; }

    // A question can be asked only where a person answers: standard input and stderr are
    // terminals (main tells), or a test hands in the answers.
    void setAskable(bool askable) { m_askable = askable; }
    // The question on stderr, then " [y/N] "; true for an answer that starts with y. Nothing
    // when nobody can answer.
    std::optional<bool> ask(const QString &question);

    // "\r<text>" on stderr when it is a terminal; endProgress() finishes the line.
    void progress(const QString &text);
    void endProgress();

private:
    Platform &m_platform;
    BackendFactory m_backend;
    QString m_settingsFolder;
    QTextStream &m_out;
    QTextStream &m_err;
    bool m_progress;
    bool m_progressShown = false;
    bool m_askable = false;
    std::unique_ptr<ClearCase> m_clearCase;
    std::unique_ptr<SettingsStore> m_store;
    QIODevice *m_in = nullptr;
    std::unique_ptr<QFile> m_stdin;
    QString m_currentFolder;
};
