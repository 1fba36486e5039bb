#include "clearcase/sandbox/MktrtypeArguments.h"

#include "clearcase/sandbox/SandboxCommands.h"

#include <QSet>

namespace {

const QSet<QString> &operationKinds()
{
    static const QSet<QString> kinds = {
        QStringLiteral("MODIFY_TYPE"), QStringLiteral("MODIFY_ELEM"), QStringLiteral("MODIFY_DATA"),
        QStringLiteral("MODIFY_MD"), QStringLiteral("MODIFY_UCM"),
        QStringLiteral("mktype"), QStringLiteral("rmtype"), QStringLiteral("rntype"), QStringLiteral("lock"),
        QStringLiteral("unlock"), QStringLiteral("checkout"), QStringLiteral("mkelem"), QStringLiteral("mkbranch"),
        QStringLiteral("checkin"), QStringLiteral("rmelem"), QStringLiteral("rmbranch"), QStringLiteral("rmver"),
        QStringLiteral("rmname"), QStringLiteral("chtype"), QStringLiteral("mklabel"), QStringLiteral("mkattr"),
        QStringLiteral("mkhlink"), QStringLiteral("mktrigger"), QStringLiteral("rmlabel"), QStringLiteral("rmattr"),
        QStringLiteral("rmhlink"), QStringLiteral("rmtrigger"), QStringLiteral("uncheckout"), QStringLiteral("protect"),
        QStringLiteral("lnname"), QStringLiteral("mkslink"), QStringLiteral("reserve"), QStringLiteral("unreserve"),
        QStringLiteral("chevent"), QStringLiteral("chmaster"), QStringLiteral("modtype"),
        QStringLiteral("mkactivity"), QStringLiteral("chactivity"), QStringLiteral("rmactivity"),
        QStringLiteral("setactivity"), QStringLiteral("deliver_start"), QStringLiteral("deliver_complete"),
        QStringLiteral("deliver_cancel"), QStringLiteral("rebase_start"), QStringLiteral("rebase_complete"),
        QStringLiteral("rebase_cancel"), QStringLiteral("mkstream"), QStringLiteral("chstream"),
        QStringLiteral("rmstream"), QStringLiteral("mkbl"), QStringLiteral("mkbl_complete"), QStringLiteral("chbl"),
        QStringLiteral("rmbl"), QStringLiteral("mkproject"), QStringLiteral("chproject"), QStringLiteral("rmproject"),
        QStringLiteral("mkfolder"), QStringLiteral("chfolder"), QStringLiteral("rmfolder"), QStringLiteral("mkcomp"),
        QStringLiteral("rmcomp")};
    return kinds;
}

const QStringList kInclusionOptions = {QStringLiteral("-attype"), QStringLiteral("-brtype"), QStringLiteral("-eltype"),
                                       QStringLiteral("-hltype"), QStringLiteral("-lbtype"), QStringLiteral("-trtype")};

// Walks the arguments; value() takes the option's value or fails like cleartool.
class Reader
{
public:
    explicit Reader(const QStringList &arguments) : m_arguments(arguments) {}
    bool atEnd() const { return m_at >= m_arguments.size(); }
    QString next() { return m_arguments.at(m_at++); }
    QString value(const QString &option)
    {
        if (atEnd())
            SandboxCommands::fail(QStringLiteral("Option \"%1\" requires an argument.").arg(option));
        return next();
    }

private:
    const QStringList &m_arguments;
    int m_at = 0;
};

struct Flags {
    QString kindOption;
    bool all = false;
    bool commentGiven = false;
};

void setKind(Flags &flags, const QString &option)
{
    if (!flags.kindOption.isEmpty() && flags.kindOption != option)
        SandboxCommands::fail(QStringLiteral("Options \"%1\" and \"%2\" cannot be used together.").arg(flags.kindOption, option));
    flags.kindOption = option;
}

void setFiring(SandboxTriggerType &type, int firing, const QString &kinds)
{
    if (!type.operations.isEmpty())
        SandboxCommands::fail(QStringLiteral("Only one of -preop and -postop may be given."));
    type.firing = firing;
    for (const QString &kind : kinds.split(QLatin1Char(','))) {
        if (!MktrtypeArguments::isOperationKind(kind))
            SandboxCommands::fail(QStringLiteral("Unknown operation kind \"%1\".").arg(kind));
        type.operations << kind;
    }
}

void setComment(Flags &flags, SandboxTriggerType &type, const QString &comment)
{
    if (flags.commentGiven)
        SandboxCommands::fail(QStringLiteral("Only one comment option may be given."));
    flags.commentGiven = true;
    type.comment = comment;
}

// Reads one option; false when the argument is not an option this command knows.
bool readOption(const QString &option, Reader &reader, Flags &flags, MktrtypeArguments &result)
{
    SandboxTriggerType &type = result.type;
    if (option == QLatin1String("-element") || option == QLatin1String("-type") || option == QLatin1String("-ucmobject"))
        setKind(flags, option);
    else if (option == QLatin1String("-all"))
        flags.all = true;
    else if (option == QLatin1String("-replace"))
        result.replace = true;
    else if (option == QLatin1String("-preop") || option == QLatin1String("-postop"))
        setFiring(type, option == QLatin1String("-preop") ? 1 : 2, reader.value(option));
    else if (option == QLatin1String("-nusers"))
        type.exemptUsers << reader.value(option).split(QLatin1Char(','), Qt::SkipEmptyParts);
    else if (option == QLatin1String("-exec"))
        type.actions.append({TriggerTypeDefinition::AllClients, reader.value(option)});
    else if (option == QLatin1String("-execwin"))
        type.actions.append({TriggerTypeDefinition::WindowsClients, reader.value(option)});
    else if (option == QLatin1String("-execunix"))
        type.actions.append({TriggerTypeDefinition::UnixClients, reader.value(option)});
    else if (kInclusionOptions.contains(option))
        type.inclusions.append({option.mid(1), reader.value(option)});
    else if (option == QLatin1String("-c") || option == QLatin1String("-comment"))
        setComment(flags, type, reader.value(option));
    else if (option == QLatin1String("-nc") || option == QLatin1String("-ncomment"))
        setComment(flags, type, QString());
    else if (option != QLatin1String("-print"))
        return false;
    return true;
}

int triggerKind(const Flags &flags, const MktrtypeArguments &result)
{
    if (flags.kindOption.isEmpty())
        SandboxCommands::fail(QStringLiteral("One of -element, -type or -ucmobject must be given."));
    if (flags.kindOption == QLatin1String("-type")) {
        if (result.type.inclusions.isEmpty())
            SandboxCommands::fail(QStringLiteral("A type trigger needs an inclusion list."));
        return 0;
    }
    if (!result.type.inclusions.isEmpty())
        SandboxCommands::fail(QStringLiteral("An inclusion list is only allowed with -type."));
    if (flags.kindOption == QLatin1String("-element"))
        return flags.all ? 2 : 1;
    return flags.all ? 4 : 3;
}

} // namespace

bool MktrtypeArguments::isOperationKind(const QString &name)
{
    return operationKinds().contains(name);
}

MktrtypeArguments MktrtypeArguments::parse(const QStringList &arguments)
{
    MktrtypeArguments result;
    Flags flags;
    Reader reader(arguments);
    bool optionsEnded = false;
    while (!reader.atEnd()) {
        const QString word = reader.next();
        if (!optionsEnded && word == QLatin1String("--"))
            optionsEnded = true;
        else if (!optionsEnded && word.startsWith(QLatin1Char('-')) && word.size() > 1) {
            if (!readOption(word, reader, flags, result))
                SandboxCommands::fail(QStringLiteral("Unrecognized option \"%1\"").arg(word));
        } else {
            result.selectors << word;
        }
    }
    result.type.kind = triggerKind(flags, result);
    if (result.type.operations.isEmpty())
        SandboxCommands::fail(QStringLiteral("One of -preop and -postop must be given."));
    if (result.type.actions.isEmpty())
        SandboxCommands::fail(QStringLiteral("At least one action (-exec, -execunix, -execwin) must be given."));
    if (result.selectors.isEmpty())
        SandboxCommands::fail(QStringLiteral("A trigger type name must be given."));
    return result;
}
