#include "clearcase/emulator/EmulatorArguments.h"

#include "clearcase/sandbox/SandboxCommands.h"

#include <QFile>

EmulatorArguments::EmulatorArguments(const QStringList &words, const QList<Option> &options)
{
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
        const Option *option = find(word, options);
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

const EmulatorArguments::Option *EmulatorArguments::find(const QString &word, const QList<Option> &options) const
{
    for (const Option &option : options) {
        if (option.name == word)
            return &option;
    }
    for (const Option &option : options) {
        if (word.size() >= option.minimumLength && option.name.startsWith(word))
            return &option;
    }
    return nullptr;
}

QList<EmulatorArguments::Option> EmulatorArguments::commentOptions()
{
    return {{QStringLiteral("-c"), 2, true},
            {QStringLiteral("-cfile"), 3, true},
            {QStringLiteral("-cq"), 3},
            {QStringLiteral("-cqe"), 4},
            {QStringLiteral("-nc"), 3}};
}

QString EmulatorArguments::comment() const
{
    if (has(QStringLiteral("-c")))
        return value(QStringLiteral("-c"));
    if (has(QStringLiteral("-cfile"))) {
        QFile file(value(QStringLiteral("-cfile")));
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            SandboxCommands::fail(QStringLiteral("Unable to open file \"%1\": No such file or directory.").arg(file.fileName()));
        return QString::fromLocal8Bit(file.readAll()).trimmed();
    }
    if (has(QStringLiteral("-nc")))
        return QString();
    SandboxCommands::fail(QStringLiteral("Comment prompts are not supported here; give -c, -cfile or -nc."));
}
