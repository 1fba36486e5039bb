#include "access/ApplyPurgeController.h"

#include "access/AccessAttributeFormat.h"
#include "clearcase/CCase.h"
#include "platform/Platform.h"
#include "shell/BusyState.h"
#include "shell/ErrorReporter.h"
#include "shell/MainContext.h"
#include "shell/MainWindow.h"
#include "util/AppInfo.h"
#include "util/Prompter.h"
#include "util/ZanError.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <optional>

namespace Format = AccessAttributeFormat;

namespace {

const QString component = QStringLiteral("ApplyPurgeController");

QStringList entriesOf(const QListWidget *list)
{
    QStringList entries;
    entries.reserve(list->count());
    for (int i = 0; i < list->count(); ++i)
        entries << list->item(i)->text();
    return entries;
}

} // namespace

ApplyPurgeController::ApplyPurgeController(MainContext &context) : m_ctx(context)
{
    MainWindow &form = m_ctx.form;
    connect(form.applyAllCheckedBut, &QPushButton::clicked, this, &ApplyPurgeController::applyAllCheckedClicked);
    connect(form.deleteAllCheckedBut, &QPushButton::clicked, this, &ApplyPurgeController::purgeAllChecked);
    connect(form.purgeFromElemBut, &QPushButton::clicked, this, &ApplyPurgeController::purgeElement);
    m_ctx.hooks.doApplyAllChecked = [this] { doApplyAllChecked(); };
}

void ApplyPurgeController::applyAllCheckedClicked()
{
    try {
        doApplyAllChecked();
    } catch (...) {
        m_ctx.errors.reportBoxed(ZanError::current(component), QStringLiteral("applyAllCheckedBut()"));
    }
}

void ApplyPurgeController::doApplyAllChecked()
{
    MainWindow &form = m_ctx.form;
    const QString &crlf = AppInfo::crlf;
    try {
        const QString base = form.selectedElemTxt->text();
        // Without a base there is nothing to copy; going on would blank every target's groups.
        if (form.vobTagTxt->text().contains(QLatin1Char('<')) || base.isEmpty()) {
            m_ctx.prompter.message(QStringLiteral("Must first select an element to be used as the basis") + crlf +
                                       QStringLiteral("for applying access control for all the selected elements"),
                                   QStringLiteral("Select an element first..."), Prompter::Icon::Exclamation);
            return;
        }
        const QStringList targets = entriesOf(form.selectedList);
        if (targets.size() > 1) {
            const QString question = QStringLiteral("NOTE: You are about to set access control for ") +
                                     QString::number(targets.size()) + QStringLiteral(" element(s)") + crlf +
                                     QStringLiteral("based on element: ") + base + crlf + crlf +
                                     QStringLiteral("Are you sure you want to continue?");
            if (m_ctx.prompter.message(question, QStringLiteral("Set access control for all checked elements..."),
                                       Prompter::Icon::Exclamation, Prompter::Buttons::YesNo) != Prompter::Answer::Yes)
                return;
        }
        m_ctx.busy.setBusy(true);
        const QStringList operations = entriesOf(form.zanList[0]);
        const QString vobRoot = form.vobRootTxt->text();
        const QString vobTag = form.vobTagTxt->text();
        // The base is never a target, so its settings are read once, when first needed.
        std::optional<QList<AttributeInfo>> baseSettings;
        for (QString target : targets) {
            m_ctx.platform.processEvents();
            if (target == base || !m_ctx.ccase.isCCElement(target))
                continue;
            if (target == vobRoot) {
                if (!confirmApplyToVobRoot(target))
                    continue;
                target = Format::vobRootElement(target);
            }
            m_ctx.busy.setStatBarMsg(QStringLiteral("Applying access control to --> ") + target);
            if (!baseSettings)
                baseSettings = m_ctx.ccase.clearCase().attributes(CCase::versionOf(base));
            for (const QString &operation : operations) {
                const QString typeName = Format::typeName(operation);
                m_ctx.ccase.addCCAttrToElem(typeName, Format::valueOf(*baseSettings, typeName), target, vobTag, true);
                m_ctx.busy.setStatBarMsg(QStringLiteral("Applying to --> ") + target);
            }
            m_ctx.ccase.addCCAttrToElem(Format::groupsTypeName, Format::valueOf(*baseSettings, Format::groupsTypeName),
                                        target, vobTag, true);
        }
        m_ctx.busy.setBusy(false);
        m_ctx.busy.setStatBarMsg(QStringLiteral("Done"));
    } catch (...) {
        m_ctx.errors.reportBoxed(ZanError::current(component), QStringLiteral("doApplyAllChecked()"));
    }
}

