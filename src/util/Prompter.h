#pragma once

#include <QString>
#include <functional>
#include <optional>

// Every message box, question, input box and file dialog of the program goes through a
// Prompter, so that no modal box ever blocks a test and tests can read back what was shown.
class Prompter
{
public:
    enum class Icon { None, Information, Exclamation, Critical, Question };
    enum class Buttons { Ok, OkCancel, YesNo };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~Prompter() = default;

    virtual Answer message(const QString &text, const QString &title, Icon icon,
                           Buttons buttons = Buttons::Ok) = 0;

    // The same question with a "Preview…" button beside its answers: each press shows the
    // text preview() returns and asks again. Without that button the question is asked as is.
    virtual Answer messageWithPreview(const QString &text, const QString &title, Icon icon, Buttons buttons,
                                      const std::function<QString()> &preview)
    {
        (void)preview;
        return message(text, title, icon, buttons);
    }

    // A question whose default button, the one Enter presses, gives `defaultAnswer`: for a
    // question whose other answer does harm. A prompter without such buttons asks it as is.
    virtual Answer ask(const QString &text, const QString &title, Icon icon, Buttons buttons, Answer defaultAnswer)
    {
        (void)defaultAnswer;
        return message(text, title, icon, buttons);
    }

    // Input box; std::nullopt when the user cancels.
    virtual std::optional<QString> inputText(const QString &prompt, const QString &title,
                                             const QString &defaultText) = 0;

    // Open-file dialog; returns the chosen path, or `presetName` unchanged when nothing
    // was chosen (the caller compares against the preset, as the original dialog did).
    virtual QString openFileName(const QString &title, const QString &startFolder,
                                 const QString &presetName, const QString &filter) = 0;
};
