#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The emulator's command surface in one table: each command's name, its aliases ("co"), the
// shortest abbreviation cleartool accepts for it, its options with their shortest forms and
// whether they take a value, and what it does when no comment option is given.
//
// Abbreviation rule (the command reference marks the shortest form of every name, e.g.
// "-res/erved"): a word names an option when it is a prefix of the option's full name at
// least as long as the marked form; a name without a mark must be typed in full. An exact
// name always wins. Abbreviations are per command: "-pre" is -predecessor for describe and
// -preop for mktrtype.
class EmulatorSyntax
{
public:
    // Without a comment option: NoComment records none (-nc is the default); Prompt asks on
    // standard input (-cq / -cqe defaults), which the emulator refuses rather than wait;
    // TakesNone marks commands without comment options.
    enum class CommentDefault { TakesNone, NoComment, Prompt };

    struct Option {
        QString name;
        int minimumLength = 0;
        bool takesValue = false;
    };

    struct Command {
        QString name;
        int minimumLength = 0;
        QStringList aliases;
        QList<Option> options;
        CommentDefault comment = CommentDefault::TakesNone;
    };

    // The command a word names (full name, alias or abbreviation); nullptr for none.
    static const Command *find(const QString &word);
    // The command's option a word names; nullptr for none or an ambiguous abbreviation.
    static const Option *findOption(const Command &command, const QString &word);

    // The words with the command name and every option written in full, so that handlers
    // compare full names only. Unknown words stay as they are (the handler reports them);
    // "--" ends the options.
    static QStringList normalised(const QStringList &words);
    // The comment option given, "" when none is.
    static QString commentOptionOf(const QStringList &normalisedWords);

    // "Usage: lsvob [-short] [-long] [-host value] ..." (its options in full, the comment
    // options as one choice), as help and -help print it.
    static QString usage(const Command &command);
    static const QList<Command> &commands() { return table(); }

private:
    static const QList<Command> &table();
};
