#include "clearcase/emulator/EmulatorSyntax.h"

#include <algorithm>

namespace {

using Default = EmulatorSyntax::CommentDefault;

struct Row {
    const char *name;    // "des/cribe": the shortest form before the "/"
    const char *aliases; // blank-separated
    const char *options; // "-res/erved -out= ...": "=" marks an option that takes a value
    Default comment;
};

// Shortest forms as the command reference marks them; where it marks none, the name is
// written in full. Comment defaults: the reference confirms -nc for rmattr and rmtype and a
// prompt for checkout (and -cqe for checkin); the others are recalled, not confirmed.
const Row kRows[] = {
    {"des/cribe", "",
     "-l/ong -s/hort -fmt= -loc/al -ala/bel= -aat/tr= -ahl/ink= -cvi/ew -ver/sion= -anc/estor -ihl/ink= -pre/decessor "
     "-pna/me -typ/e -g/raph",
     Default::TakesNone},
    {"checkout", "co", "-res/erved -unr/eserved -nma/ster -out= -nda/ta -pti/me -bra/nch= -ver/sion -nwa/rn -q/uery -nq/uery",
     Default::Prompt},
    {"checkin", "ci", "-nwa/rn -cr -pti/me -kee/p -rm -fro/m= -ide/ntical -cact", Default::Prompt},
    {"uncheck/out", "unco", "-kee/p -rm -cact", Default::TakesNone},
    {"mkelem", "", "-elt/ype= -nco -ci -mkp/ath -master", Default::Prompt},
    {"mkbranch", "", "-ver/sion= -nco -pti/me", Default::NoComment},
    {"mklabel", "", "-rep/lace -r/ecurse -ver/sion=", Default::NoComment},
    {"rmelem", "", "-f/orce", Default::NoComment},
    {"rmname", "", "-f/orce", Default::NoComment},
    {"lock", "", "-rep/lace -nus/ers= -obs/olete -ver/sion=", Default::NoComment},
    {"unlock", "", "-ver/sion=", Default::NoComment},
    {"reserve", "", "-cact", Default::NoComment},
    {"unres/erve", "", "-vie/w= -cact", Default::NoComment},
    {"protect", "", "-chm/od= -cho/wn= -chg/rp=", Default::NoComment},
    {"chtype", "", "-f/orce", Default::NoComment},
    {"lnname", "", "", Default::NoComment},
    {"mkslink", "", "", Default::NoComment},
    {"mkattr", "", "-rep/lace -r/ecurse -ver/sion= -pna/me -def/ault", Default::NoComment},
    {"rmattr", "", "-ver/sion= -pna/me", Default::NoComment},
    {"mkatt/ype", "",
     "-rep/lace -glo/bal -acq/uire -ord/inary -vpe/lement -vpb/ranch -vpv/ersion -sha/red -vty/pe= -enu/m= -def/ault= "
     "-gt= -ge= -lt= -le=",
     Default::Prompt},
    {"mklbtype", "", "-rep/lace -glo/bal -acq/uire -ord/inary -pbr/anch -sha/red", Default::Prompt},
    {"mkbrtype", "", "-rep/lace -glo/bal -acq/uire -ord/inary -pbr/anch", Default::Prompt},
    {"mkeltype", "", "-rep/lace -glo/bal -acq/uire -ord/inary -sup/ertype= -man/ager=", Default::Prompt},
    {"mkhltype", "", "-rep/lace -glo/bal -acq/uire -ord/inary -sha/red", Default::Prompt},
    {"mktrtype", "",
     "-ele/ment -typ/e -ucm/object -a/ll -rep/lace -pre/op= -pos/top= -nus/ers= -exe/c= -execu/nix= -execw/in= "
     "-pri/nt -att/ype= -brt/ype= -elt/ype= -hlt/ype= -lbt/ype= -trt/ype=",
     Default::Prompt},
    {"rmtype", "", "-ign/ore -rma/ll -f/orce -kin/d=", Default::NoComment},
    {"rntype", "", "-f/orce -acq/uire", Default::NoComment},
    {"lst/ype", "", "-l/ong -s/hort -fmt= -obs/olete -kin/d= -inv/ob= -g/raph -loc/al -uns/orted", Default::TakesNone},
    {"lsv/iew", "", "-s/hort -l/ong -hos/t= -pro/perties -ful/l -age -reg/ion= -cvi/ew", Default::TakesNone},
    {"lsvob", "", "-s/hort -l/ong -hos/t= -reg/ion=", Default::TakesNone},
    {"catcs", "", "-tag=", Default::TakesNone},
    {"startview", "", "", Default::TakesNone},
    {"pwv", "", "-s/hort -wdv/iew -set/view -root", Default::TakesNone},
    {"pwd", "", "", Default::TakesNone},
    {"cd", "", "", Default::TakesNone},
    {"help", "", "", Default::TakesNone},
    {"lsch/eckout", "lsco", "-l/ong -s/hort -fmt= -cvi/ew -me -use/r= -all -avo/bs -d/irectory -r/ecurse -are/plicas", Default::TakesNone},
    {"lsh/istory", "", "-l/ong -s/hort -fmt= -min/or -sin/ce= -me -use/r= -all -avo/bs -d/irectory -r/ecurse -pna/me", Default::TakesNone},
    {"lsl/ock", "", "-l/ong -s/hort -fmt= -obs/olete -all -avo/bs -pna/me", Default::TakesNone},
    {"find", "", "-all -avo/bs -d/irectory -ele/ment= -ver/sion= -nxn/ame -pri/nt -exe/c= -cvi/ew -vis/ible -nvi/sible -nr/ecurse",
     Default::TakesNone},
    {"chevent", "", "-app/end -ins/ert -eve/nt= -pna/me -inv/ob=", Default::Prompt},
    {"setview", "", "-log/in -exe/c=", Default::TakesNone},
    {"ls", "", "-s/hort -l/ong -d/irectory -vob/_only -vie/w_only -r/ecurse -vis/ible", Default::TakesNone},
};

const char kCommentOptions[] = "-c/omment= -cfi/le= -cq/uery -cqe/ach -nc/omment";

// "-res/erved=" -> {"-reserved", 4, true}
EmulatorSyntax::Option optionFrom(QString spec)
{
    const bool takesValue = spec.endsWith(QLatin1Char('='));
    if (takesValue)
        spec.chop(1);
    const int mark = spec.indexOf(QLatin1Char('/'));
    if (mark < 0)
        return {spec, int(spec.size()), takesValue};
    return {spec.remove(mark, 1), mark, takesValue};
}

QList<EmulatorSyntax::Option> optionsFrom(const char *specs)
{
    QList<EmulatorSyntax::Option> options;
    for (const QString &spec : QString::fromLatin1(specs).split(QLatin1Char(' '), Qt::SkipEmptyParts))
        options << optionFrom(spec);
    return options;
}

bool names(const QString &word, const QString &name, int minimumLength)
{
    return word.size() >= minimumLength && name.startsWith(word);
}

} // namespace

