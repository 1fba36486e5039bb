#include "clearcase/emulator/EmulatorCommands.h"

#include "clearcase/emulator/EmulatorArguments.h"
#include "clearcase/emulator/EmulatorFormat.h"
#include "clearcase/emulator/GuardedOperations.h"
#include "clearcase/sandbox/CommandLine.h"
#include "clearcase/sandbox/SandboxStore.h"
#include "util/ZanError.h"

#include <QFileInfo>
#include <QRegularExpression>

using Option = EmulatorArguments::Option;

namespace {


struct Selector {
    QString kind;    // "attype", "trtype", "vob", ... ; "" when the text had no prefix
    QString name;
    QString vobTag;
};

// attype:NAME@\vob, trtype:NAME@\vob, NAME@\vob, vob:\vob
Selector parseSelector(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^(?:(attype|trtype|lbtype|brtype|eltype|hltype|vob):)?(.*)$"));
    const QRegularExpressionMatch match = pattern.match(text);
    Selector selector{match.captured(1), match.captured(2), QString()};
    if (selector.kind == QLatin1String("vob")) {
        selector.vobTag = selector.name;
        return selector;
    }
    const int at = selector.name.lastIndexOf(QLatin1Char('@'));
    if (at <= 0 || at == selector.name.size() - 1)
        SandboxCommands::fail(QStringLiteral("Unable to determine VOB for pathname \"%1\".").arg(text));
    selector.vobTag = selector.name.mid(at + 1);
    selector.name = selector.name.left(at);
    return selector;
}

QString kindName(const QString &kind)
{
    static const QHash<QString, QString> names = {
        {QStringLiteral("attype"), QStringLiteral("attribute type")}, {QStringLiteral("trtype"), QStringLiteral("trigger type")},
        {QStringLiteral("lbtype"), QStringLiteral("label type")},     {QStringLiteral("brtype"), QStringLiteral("branch type")},
        {QStringLiteral("eltype"), QStringLiteral("element type")},   {QStringLiteral("hltype"), QStringLiteral("hyperlink type")}};
    return names.value(kind);
}

int valueTypeCode(const QString &name)
{
    static const QHash<QString, int> codes = {{QStringLiteral("integer"), 3}, {QStringLiteral("real"), 5},
                                              {QStringLiteral("time"), 7},    {QStringLiteral("string"), 8},
                                              {QStringLiteral("opaque"), 17}};
    if (!codes.contains(name))
        SandboxCommands::fail(QStringLiteral("Invalid value type \"%1\".").arg(name));
    return codes.value(name);
}

QString withoutVersion(const QString &pname)
{
    const int marker = pname.indexOf(QLatin1String("@@"));
    return marker >= 0 ? pname.left(marker) : pname;
}

QString padded(const QString &text, int width)
{
    return text.leftJustified(width) + QLatin1Char(' ');
}

} // namespace

EmulatorCommands::EmulatorCommands(SandboxStore &store, QString userName, QString localHost)
    : m_store(store), m_site(store.siteStyle()), m_user(std::move(userName)), m_localHost(std::move(localHost)),
      m_resolver(store), m_commands(store, m_user, m_site.kind()), m_plainCommands(store, m_user, m_site.kind())
{
    // Pre-operation triggers guard the type commands below and the element operations.
    const auto guarded = std::make_shared<GuardedOperations>(store, m_user);
    const auto add = [this, guarded](const QString &name, int minimumLength, QString (EmulatorCommands::*handler)(const QStringList &)) {
        m_commands.addCommand(name, minimumLength,
                              guarded->guard(name, [this, handler](const QStringList &words) { return (this->*handler)(words); }));
    };
    add(QStringLiteral("lsview"), 3, &EmulatorCommands::lsview);
    add(QStringLiteral("lsvob"), 5, &EmulatorCommands::lsvob);
    add(QStringLiteral("describe"), 4, &EmulatorCommands::describe);
    add(QStringLiteral("lstype"), 3, &EmulatorCommands::lstype);
    add(QStringLiteral("mkattype"), 5, &EmulatorCommands::mkattype);
    add(QStringLiteral("mkattr"), 6, &EmulatorCommands::mkattr);
    add(QStringLiteral("rmattr"), 6, &EmulatorCommands::rmattr);
    add(QStringLiteral("rmtype"), 6, &EmulatorCommands::rmtype);
    add(QStringLiteral("mktrtype"), 8, &EmulatorCommands::mktrtype);
    add(QStringLiteral("catcs"), 5, &EmulatorCommands::catcs);
    guarded->addOperations(m_commands);
}

