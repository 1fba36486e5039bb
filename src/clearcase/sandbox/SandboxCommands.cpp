#include "clearcase/sandbox/SandboxCommands.h"

#include "clearcase/cleartool/CleartoolTriggerOptions.h"
#include "clearcase/sandbox/MktrtypeArguments.h"
#include "clearcase/sandbox/SandboxStore.h"
#include "util/ZanError.h"

namespace {

const QString kErrorPrefix = QStringLiteral("cleartool: Error: ");

struct TypeSelector {
    QString name;
    QString vobTag;
};

// NAME@VOB, with an optional "trtype:" prefix.
TypeSelector triggerTypeSelector(const QString &selector)
{
    QString text = selector;
    if (text.startsWith(QLatin1String("trtype:")))
        text = text.mid(7);
    const int at = text.lastIndexOf(QLatin1Char('@'));
    if (at <= 0 || at == text.size() - 1)
        SandboxCommands::fail(QStringLiteral("Unable to determine VOB for pathname \"%1\".").arg(selector));
    return {text.left(at), text.mid(at + 1)};
}

QString kindLine(int kind)
{
    switch (kind) {
    case 0:
        return QStringLiteral("type trigger");
    case 1:
        return QStringLiteral("element trigger");
    case 3:
        return QStringLiteral("UCM object trigger");
    case 4:
        return QStringLiteral("all UCM object trigger");
    default:
        return QStringLiteral("all element trigger");
    }
}

bool isLongOption(const QString &word)
{
    return word == QLatin1String("-l") || word == QLatin1String("-long");
}

} // namespace

SandboxCommands::SandboxCommands(SandboxStore &store, QString userName, CommandLine::Style style)
    : m_store(store), m_user(std::move(userName)), m_style(style)
{
    addCommand(QStringLiteral("startview"), 9, [this](const QStringList &a) { return startview(a); });
    addCommand(QStringLiteral("describe"), 4, [this](const QStringList &a) { return describe(a); });
    addCommand(QStringLiteral("mktrtype"), 8, [this](const QStringList &a) { return mktrtype(a); });
}

void SandboxCommands::addCommand(const QString &name, int minimumLength, Handler handler)
{
    m_commands.insert(name, Command{minimumLength, std::move(handler)});
}

void SandboxCommands::fail(const QStringList &errorLines)
{
    QStringList lines;
    for (const QString &line : errorLines)
        lines << kErrorPrefix + line;
    throw ZanError(ZanError::CommandFailure, QStringLiteral("cleartool"), lines.join(QLatin1Char('\n')));
}

void SandboxCommands::fail(const QString &errorText)
{
    fail(QStringList{errorText});
}

const SandboxCommands::Command *SandboxCommands::find(const QString &word) const
{
    for (auto it = m_commands.constBegin(); it != m_commands.constEnd(); ++it) {
        if (word.size() >= it->minimumLength && it.key().startsWith(word))
            return &it.value();
    }
    return nullptr;
}

QString SandboxCommands::run(const QString &commandLine)
{
    return run(CommandLine::split(commandLine, m_style));
}

QString SandboxCommands::run(const QStringList &words)
{
    if (words.isEmpty())
        return QString();
    const Command *command = find(words.first());
    if (!command)
        fail(QStringLiteral("Unrecognized command: \"%1\"").arg(words.first()));
    try {
        return command->handler(words.mid(1));
    } catch (const ZanError &e) {
        if (e.number() != ZanError::ClearCaseFailure)
            throw;
        fail(e.description());
    }
}

QString SandboxCommands::startview(const QStringList &arguments)
{
    if (arguments.isEmpty())
        fail(QStringLiteral("A view tag must be given."));
    for (const QString &tag : arguments) {
        if (tag.startsWith(QLatin1Char('-')))
            fail(QStringLiteral("Unrecognized option \"%1\"").arg(tag));
        m_store.startView(tag);
    }
    return QString();
}

QString SandboxCommands::describe(const QStringList &arguments)
{
    bool longForm = false;
    QStringList selectors;
    for (const QString &word : arguments) {
        if (isLongOption(word))
            longForm = true;
        else if (word.startsWith(QLatin1Char('-')))
            fail(QStringLiteral("Unrecognized option \"%1\"").arg(word));
        else
            selectors << word;
    }
    if (selectors.isEmpty())
        fail(QStringLiteral("An object to describe must be given."));
    QString output;
    for (const QString &selector : selectors) {
        if (!selector.startsWith(QLatin1String("trtype:")))
            fail(QStringLiteral("Unable to access \"%1\": No such file or directory.").arg(selector));
        const TypeSelector type = triggerTypeSelector(selector);
        m_store.vob(type.vobTag);
        const auto found = m_store.findTriggerType(type.vobTag, type.name);
        if (!found)
            fail(QStringLiteral("Trigger type not found: \"%1\".").arg(type.name));
        output += longForm ? describeTriggerType(*found) : QStringLiteral("trigger type \"%1\"\n").arg(found->name);
    }
    return output;
}

QString SandboxCommands::describeTriggerType(const SandboxTriggerType &type)
{
    QStringList lines;
    lines << QStringLiteral("trigger type \"%1\"").arg(type.name);
    lines << QStringLiteral("  created %1 by %2").arg(type.created.toString(Qt::ISODateWithMs).left(19), type.creator);
    if (!type.comment.isEmpty())
        lines << QStringLiteral("  \"%1\"").arg(type.comment);
    lines << QStringLiteral("  owner: %1").arg(type.creator);
    lines << QStringLiteral("  ") + kindLine(type.kind);
    lines << QStringLiteral("  %1 %2").arg(type.firing == 2 ? QStringLiteral("post-operation") : QStringLiteral("pre-operation"),
                                           type.operations.join(QStringLiteral(", ")));
    for (const auto &inclusion : type.inclusions)
        lines << QStringLiteral("  inclusion: -%1 %2").arg(inclusion.first, inclusion.second);
    for (const auto &action : type.actions)
        lines << QStringLiteral("  action: %1 \"%2\"").arg(CleartoolTriggerOptions::actionOption(action.target), action.command);
    if (!type.exemptUsers.isEmpty())
        lines << QStringLiteral("  excluded users: ") + type.exemptUsers.join(QLatin1Char(','));
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString SandboxCommands::mktrtype(const QStringList &arguments)
{
    const MktrtypeArguments parsed = MktrtypeArguments::parse(arguments);
    QString output;
    for (const QString &selector : parsed.selectors) {
        const TypeSelector target = triggerTypeSelector(selector);
        SandboxTriggerType type = parsed.type;
        type.name = target.name;
        type.creator = m_user;
        try {
            m_store.transaction([&] {
                if (parsed.replace && m_store.findTriggerType(target.vobTag, type.name))
                    m_store.removeTriggerType(target.vobTag, type.name);
                m_store.addTriggerType(target.vobTag, type);
            });
        } catch (const ZanError &e) {
            fail(QStringList{e.description(), QStringLiteral("Unable to create trigger type \"%1\".").arg(type.name)});
        }
        output += QStringLiteral("Created trigger type \"%1\".\n").arg(type.name);
    }
    return output;
}
