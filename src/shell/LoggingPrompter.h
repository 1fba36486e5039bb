#pragma once

#include "util/Prompter.h"

#include <QString>

// A prompter for unattended runs (ZAN_PROMPT_LOG=<file>): every message is appended to the
// log file instead of being shown, and every question takes its default answer (OK / Yes,
// the default input text, no file). Used by the real-process tests and screenshot scripts.
class LoggingPrompter : public Prompter
{
public:
    explicit LoggingPrompter(QString logPath) : m_logPath(std::move(logPath)) {}

    Answer message(const QString &text, const QString &title, Icon icon, Buttons buttons) override;
    std::optional<QString> inputText(const QString &prompt, const QString &title, const QString &defaultText) override;
    QString openFileName(const QString &title, const QString &startFolder, const QString &presetName,
                         const QString &filter) override;

private:
    void append(const QString &kind, const QString &title, const QString &text);
    QString m_logPath;
};