const QList<EmulatorSyntax::Command> &EmulatorSyntax::table()
{
    static const QList<Command> commands = [] {
        QList<Command> result;
        for (const Row &row : kRows) {
            const Option name = optionFrom(QString::fromLatin1(row.name));
            Command command{name.name, name.minimumLength,
                            QString::fromLatin1(row.aliases).split(QLatin1Char(' '), Qt::SkipEmptyParts),
                            optionsFrom(row.options), row.comment};
            if (row.comment != CommentDefault::TakesNone)
                command.options += optionsFrom(kCommentOptions);
            result << command;
        }
        return result;
    }();
    return commands;
}

const EmulatorSyntax::Command *EmulatorSyntax::find(const QString &word)
{
    for (const Command &command : table()) {
        if (command.name == word || command.aliases.contains(word))
            return &command;
    }
    for (const Command &command : table()) {
        if (names(word, command.name, command.minimumLength))
            return &command;
    }
    return nullptr;
}

const EmulatorSyntax::Option *EmulatorSyntax::findOption(const Command &command, const QString &word)
{
    const Option *found = nullptr;
    for (const Option &option : command.options) {
        if (option.name == word)
            return &option;
        if (names(word, option.name, option.minimumLength)) {
            if (found)
                return nullptr;
            found = &option;
        }
    }
    return found;
}

QStringList EmulatorSyntax::normalised(const QStringList &words)
{
    const Command *command = words.isEmpty() ? nullptr : find(words.first());
    if (!command)
        return words;
    QStringList result{command->name};
    for (int i = 1; i < words.size(); ++i) {
        const QString &word = words.at(i);
        const Option *option = word.startsWith(QLatin1Char('-')) ? findOption(*command, word) : nullptr;
        if (word == QLatin1String("--")) {
            result += words.mid(i);
            break;
        }
        result << (option ? option->name : word);
        if (option && option->takesValue && i + 1 < words.size())
            result << words.at(++i);
    }
    return result;
}

QString EmulatorSyntax::commentOptionOf(const QStringList &normalisedWords)
{
    static const QStringList comments = {QStringLiteral("-comment"), QStringLiteral("-cfile"), QStringLiteral("-cquery"),
                                         QStringLiteral("-cqeach"), QStringLiteral("-ncomment")};
    for (const QString &word : normalisedWords) {
        if (word == QLatin1String("--"))
            break;
        if (comments.contains(word))
            return word;
    }
    return QString();
}

QString EmulatorSyntax::usage(const Command &command)
{
    const QList<Option> commentOptions = optionsFrom(kCommentOptions);
    QString text = QStringLiteral("Usage: ") + command.name;
    for (const Option &option : command.options) {
        const bool comment = std::any_of(commentOptions.cbegin(), commentOptions.cend(),
                                         [&](const Option &o) { return o.name == option.name; });
        if (!comment)
            text += QStringLiteral(" [%1%2]").arg(option.name, option.takesValue ? QStringLiteral(" value") : QString());
    }
    if (command.comment != CommentDefault::TakesNone)
        text += QStringLiteral(" [-c comment | -cfile pname | -cquery | -cqeach | -nc]");
    return text + QLatin1Char('\n');
}
