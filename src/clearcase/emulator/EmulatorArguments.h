#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// One emulated command's words read by cleartool's rules: options may be abbreviated down
// to a minimum length ("-s" for -short, "-l" for -long), an option's value follows it as
// the next word, and "--" ends the options. An unknown option or a missing value fails
// with cleartool's error line.
class EmulatorArguments
{
public:
    struct Option {
        QString name;
        int minimumLength;
        bool takesValue = false;
    };

    EmulatorArguments(const QStringList &words, const QList<Option> &options);

    bool has(const QString &name) const { return m_values.contains(name); }
    QString value(const QString &name) const { return m_values.value(name); }
    const QStringList &operands() const { return m_operands; }

    // The comment options every comment-taking command accepts.
    static QList<Option> commentOptions();
    // The comment given with -c or -cfile, "" for -nc. A command given none of them would
    // prompt for a comment; the emulator refuses that instead of waiting on its input.
    QString comment() const;

private:
    const Option *find(const QString &word, const QList<Option> &options) const;

    QHash<QString, QString> m_values;
    QStringList m_operands;
};
