#include "triggers/VobTriggerSettings.h"

#include "shell/MainContext.h"
#include "shell/MainWindow.h"
#include "shell/Registry.h"
#include "shell/WorkingState.h"
#include "triggers/StoredTriggerSettings.h"
#include "triggers/TriggerPaths.h"

#include <QCheckBox>
#include <QDebug>
#include <QLineEdit>

namespace {

using Keys = StoredTriggerSettings;

QString flagText(const QCheckBox *box)
{
    return box->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
}

// Every step runs on its own: a failing one must not keep the rest from being done. The
// settings store has shown its own message; the log keeps which step it was.
template <typename Step>
void tryStep(Step step)
{
    try {
        step();
    } catch (const std::exception &e) {
        qWarning("processVobTrigSettings: %s", e.what());
    }
}

} // namespace

VobTriggerSettings::VobTriggerSettings(MainContext &context) : m_ctx(context) {}

void VobTriggerSettings::processVobTrigSettings(bool save, bool remove)
{
    const QString vobName = TriggerPaths::vobNameOf(m_ctx.form.vobTagTxt->text(), m_ctx.state.siteStyle());
    if (vobName.isEmpty())
        return;
    if (remove)
        erase(vobName);
    else if (save)
        store(vobName);
    else
        load(vobName);
}

void VobTriggerSettings::store(const QString &vobName)
{
    MainWindow &form = m_ctx.form;
    Registry &registry = m_ctx.registry;
    tryStep([&] { registry.saveToReg(Keys::winUnixLocKey + vobName, flagText(form.checkboxUnixOrWindowsLocation)); });
    tryStep([&] { registry.saveToReg(Keys::interopKey + vobName, flagText(form.interopSupportCB)); });
    // A field that shows its hint is not filled in: the value stored before stays.
    const QList<std::pair<QString, QLineEdit *>> fields{
        {Keys::ntLocKey, form.trigLocationTxt}, {Keys::unixLocKey, form.trigLocationUnixTxt}, {Keys::adminListKey, form.adminUsersTxt}};
    for (const auto &[prefix, field] : fields) {
        if (!field->text().contains(QLatin1Char('<')))
            tryStep([&, key = prefix + vobName, value = field->text()] { registry.saveToReg(key, value); });
    }
}

void VobTriggerSettings::erase(const QString &vobName)
{
    for (const QString &prefix : {Keys::winUnixLocKey, Keys::interopKey, Keys::ntLocKey, Keys::unixLocKey, Keys::adminListKey})
        tryStep([&] { m_ctx.registry.DeleteFromReg(prefix + vobName); });
}

void VobTriggerSettings::loadFlag(QCheckBox *box, const QString &key)
{
    const QString stored = m_ctx.registry.readFromReg(key);
    if (stored.isEmpty()) {
        box->setChecked(false);
        return;
    }
    bool isNumber = false;
    const int state = stored.toInt(&isNumber);
    if (isNumber && (state == 0 || state == 1))
        box->setChecked(state == 1);
}

void VobTriggerSettings::load(const QString &vobName)
{
    MainWindow &form = m_ctx.form;
    Registry &registry = m_ctx.registry;
    tryStep([&] { loadFlag(form.interopSupportCB, Keys::interopKey + vobName); });
    tryStep([&] { loadFlag(form.checkboxUnixOrWindowsLocation, Keys::winUnixLocKey + vobName); });
    tryStep([&] { form.trigLocationTxt->setText(registry.readFromReg(Keys::ntLocKey + vobName)); });
    tryStep([&] { form.trigLocationUnixTxt->setText(registry.readFromReg(Keys::unixLocKey + vobName)); });
    tryStep([&] { form.adminUsersTxt->setText(registry.readFromReg(Keys::adminListKey + vobName)); });
    for (QLineEdit *field : {form.trigLocationTxt, form.trigLocationUnixTxt, form.adminUsersTxt}) {
        if (field->text().isEmpty())
            tryStep([&] { field->setText(field->property("tag").toString()); });
    }
}