bool ApplyPurgeController::confirmApplyToVobRoot(const QString &target)
{
    return m_ctx.prompter.message(QStringLiteral("Are you sure you want to apply to the VOB root directory?") +
                                      AppInfo::crlf + QStringLiteral("---> ") + target,
                                  QStringLiteral("Apply to VOB Root"), Prompter::Icon::Exclamation,
                                  Prompter::Buttons::YesNo) == Prompter::Answer::Yes;
}

void ApplyPurgeController::purgeVersion(const QString &versionPath)
{
    ClearCase &clearCase = m_ctx.ccase.clearCase();
    for (const AttributeInfo &attribute : clearCase.attributes(versionPath)) {
        if (Format::isPurgedType(attribute.typeName))
            clearCase.removeAttribute(versionPath, attribute.typeName, QString());
    }
}

void ApplyPurgeController::emptyAccessLists()
{
    for (QListWidget *list : m_ctx.form.zanList)
        list->clear();
}

void ApplyPurgeController::purgeAllChecked()
{
    MainWindow &form = m_ctx.form;
    const QString &crlf = AppInfo::crlf;
    try {
        const QStringList targets = entriesOf(form.selectedList);
        if (form.selectedElemTxt->text().isEmpty() || targets.isEmpty())
            return;
        const QString warning = QStringLiteral("WARNING: ") + crlf +
                                QStringLiteral("You are about to purge all operations and users from ") +
                                QString::number(targets.size()) + QStringLiteral(" element(s)") + crlf + crlf +
                                QStringLiteral("Are you sure you want to do this?");
        if (m_ctx.prompter.message(warning, QStringLiteral("About to purge..."), Prompter::Icon::Exclamation,
                                   Prompter::Buttons::OkCancel) != Prompter::Answer::Ok)
            return;
        m_ctx.busy.setBusy(true);
        const QString vobRoot = form.vobRootTxt->text();
        for (const QString &target : targets) {
            m_ctx.platform.processEvents();
            const QString version = CCase::versionOf(Format::elementPath(target, vobRoot));
            m_ctx.busy.setStatBarMsg(QStringLiteral("Purging attributes from --> ") + version);
            purgeVersion(version);
        }
        emptyAccessLists();
        m_ctx.busy.setStatBarMsg(QStringLiteral("Done"));
        m_ctx.busy.setBusy(false);
        form.selectedList->clear();
        m_ctx.hooks.clearAllChecked();
        m_ctx.hooks.updateCheckedButtons();
    } catch (...) {
        m_ctx.errors.reportBoxed(ZanError::current(component), QStringLiteral("purgeFromElemBut()"));
    }
}

void ApplyPurgeController::purgeElement()
{
    MainWindow &form = m_ctx.form;
    const QString element = form.selectedElemTxt->text();
    if (form.zanList[0]->count() == 0 || element.isEmpty())
        return;
    try {
        const QString warning = QStringLiteral("WARNING: ") + AppInfo::crlf +
                                QStringLiteral("You are about to purge all operations and users from") + QStringLiteral(" ") +
                                QStringLiteral("the element ") + QLatin1Char('"') + element + QLatin1Char('"') +
                                AppInfo::crlf + QStringLiteral("Are you sure you want to do this?");
        if (m_ctx.prompter.message(warning, QStringLiteral("About to purge..."), Prompter::Icon::Exclamation,
                                   Prompter::Buttons::OkCancel) == Prompter::Answer::Ok) {
            m_ctx.busy.setBusy(true);
            purgeVersion(CCase::versionOf(Format::elementPath(element, form.vobRootTxt->text())));
            emptyAccessLists();
            m_ctx.busy.setBusy(false);
        }
        form.zanBut[0]->setFocus();
    } catch (...) {
        const ZanError error = ZanError::current(component);
        m_ctx.errors.reportBoxed(error, QStringLiteral("purgeFromElemBut()::") + error.description() + QStringLiteral("::") +
                                            QString::number(error.number()));
    }
}
