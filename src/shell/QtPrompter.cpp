#include "shell/QtPrompter.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace {

// The preview: the changes, one per line, in a resizable read-only text.
void showPreview(QWidget *parent, const QString &title, const QString &text)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(title + QStringLiteral(" - Preview"));
    auto *layout = new QVBoxLayout(&dialog);
    auto *view = new QPlainTextEdit(text.isEmpty() ? QStringLiteral("Nothing will change.") : text);
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(view);
    auto *close = new QDialogButtonBox(QDialogButtonBox::Close);
    QObject::connect(close, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(close);
    dialog.resize(640, 400);
    dialog.exec();
}

QMessageBox::StandardButton standardButtonOf(Prompter::Answer answer)
{
    switch (answer) {
    case Prompter::Answer::Cancel: return QMessageBox::Cancel;
    case Prompter::Answer::Yes: return QMessageBox::Yes;
    case Prompter::Answer::No: return QMessageBox::No;
    case Prompter::Answer::Ok: break;
    }
    return QMessageBox::Ok;
}

} // namespace

Prompter::Answer QtPrompter::message(const QString &text, const QString &title, Icon icon, Buttons buttons)
{
    return show(text, title, icon, buttons, nullptr, std::nullopt);
}

Prompter::Answer QtPrompter::messageWithPreview(const QString &text, const QString &title, Icon icon, Buttons buttons,
                                                const std::function<QString()> &preview)
{
    return show(text, title, icon, buttons, preview, std::nullopt);
}

Prompter::Answer QtPrompter::ask(const QString &text, const QString &title, Icon icon, Buttons buttons, Answer defaultAnswer)
{
    return show(text, title, icon, buttons, nullptr, defaultAnswer);
}

Prompter::Answer QtPrompter::show(const QString &text, const QString &title, Icon icon, Buttons buttons,
                                  const std::function<QString()> &preview, std::optional<Answer> defaultAnswer)
{
    QMessageBox box(m_parent);
    box.setWindowTitle(title);
    box.setText(text);
    switch (icon) {
    case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    case Icon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
    case Icon::Question: box.setIcon(QMessageBox::Question); break;
    }
    switch (buttons) {
    case Buttons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case Buttons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case Buttons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    }
    if (defaultAnswer)
        box.setDefaultButton(standardButtonOf(*defaultAnswer));
    // A message must show a normal pointer even inside a busy operation.
    const bool hadOverride = QApplication::overrideCursor() != nullptr;
    if (hadOverride)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    QPushButton *previewButton = preview ? box.addButton(QStringLiteral("Preview…"), QMessageBox::ActionRole) : nullptr;
    int result = box.exec();
    while (previewButton && box.clickedButton() == previewButton) {
        showPreview(m_parent, title, preview());
        result = box.exec();
    }
    if (hadOverride)
        QApplication::restoreOverrideCursor();
    switch (result) {
    case QMessageBox::Cancel: return Answer::Cancel;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return buttons == Buttons::OkCancel && result != QMessageBox::Ok ? Answer::Cancel : Answer::Ok;
    }
}

std::optional<QString> QtPrompter::inputText(const QString &prompt, const QString &title, const QString &defaultText)
{
    bool ok = false;
    const QString text = QInputDialog::getText(m_parent, title, prompt, QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

QString QtPrompter::openFileName(const QString &title, const QString &startFolder, const QString &presetName,
                                 const QString &filter)
{
    // The original filter form "All Files (*.*)|*.*" becomes Qt's "All Files (*.*)".
    const QString qtFilter = filter.section(QLatin1Char('|'), 0, 0);
    const QString chosen = QFileDialog::getOpenFileName(m_parent, title, startFolder, qtFilter);
    return chosen.isEmpty() ? presetName : chosen;
}
