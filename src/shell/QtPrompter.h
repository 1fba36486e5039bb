#pragma once

#include "util/Prompter.h"

class QWidget;

// The real prompter: QMessageBox, QInputDialog and QFileDialog over the main window.
class QtPrompter : public Prompter
{
public:
    explicit QtPrompter(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }

    Answer message(const QString &text, const QString &title, Icon icon, Buttons buttons) override;
    Answer messageWithPreview(const QString &text, const QString &title, Icon icon, Buttons buttons,
                              const std::function<QString()> &preview) override;
    Answer ask(const QString &text, const QString &title, Icon icon, Buttons buttons, Answer defaultAnswer) override;
    std::optional<QString> inputText(const QString &prompt, const QString &title, const QString &defaultText) override;
    QString openFileName(const QString &title, const QString &startFolder, const QString &presetName,
                         const QString &filter) override;

private:
    Answer show(const QString &text, const QString &title, Icon icon, Buttons buttons,
                const std::function<QString()> &preview, std::optional<Answer> defaultAnswer);

    QWidget *m_parent;
};