QString EmulatorCommands::run(const QStringList &words)
{
    return m_commands.run(words);
}

QString EmulatorCommands::run(const QString &commandLine)
{
    return m_commands.run(commandLine);
}

// Version 0 as cleartool prints it after "@@": Windows writes that part with backslashes.
QString EmulatorCommands::versionZero() const
{
    return m_site.isUnix() ? QStringLiteral("/main/0") : QStringLiteral("\\main\\0");
}

// Where a view's or VOB's storage is said to be: a UNC share on Windows, /net on UNIX.
QString EmulatorCommands::storagePath(const QString &host, const QString &folder, const QString &name) const
{
    const QString flat = QString(name).replace(QLatin1Char('/'), QLatin1Char('_'));
    if (m_site.isUnix())
        return QStringLiteral("/net/%1/ccstg/%2/%3").arg(host, folder, flat);
    return QStringLiteral("\\\\%1\\ccstg\\%2\\%3").arg(host, folder, flat);
}

QStringList EmulatorCommands::split(const QString &commandLine) const
{
    return CommandLine::split(commandLine, m_site.kind());
}

QString EmulatorCommands::viewHost(const QString &host) const
{
    return host.isEmpty() ? m_localHost : host;
}

// --- views and VOBs ---------------------------------------------------------------------

QString EmulatorCommands::lsview(const QStringList &words)
{
    const EmulatorArguments args(words, {{QStringLiteral("-short"), 2}, {QStringLiteral("-long"), 2},
                                         {QStringLiteral("-host"), 3, true}, {QStringLiteral("-properties"), 3},
                                         {QStringLiteral("-full"), 3}, {QStringLiteral("-age"), 3},
                                         {QStringLiteral("-region"), 4, true}, {QStringLiteral("-cview"), 3}});
    if (args.has(QStringLiteral("-cview")))
        SandboxCommands::fail(QStringLiteral("Cannot get view info for current view: not a ClearCase object."));
    QList<SandboxView> views;
    if (args.operands().isEmpty())
        views = m_store.views();
    for (const QString &tag : args.operands())
        views << m_store.view(tag);

    QString out;
    for (const SandboxView &view : views) {
        const QString host = viewHost(view.host);
        if (args.has(QStringLiteral("-host")) && host.compare(args.value(QStringLiteral("-host")), Qt::CaseInsensitive) != 0)
            continue;
        const QString storage = storagePath(host, QStringLiteral("views"), view.tag + QStringLiteral(".vws"));
        if (args.has(QStringLiteral("-short"))) {
            out += view.tag + QLatin1Char('\n');
        } else if (args.has(QStringLiteral("-long"))) {
            out += QStringLiteral("Tag: %1\n  Global path: %2\n  Server host: %3\n  Region: sandbox\n  Active: %4\n"
                                  "View on host: %3\nView server access path: %2\n")
                       .arg(view.tag, storage, host, view.active ? QStringLiteral("YES") : QStringLiteral("NO"));
            if (view.snapshot)
                out += QStringLiteral("View attributes: snapshot\n");
            out += QStringLiteral("View owner: %1\n").arg(view.owner);
        } else {
            const bool star = view.active && !view.snapshot;
            out += (star ? QStringLiteral("* ") : QStringLiteral("  ")) + padded(view.tag, 24) + storage + QLatin1Char('\n');
        }
    }
    return out;
}

