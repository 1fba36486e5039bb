#include "shell/AboutDialog.h"

#include "util/AppInfo.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

AboutDialog::AboutDialog(const QString &version, const QString &backend, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About ") + AppInfo::title);
    auto *layout = new QVBoxLayout(this);
    auto *title = new QLabel(QStringLiteral("<h2>%1</h2>").arg(AppInfo::title.toHtmlEscaped()));
    title->setObjectName(QStringLiteral("aboutTitle"));
    auto *versionLabel = new QLabel(QStringLiteral("Version ") + version);
    versionLabel->setObjectName(QStringLiteral("aboutVersion"));
    auto *backendLabel = new QLabel(QStringLiteral("ClearCase: ") + backend);
    backendLabel->setObjectName(QStringLiteral("aboutBackend"));
    backendLabel->setWordWrap(true);
    backendLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(title);
    layout->addWidget(versionLabel);
    layout->addWidget(new QLabel(QStringLiteral("Access control for ClearCase operations, enforced by pre-operation triggers.")));
    layout->addWidget(backendLabel);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}
