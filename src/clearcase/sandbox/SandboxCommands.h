#pragma once

#include "clearcase/sandbox/CommandLine.h"
#include "clearcase/sandbox/SandboxRecords.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>

class SandboxStore;

// cleartool commands over the sandbox store: startview, describe -long trtype:NAME@VOB and
// mktrtype. A command's output is returned; a failure throws ZanError whose description is
// cleartool's error line(s) ("cleartool: Error: ..."). Further commands are registered with
// addCommand, so the cleartool emulator extends the same interpreter.
class SandboxCommands
{
public:
    using Handler = std::function<QString(const QStringList &arguments)>;

    SandboxCommands(SandboxStore &store, QString userName, CommandLine::Style style = CommandLine::Style::Windows);

    // Registers a command; it is also found by any abbreviation of at least minimumLength
    // characters (cleartool's "desc" for "describe").
    void addCommand(const QString &name, int minimumLength, Handler handler);

    QString run(const QString &commandLine);
    QString run(const QStringList &words);

    // cleartool's error line(s) as a thrown ZanError.
    [[noreturn]] static void fail(const QStringList &errorLines);
    [[noreturn]] static void fail(const QString &errorText);

    // The describe -long record of a trigger type.
    static QString describeTriggerType(const SandboxTriggerType &type);

    SandboxStore &store() { return m_store; }

private:
    struct Command {
        int minimumLength;
        Handler handler;
    };

    QString startview(const QStringList &arguments);
    QString describe(const QStringList &arguments);
    QString mktrtype(const QStringList &arguments);
    const Command *find(const QString &word) const;

    SandboxStore &m_store;
    QString m_user;
    CommandLine::Style m_style;
    QMap<QString, Command> m_commands;
};
