#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// One emulated command's words read by the command's row in EmulatorSyntax: options may be
// abbreviated down to their shortest form, an option's value follows it as the next word,
// and "--" ends the options. An unknown option or a missing value fails with cleartool's
// error line. Options are looked up by their full names.
class EmulatorArguments
{
public:
    EmulatorArguments(const QString &command, const QStringList &words);

    bool has(const QString &name) const { return m_values.contains(name); }
    QString value(const QString &name) const { return m_values.value(name); }
    const QStringList &operands() const { return m_operands; }

    // The comment given with -c or -cfile; "" for -nc and when none is given (a command
    // whose default would prompt never gets here without one: see EmulatorCommands::run).
    QString comment() const;

private:
    QHash<QString, QString> m_values;
    QStringList m_operands;
};
