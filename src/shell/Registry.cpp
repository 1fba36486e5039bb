#include "shell/Registry.h"

#include "shell/SettingsStore.h"
#include "util/ErrorBox.h"
#include "util/Prompter.h"
#include "util/ZanError.h"

Registry::Registry(SettingsStore &store, Prompter &prompter, std::function<void()> leaveBusy)
    : m_store(store), m_prompter(prompter), m_leaveBusy(std::move(leaveBusy))
{
}

void Registry::saveToReg(const QString &key, const QString &value)
{
    try {
        m_store.setValue(key, value);
    } catch (const std::exception &) {
        m_leaveBusy();
        ErrorBox::showErrorBox(m_prompter, ZanError::current(QStringLiteral("saveToReg")), QStringLiteral("Error encountered!"));
    }
}

void Registry::saveAllToReg(const QList<QPair<QString, QString>> &settings)
{
    QList<QPair<QString, QString>> storable;
    for (const auto &setting : settings) {
        if (setting.first.isEmpty())
            saveToReg(setting.first, setting.second); // reports the refused key
        else
            storable.append(setting);
    }
    try {
        m_store.setValues(storable);
    } catch (const std::exception &) {
        m_leaveBusy();
        ErrorBox::showErrorBox(m_prompter, ZanError::current(QStringLiteral("saveToReg")), QStringLiteral("Error encountered!"));
    }
}

QString Registry::readFromReg(const QString &key)
{
    try {
        return m_store.value(key);
    } catch (const std::exception &) {
        m_leaveBusy();
        ErrorBox::showErrorBox(m_prompter, ZanError::current(QStringLiteral("readFromReg")), QStringLiteral("Error encountered!"));
        return QString();
    }
}

void Registry::DeleteFromReg(const QString &key)
{
    try {
        m_store.remove(key);
    } catch (const std::exception &e) {
        // The product ignores a failed delete (the key is rewritten or read as absent later);
        // the reason still goes to the log.
        qWarning("DeleteFromReg(%s): %s", qUtf8Printable(key), e.what());
    }
}

void Registry::delFromReg(const QVariant &key)
{
    DeleteFromReg(key.toString());
}

QList<QPair<QString, QString>> Registry::allSettings() const
{
    return m_store.entries();
}