QString EmulatorCommands::lsvob(const QStringList &words)
{
    const EmulatorArguments args(words, {{QStringLiteral("-short"), 2}, {QStringLiteral("-long"), 2},
                                         {QStringLiteral("-host"), 3, true}, {QStringLiteral("-region"), 4, true}});
    QList<SandboxVob> vobs;
    if (args.operands().isEmpty())
        vobs = m_store.vobs();
    for (const QString &tag : args.operands())
        vobs << m_store.vob(tag);

    QString out;
    for (const SandboxVob &vob : vobs) {
        const QString storage = storagePath(m_localHost, QStringLiteral("vobs"), SandboxStore::vobName(vob.tag) + QStringLiteral(".vbs"));
        if (args.has(QStringLiteral("-short"))) {
            out += vob.tag + QLatin1Char('\n');
        } else if (args.has(QStringLiteral("-long"))) {
            out += QStringLiteral("Tag: %1\n  Global path: %2\n  Server host: %3\n  Access: public\n  Mount options:\n"
                                  "  Region: sandbox\n  Active: %4\nVob on host: %3\nVob server access path: %2\n"
                                  "Vob registry attributes: %5\n\n")
                       .arg(vob.tag, storage, m_localHost, vob.mounted ? QStringLiteral("YES") : QStringLiteral("NO"),
                            vob.ucmProject ? QStringLiteral("ucmvob") : QString());
        } else {
            out += (vob.mounted ? QStringLiteral("* ") : QStringLiteral("  ")) + padded(vob.tag, 24) + storage
                   + QStringLiteral(" public") + (vob.ucmProject ? QStringLiteral(" (ucmvob)") : QString()) + QLatin1Char('\n');
        }
    }
    return out;
}

QString EmulatorCommands::catcs(const QStringList &words)
{
    const EmulatorArguments args(words, {{QStringLiteral("-tag"), 3, true}});
    if (!args.has(QStringLiteral("-tag")))
        SandboxCommands::fail(QStringLiteral("Cannot get view info for current view: not a ClearCase object."));
    return m_store.view(args.value(QStringLiteral("-tag"))).configSpec;
}

// --- describe ---------------------------------------------------------------------------

EmulatorCommands::Described EmulatorCommands::describePname(const QString &pname)
{
    Described object;
    object.elementName = withoutVersion(pname);
    try {
        const SandboxPathResolver::Element element = m_resolver.resolve(pname);
        const bool directory = QFileInfo(m_store.vobFolder(element.vobTag) + QLatin1Char('/') + element.path).isDir();
        object.kind = directory ? QStringLiteral("directory version") : QStringLiteral("version");
        object.versionId = versionZero();
        object.name = object.elementName + QStringLiteral("@@") + versionZero();
        object.vobTag = element.vobTag;
        object.elementPath = element.path;
        object.isVersion = true;
    } catch (const ZanError &e) {
        if (!e.description().startsWith(QLatin1String("Not a vob object")) || pname.contains(QLatin1String("@@")))
            throw;
        object.kind = QStringLiteral("view private object");
        object.name = pname;
    }
    return object;
}

EmulatorCommands::Described EmulatorCommands::describeType(const QString &kind, const QString &name, const QString &vobTag)
{
    m_store.vob(vobTag);
    Described object;
    object.kind = kindName(kind);
    object.name = name;
    object.elementName = name;
    object.vobTag = vobTag;
    if (kind == QLatin1String("attype")) {
        for (const SandboxAttributeType &type : m_store.attributeTypes(vobTag)) {
            if (type.name == name) {
                object.comment = type.comment;
                return object;
            }
        }
        SandboxCommands::fail(QStringLiteral("Attribute type not found: \"%1\".").arg(name));
    }
    if (kind == QLatin1String("trtype")) {
        const auto type = m_store.findTriggerType(vobTag, name);
        if (!type)
            SandboxCommands::fail(QStringLiteral("Trigger type not found: \"%1\".").arg(name));
        object.comment = type->comment;
        return object;
    }
    SandboxCommands::fail(QStringLiteral("%1 not found: \"%2\".").arg(kindName(kind).left(1).toUpper() + kindName(kind).mid(1), name));
}

