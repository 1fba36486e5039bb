#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>
#include <functional>

class SettingsStore;
class Prompter;

// The main window's routines over the settings store, with their failure forms:
// saveToReg and readFromReg report a store error in the boxed form with "Error encountered!"
// (after leaving the busy state); the two delete routines ignore errors.
class Registry
{
public:
    Registry(SettingsStore &store, Prompter &prompter, std::function<void()> leaveBusy);

    void saveToReg(const QString &key, const QString &value);
    // Many settings in one store write; each refused key and a failed write are reported
    // as saveToReg reports them.
    void saveAllToReg(const QList<QPair<QString, QString>> &settings);
    QString readFromReg(const QString &key);
    void DeleteFromReg(const QString &key);
    void delFromReg(const QVariant &key);

    // The whole section in store order; throws ZanError when the store cannot be read.
    QList<QPair<QString, QString>> allSettings() const;

    SettingsStore &store() { return m_store; }

private:
    SettingsStore &m_store;
    Prompter &m_prompter;
    std::function<void()> m_leaveBusy;
};
