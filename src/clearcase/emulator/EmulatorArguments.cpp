#include "clearcase/emulator/EmulatorArguments.h"

#include "clearcase/emulator/EmulatorSyntax.h"
#include "clearcase/sandbox/SandboxCommands.h"

#include <QFile>

EmulatorArguments::EmulatorArguments(const QString &command, const QStringList &words)
{
    const EmulatorSyntax::Command *syntax = EmulatorSyntax::find(command);
    bool optionsEnded = false;
    for (int i = 0; i < words.size(); ++i) {
        const QString &word = words.at(i);
        if (optionsEnded || !word.startsWith(QLatin1Char('-')) || word.size() < 2) {
            m_operands << word;
            continue;
        }
        if (word == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        const EmulatorSyntax::Option *option = syntax ? EmulatorSyntax::findOption(*syntax, word) : nullptr;
        if (!option)
            SandboxCommands::fail(QStringLiteral("Unrecognized option \"%1\"").arg(word));
        QString value;
        if (option->takesValue) {
            if (i + 1 >= words.size())
                SandboxCommands::fail(QStringLiteral("Option \"%1\" requires an argument.").arg(option->name));
            value = words.at(++i);
        }
        m_values.insert(option->name, value);
    }
}

QString EmulatorArguments::comment() const
{
    if (has(QStringLiteral("-comment")))
        return value(QStringLiteral("-comment"));
    if (!has(QStringLiteral("-cfile")))
        return QString();
    QFile file(value(QStringLiteral("-cfile")));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        SandboxCommands::fail(QStringLiteral("Unable to open file \"%1\": No such file or directory.").arg(file.fileName()));
    return QString::fromLocal8Bit(file.readAll()).trimmed();
}