EmulatorCommands::Described EmulatorCommands::describeTarget(const QString &operand)
{
    static const QRegularExpression typePrefix(QStringLiteral("^(attype|trtype|lbtype|brtype|eltype|hltype|vob):"));
    if (!typePrefix.match(operand).hasMatch())
        return describePname(operand);
    const Selector selector = parseSelector(operand);
    if (selector.kind != QLatin1String("vob"))
        return describeType(selector.kind, selector.name, selector.vobTag);
    m_store.vob(selector.vobTag);
    Described object;
    object.kind = QStringLiteral("versioned object base");
    object.name = selector.vobTag;
    object.elementName = selector.vobTag;
    object.vobTag = selector.vobTag;
    return object;
}

QString EmulatorCommands::attributeValueText(const QString &vobTag, const AttributeInfo &attribute)
{
    for (const SandboxAttributeType &type : m_store.attributeTypes(vobTag)) {
        if (type.name == attribute.typeName && type.valueType != 8)
            return attribute.value;
    }
    return QLatin1Char('"') + attribute.value + QLatin1Char('"');
}

QString EmulatorCommands::attributeList(const Described &object, const QString &only)
{
    if (!object.isVersion)
        return QString();
    QStringList parts;
    for (const AttributeInfo &attribute : m_store.attributes(object.vobTag, object.elementPath)) {
        if (only.isEmpty() || attribute.typeName == only)
            parts << attribute.typeName + QLatin1Char('=') + attributeValueText(object.vobTag, attribute);
    }
    return parts.isEmpty() ? QString() : QLatin1Char('(') + parts.join(QStringLiteral(", ")) + QLatin1Char(')');
}

QString EmulatorCommands::formatted(const QString &format, const Described &object)
{
    return EmulatorFormat::expand(format, [&](QChar conversion, const QString &modifiers, const QString &argument) {
        switch (conversion.unicode()) {
        case 'm':
            return object.kind;
        case 'n':
            if (modifiers == QLatin1String("E"))
                return object.elementName;
            if (modifiers == QLatin1String("V"))
                return object.versionId;
            return object.name;
        case 'a':
            return attributeList(object, argument);
        case 'c':
            return object.comment.isEmpty() ? QString() : object.comment + QLatin1Char('\n');
        case 'u':
            return m_user;
        default:
            return QString();
        }
    });
}

QString EmulatorCommands::attributeSection(const Described &object, const QString &selection)
{
    if (!object.isVersion)
        SandboxCommands::fail(QStringLiteral("Not a vob object: \"%1\".").arg(object.name));
    const QStringList wanted = selection == QLatin1String("-all") ? QStringList() : selection.split(QLatin1Char(','));
    QString lines;
    for (const AttributeInfo &attribute : m_store.attributes(object.vobTag, object.elementPath)) {
        if (wanted.isEmpty() || wanted.contains(attribute.typeName))
            lines += QStringLiteral("    %1 = %2\n").arg(attribute.typeName, attributeValueText(object.vobTag, attribute));
    }
    return lines.isEmpty() ? QString() : QStringLiteral("  Attributes:\n") + lines;
}

