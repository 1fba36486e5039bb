#include "shell/GettingHelpDialog.h"

#include "util/AppInfo.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

GettingHelpDialog::GettingHelpDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmGettingHelp"));
    setWindowTitle(QStringLiteral("Getting Help from Korvane"));
    auto *layout = new QVBoxLayout(this);
    auto *text = new QLabel(QStringLiteral(
        "Korvane\n\n"
        "Web: %1\n"
        "E-mail: %2\n\n"
        "When you report a problem, include the text of the error box\n"
        "(the lines between the rows of asterisks) and what you were doing.")
                                .arg(AppInfo::webAddress, AppInfo::supportAddress));
    text->setObjectName(QStringLiteral("contactText"));
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(text);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}
