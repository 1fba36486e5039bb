#include "shell/QtPrompter.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

Prompter::Answer QtPrompter::message(const QString &text, const QString &title, Icon icon, Buttons buttons)
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
    // A message must show a normal pointer even inside a busy operation.
    const bool hadOverride = QApplication::overrideCursor() != nullptr;
    if (hadOverride)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int result = box.exec();
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