QString EmulatorCommands::describeOne(const EmulatorArguments &args, const QString &operand)
{
    const Described object = describeTarget(operand);
    if (args.has(QStringLiteral("-fmt")))
        return formatted(args.value(QStringLiteral("-fmt")), object);
    if (args.has(QStringLiteral("-aattr")))
        return object.name + QLatin1Char('\n') + attributeSection(object, args.value(QStringLiteral("-aattr")));
    if (args.has(QStringLiteral("-short")))
        return object.name + QLatin1Char('\n');
    if (object.kind == QLatin1String("trigger type")) {
        if (!args.has(QStringLiteral("-long")))
            return QStringLiteral("trigger type \"%1\"\n").arg(object.name);
        return SandboxCommands::describeTriggerType(*m_store.findTriggerType(object.vobTag, object.name));
    }
    if (object.kind == QLatin1String("versioned object base") && args.has(QStringLiteral("-long"))) {
        // The VOB owner is the owner of the VOB's storage folder.
        return QStringLiteral("versioned object base \"%1\"\n  VOB ownership:\n    owner %2\n")
            .arg(object.name, QFileInfo(m_store.vobFolder(object.vobTag)).owner());
    }
    if (object.kind == QLatin1String("view private object"))
        return QStringLiteral("View private file \"%1\"\n").arg(object.name);
    QString out = QStringLiteral("%1 \"%2\"\n").arg(object.kind, object.name);
    if (!object.comment.isEmpty())
        out += QStringLiteral("  \"%1\"\n").arg(object.comment);
    if (object.isVersion)
        out += QStringLiteral("  element type: %1\n")
                   .arg(object.kind == QLatin1String("version") ? QStringLiteral("text_file") : QStringLiteral("directory"));
    return out;
}

QString EmulatorCommands::describe(const QStringList &words)
{
    const EmulatorArguments args(words, {{QStringLiteral("-local"), 4},       {QStringLiteral("-long"), 2},
                                         {QStringLiteral("-short"), 2},       {QStringLiteral("-fmt"), 4, true},
                                         {QStringLiteral("-aattr"), 3, true}, {QStringLiteral("-alabel"), 4, true},
                                         {QStringLiteral("-ahlink"), 3, true}, {QStringLiteral("-pname"), 3},
                                         {QStringLiteral("-cview"), 3}});
    if (args.operands().isEmpty())
        SandboxCommands::fail(QStringLiteral("An object to describe must be given."));
    QString out;
    for (const QString &operand : args.operands())
        out += describeOne(args, operand);
    return out;
}

// --- types ------------------------------------------------------------------------------

QStringList EmulatorCommands::typeNamesOfKind(const QString &kind, const QString &vobTag)
{
    QStringList names;
    if (kind == QLatin1String("attype")) {
        for (const SandboxAttributeType &type : m_store.attributeTypes(vobTag))
            names << type.name;
    } else if (kind == QLatin1String("trtype")) {
        for (const SandboxTriggerType &type : m_store.triggerTypes(vobTag))
            names << type.name;
    } else if (kind == QLatin1String("brtype")) {
        names << QStringLiteral("main");
    } else if (kind == QLatin1String("eltype")) {
        names << QStringLiteral("directory") << QStringLiteral("file") << QStringLiteral("text_file");
    } else if (kindName(kind).isEmpty()) {
        SandboxCommands::fail(QStringLiteral("Unknown object kind: \"%1\".").arg(kind));
    }
    return names;
}

