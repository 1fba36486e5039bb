#pragma once

#include "support/QtPrinters.h"
#include "util/Prompter.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>

// A Prompter for tests: records every message, question, input box and file dialog, and
// answers from a script (queued answers first, then the defaults: OK / Yes, cancel for
// input boxes, the preset for file dialogs).
class ScriptedPrompter : public Prompter
{
public:
    struct Record {
        QString kind; // "message", "input", "file"
        QString text;
        QString title;
        Icon icon = Icon::None;
        Buttons buttons = Buttons::Ok;
    };

    Answer message(const QString &text, const QString &title, Icon icon, Buttons buttons) override
    {
        records.append({QStringLiteral("message"), text, title, icon, buttons});
        if (!answers.isEmpty())
            return answers.dequeue();
        return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
    }

    std::optional<QString> inputText(const QString &prompt, const QString &title, const QString &) override
    {
        records.append({QStringLiteral("input"), prompt, title, Icon::None, Buttons::OkCancel});
        if (inputs.isEmpty())
            return std::nullopt;
        return inputs.dequeue();
    }

    QString openFileName(const QString &title, const QString &, const QString &presetName, const QString &) override
    {
        records.append({QStringLiteral("file"), presetName, title, Icon::None, Buttons::OkCancel});
        if (files.isEmpty())
            return presetName;
        return files.dequeue();
    }

    // Texts of the messages shown so far.
    QStringList texts() const
    {
        QStringList result;
        for (const Record &r : records)
            result << r.text;
        return result;
    }
    const Record &last() const { return records.last(); }
    int count() const { return int(records.size()); }
    void clear() { records.clear(); }

    QList<Record> records;
    QQueue<Answer> answers;
    QQueue<std::optional<QString>> inputs;
    QQueue<QString> files;
};
