#pragma once

#include "support/QtPrinters.h"
#include "util/Prompter.h"
#include "util/ZanError.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>

// A Prompter for tests: records every message, question, input box and file dialog, and
// answers from a script (queued answers first, then the defaults: a question's default
// button, else OK / Yes, cancel for input boxes, the preset for file dialogs). A message
// with the title `throwOnTitle` fails
// as a message box that cannot be shown does.
class ScriptedPrompter : public Prompter
{
public:
    struct Record {
        QString kind; // "message", "input", "file"
        QString text;
        QString title;
        Icon icon = Icon::None;
        Buttons buttons = Buttons::Ok;
        std::optional<Answer> defaultAnswer = std::nullopt; // the button Enter presses, when the question names one
    };

    void failIfAsked(const QString &title) const
    {
        if (!throwOnTitle.isEmpty() && title == throwOnTitle)
            throw ZanError(ZanError::General, QStringLiteral("Prompter"), QStringLiteral("The message box could not be shown."));
    }

    Answer message(const QString &text, const QString &title, Icon icon, Buttons buttons) override
    {
        failIfAsked(title);
        records.append({QStringLiteral("message"), text, title, icon, buttons});
        if (!answers.isEmpty())
            return answers.dequeue();
        return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
    }

    // Unscripted, Enter is pressed: the default button answers.
    Answer ask(const QString &text, const QString &title, Icon icon, Buttons buttons, Answer defaultAnswer) override
    {
        failIfAsked(title);
        records.append({QStringLiteral("message"), text, title, icon, buttons, defaultAnswer});
        return answers.isEmpty() ? defaultAnswer : answers.dequeue();
    }

    // Presses "Preview…" first when pressPreview is set; the previews shown are kept.
    Answer messageWithPreview(const QString &text, const QString &title, Icon icon, Buttons buttons,
                              const std::function<QString()> &preview) override
    {
        if (pressPreview && preview)
            previews << preview();
        return message(text, title, icon, buttons);
    }

    std::optional<QString> inputText(const QString &prompt, const QString &title, const QString &defaultText) override
    {
        failIfAsked(title);
        proposedAnswer = defaultText;
        records.append({QStringLiteral("input"), prompt, title, Icon::None, Buttons::OkCancel});
        if (inputs.isEmpty())
            return std::nullopt;
        return inputs.dequeue();
    }

    QString openFileName(const QString &title, const QString &startFolder, const QString &presetName, const QString &filter) override
    {
        failIfAsked(title);
        fileDialogFolder = startFolder;
        fileDialogFilter = filter;
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
    QString throwOnTitle;
    bool pressPreview = false;
    QStringList previews;
    // What the records leave out: the input box's proposed answer, the file dialog's folder and filter.
    QString proposedAnswer;
    QString fileDialogFolder;
    QString fileDialogFilter;
};