QString EmulatorCommands::lstype(const QStringList &words)
{
    const EmulatorArguments args(words, {{QStringLiteral("-local"), 4},  {QStringLiteral("-long"), 2},
                                         {QStringLiteral("-short"), 2},  {QStringLiteral("-fmt"), 4, true},
                                         {QStringLiteral("-obsolete"), 4}, {QStringLiteral("-kind"), 3, true},
                                         {QStringLiteral("-invob"), 3, true}});
    QList<Described> objects;
    if (args.operands().isEmpty()) {
        if (!args.has(QStringLiteral("-invob")))
            SandboxCommands::fail(QStringLiteral("Unable to determine VOB for pathname \".\"."));
        if (!args.has(QStringLiteral("-kind")))
            SandboxCommands::fail(QStringLiteral("A type kind must be given with -kind."));
        const QString vobTag = args.value(QStringLiteral("-invob"));
        const QString kind = args.value(QStringLiteral("-kind"));
        m_store.vob(vobTag);
        for (const QString &name : typeNamesOfKind(kind, vobTag)) {
            Described object;
            object.kind = kindName(kind);
            object.name = name;
            object.vobTag = vobTag;
            objects << object;
        }
    }
    for (const QString &operand : args.operands()) {
        const Selector selector = parseSelector(operand);
        objects << describeType(selector.kind.isEmpty() ? args.value(QStringLiteral("-kind")) : selector.kind,
                                selector.name, selector.vobTag);
    }

    QString out;
    for (const Described &object : objects) {
        if (args.has(QStringLiteral("-fmt")))
            out += formatted(args.value(QStringLiteral("-fmt")), object);
        else if (args.has(QStringLiteral("-short")))
            out += object.name + QLatin1Char('\n');
        else
            out += QStringLiteral("%1 \"%2\"\n").arg(object.kind, object.name);
    }
    return out;
}

QString EmulatorCommands::mkattype(const QStringList &words)
{
    QList<Option> options = {{QStringLiteral("-replace"), 4}, {QStringLiteral("-global"), 3},
                             {QStringLiteral("-ordinary"), 3}, {QStringLiteral("-vpelement"), 4},
                             {QStringLiteral("-vpbranch"), 4}, {QStringLiteral("-vpversion"), 4},
                             {QStringLiteral("-shared"), 3},   {QStringLiteral("-vtype"), 3, true},
                             {QStringLiteral("-default"), 4, true}};
    options += EmulatorArguments::commentOptions();
    const EmulatorArguments args(words, options);
    const QString comment = args.comment();
    const int valueType = valueTypeCode(args.has(QStringLiteral("-vtype")) ? args.value(QStringLiteral("-vtype"))
                                                                          : QStringLiteral("opaque"));
    if (args.operands().isEmpty())
        SandboxCommands::fail(QStringLiteral("An attribute type name must be given."));
    QString out;
    for (const QString &operand : args.operands()) {
        const Selector selector = parseSelector(operand);
        if (!selector.kind.isEmpty() && selector.kind != QLatin1String("attype"))
            SandboxCommands::fail(QStringLiteral("Wrong kind of type selector: \"%1\".").arg(operand));
        m_store.vob(selector.vobTag);
        if (m_store.hasAttributeType(selector.vobTag, selector.name)) {
            if (!args.has(QStringLiteral("-replace")))
                SandboxCommands::fail({QStringLiteral("Name \"%1\" already exists.").arg(selector.name),
                                       QStringLiteral("Unable to create attribute type \"%1\".").arg(selector.name)});
            out += QStringLiteral("Replaced definition of attribute type \"%1\".\n").arg(selector.name);
            continue;
        }
        m_store.addAttributeType(selector.vobTag, {selector.name, valueType, comment, {}});
        out += QStringLiteral("Created attribute type \"%1\".\n").arg(selector.name);
    }
    return out;
}

// --- attributes -------------------------------------------------------------------------

QString EmulatorCommands::mkattr(const QStringList &words)
{
    QList<Option> options = {{QStringLiteral("-replace"), 4}, {QStringLiteral("-recurse"), 4},
                             {QStringLiteral("-version"), 4, true}, {QStringLiteral("-pname"), 3}};
    options += EmulatorArguments::commentOptions();
    const EmulatorArguments args(words, options);
    const QString comment = args.comment();
    if (args.operands().size() < 3)
        SandboxCommands::fail(QStringLiteral("An attribute type, a value and at least one object must be given."));
    const QString typeName = args.operands().at(0);
    const QString valueText = args.operands().at(1);

    QString out;
    for (const QString &operand : args.operands().mid(2)) {
        const QString pname = operand + args.value(QStringLiteral("-version"));
        const Described object = describePname(pname);
        if (!object.isVersion)
            SandboxCommands::fail(QStringLiteral("Not a vob object: \"%1\".").arg(pname));
        QString value = valueText;
        const bool quoted = value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"'));
        for (const SandboxAttributeType &type : m_store.attributeTypes(object.vobTag)) {
            if (type.name == typeName && type.valueType == 8 && !quoted)
                SandboxCommands::fail({QStringLiteral("Value \"%1\" is not of the value type string of attribute type \"%2\".")
                                           .arg(valueText, typeName),
                                       QStringLiteral("Unable to create attribute \"%1\" on \"%2\".").arg(typeName, object.name)});
        }
        if (quoted)
            value = value.mid(1, value.size() - 2);
        try {
            m_store.attachAttribute(object.vobTag, object.elementPath, typeName, value, comment, args.has(QStringLiteral("-replace")));
        } catch (const ZanError &e) {
            if (e.number() != ZanError::ClearCaseFailure)
                throw;
            SandboxCommands::fail({e.description(), QStringLiteral("Unable to create attribute \"%1\" on \"%2\".").arg(typeName, object.name)});
        }
        out += QStringLiteral("Created attribute \"%1\" on \"%2\".\n").arg(typeName, object.name);
    }
    return out;
}

QString EmulatorCommands::rmattr(const QStringList &words)
{
    QList<Option> options = {{QStringLiteral("-version"), 4, true}, {QStringLiteral("-pname"), 3}};
    options += EmulatorArguments::commentOptions();
    const EmulatorArguments args(words, options);
    args.comment();
    if (args.operands().size() < 2)
        SandboxCommands::fail(QStringLiteral("An attribute type and at least one object must be given."));
    const QString typeName = args.operands().at(0);
    QString out;
    for (const QString &operand : args.operands().mid(1)) {
        const Described object = describePname(operand + args.value(QStringLiteral("-version")));
        if (!object.isVersion)
            SandboxCommands::fail(QStringLiteral("Not a vob object: \"%1\".").arg(object.name));
        m_store.removeAttribute(object.vobTag, object.elementPath, typeName);
        out += QStringLiteral("Removed attribute \"%1\" from \"%2\".\n").arg(typeName, object.name);
    }
    return out;
}

QString EmulatorCommands::mktrtype(const QStringList &words)
{
    return m_plainCommands.run(QStringList{QStringLiteral("mktrtype")} + words);
}

QString EmulatorCommands::rmtype(const QStringList &words)
{
    QList<Option> options = {{QStringLiteral("-kind"), 3, true}, {QStringLiteral("-ignore"), 3},
                             {QStringLiteral("-rmall"), 4},      {QStringLiteral("-force"), 2}};
    options += EmulatorArguments::commentOptions();
    const EmulatorArguments args(words, options);
    args.comment();
    if (args.has(QStringLiteral("-rmall")) && !args.has(QStringLiteral("-force")))
        SandboxCommands::fail(QStringLiteral("Confirmation prompts are not supported here; give -force with -rmall."));
    if (args.operands().isEmpty())
        SandboxCommands::fail(QStringLiteral("A type selector must be given."));
    QString out;
    for (const QString &operand : args.operands()) {
        const Selector selector = parseSelector(operand);
        const QString kind = selector.kind.isEmpty() ? args.value(QStringLiteral("-kind")) : selector.kind;
        if (kind != QLatin1String("trtype"))
            SandboxCommands::fail(QStringLiteral("Removing a %1 is not supported here: \"%2\".").arg(kindName(kind), operand));
        m_store.vob(selector.vobTag);
        m_store.removeTriggerType(selector.vobTag, selector.name);
        out += QStringLiteral("Removed trigger type \"%1\".\n").arg(selector.name);
    }
    return out;
}
