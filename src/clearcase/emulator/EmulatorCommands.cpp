#include "clearcase/emulator/EmulatorCommands.h"

#include "clearcase/emulator/EmulatorArguments.h"
#include "clearcase/emulator/EmulatorFind.h"
#include "clearcase/emulator/EmulatorFormat.h"
#include "clearcase/emulator/EmulatorListings.h"
#include "clearcase/emulator/EmulatorSyntax.h"
#include "clearcase/emulator/GuardedOperations.h"
#include "clearcase/emulator/OperandOutcomes.h"
#include "clearcase/emulator/OutsideVobs.h"
#include "clearcase/emulator/VobSelector.h"
#include "clearcase/sandbox/CommandLine.h"
#include "clearcase/sandbox/MktrtypeArguments.h"
#include "clearcase/sandbox/SandboxSeed.h"
#include "clearcase/sandbox/SandboxStore.h"
#include "util/ZanError.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>

#include <algorithm>

namespace {

struct Selector {
    QString kind;    // "attype", "trtype", "vob", ... ; "" when the text had no prefix
    QString name;
    QString vobTag;
};

// The kind a selector's prefix names ("attype" for "attype:NAME@\\vob"); "" for a pathname.
QString selectorKind(const QString &text)
{
    static const QStringList kinds{QStringLiteral("attype"), QStringLiteral("trtype"), QStringLiteral("lbtype"),
                                   QStringLiteral("brtype"), QStringLiteral("eltype"), QStringLiteral("hltype"),
                                   QStringLiteral("vob")};
    for (const QString &kind : kinds) {
        if (text.size() > kind.size() && text.at(kind.size()) == QLatin1Char(':') && text.startsWith(kind))
            return kind;
    }
    return QString();
}

// attype:NAME@\vob, trtype:NAME@\vob, NAME@\vob, vob:\vob (or vob:<pname>, kept as given)
Selector parseSelector(const QString &text)
{
    const QString kind = selectorKind(text);
    Selector selector{kind, text.mid(kind.isEmpty() ? 0 : kind.size() + 1), QString()};
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

// UNIX cleartool's parser escapes only what is not a letter or digit: an unquoted "\\n" stays
// a backslash and an n (for -fmt to expand). Such backslashes are doubled here so that the
// shared parser, which escapes every character, keeps them.
QString withLetterEscapesKept(const QString &line)
{
    QString result;
    QChar quote;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        const bool escapes = c == QLatin1Char('\\') && i + 1 < line.size();
        if (quote.isNull() && escapes) {
            result += c;
            result += line.at(i + 1).isLetterOrNumber() ? c : line.at(++i);
            continue;
        }
        if (quote == QLatin1Char('"') && escapes && line.at(i + 1) == quote) {
            result += c;
            result += line.at(++i);
            continue;
        }
        if (quote.isNull() && (c == QLatin1Char('\'') || c == QLatin1Char('"')))
            quote = c;
        else if (c == quote)
            quote = QChar();
        result += c;
    }
    return result;
}

// cleartool's dates: 07-Dec-26.03:50:12, the short form 07-Dec-26.
QString dateText(const QDateTime &when, bool shortForm)
{
    return QLocale::c().toString(when, shortForm ? QStringLiteral("dd-MMM-yy") : QStringLiteral("dd-MMM-yy.hh:mm:ss"));
}

} // namespace

EmulatorCommands::EmulatorCommands(SandboxStore &store, QString userName, QString localHost)
    : m_store(store), m_site(store.siteStyle()), m_user(std::move(userName)), m_localHost(std::move(localHost)),
      m_resolver(store), m_types(store), m_history(store, m_user, m_localHost), m_commands(store, m_user, m_site.kind()),
      m_plainCommands(store, m_user, m_site.kind())
{
    m_resolver.setWorkingDirectory(initialWorkingDirectory());
    m_resolver.keepLookups();
    // Pre-operation triggers guard the type commands below and the element operations.
    const auto guarded = std::make_shared<GuardedOperations>(store, m_user, m_localHost, m_resolver,
                                                             [this](const QString &tag) { return viewStorage(tag); });
    const auto add = [this, guarded](const QString &name, QString (EmulatorCommands::*handler)(const QStringList &)) {
        m_commands.addCommand(name, int(name.size()),
                              guarded->guard(name, [this, handler](const QStringList &words) { return (this->*handler)(words); }));
    };
    add(QStringLiteral("lsview"), &EmulatorCommands::lsview);
    add(QStringLiteral("lsvob"), &EmulatorCommands::lsvob);
    add(QStringLiteral("describe"), &EmulatorCommands::describe);
    add(QStringLiteral("lstype"), &EmulatorCommands::lstype);
    add(QStringLiteral("mkattype"), &EmulatorCommands::mkattype);
    add(QStringLiteral("mkattr"), &EmulatorCommands::mkattr);
    add(QStringLiteral("rmattr"), &EmulatorCommands::rmattr);
    add(QStringLiteral("rmtype"), &EmulatorCommands::rmtype);
    add(QStringLiteral("mktrtype"), &EmulatorCommands::mktrtype);
    add(QStringLiteral("catcs"), &EmulatorCommands::catcs);
    add(QStringLiteral("cd"), &EmulatorCommands::cd);
    add(QStringLiteral("pwd"), &EmulatorCommands::pwd);
    add(QStringLiteral("pwv"), &EmulatorCommands::pwv);
    add(QStringLiteral("ls"), &EmulatorCommands::ls);
    add(QStringLiteral("help"), &EmulatorCommands::help);
    add(QStringLiteral("chevent"), &EmulatorCommands::chevent);
    add(QStringLiteral("setview"), &EmulatorCommands::setview);
    const auto listings = std::make_shared<EmulatorListings>(store, m_resolver, m_user);
    m_commands.addCommand(QStringLiteral("lscheckout"), 4, [listings](const QStringList &words) { return listings->lscheckout(words); });
    m_commands.addCommand(QStringLiteral("lshistory"), 3, [listings](const QStringList &words) { return listings->lshistory(words); });
    m_commands.addCommand(QStringLiteral("lslock"), 3, [listings](const QStringList &words) { return listings->lslock(words); });
    const auto finder = std::make_shared<EmulatorFind>(store, m_resolver);
    m_commands.addCommand(QStringLiteral("find"), 4, [finder](const QStringList &words) { return finder->find(words); });
    guarded->addOperations(m_commands);
}

// cleartool -version (-ver), and any command's usage for -help (-h) in place of its options.
std::optional<QString> EmulatorCommands::usageOrVersion(const QStringList &words, const EmulatorSyntax::Command *command)
{
    if (words.isEmpty())
        return std::nullopt;
    const QString &first = words.first();
    if (first.size() >= 4 && QStringLiteral("-version").startsWith(first))
        return QStringLiteral("ClearCase version %1 (cleartool-sim)\ncleartool                         %1 (cleartool-sim)\n")
            .arg(QLatin1String(emulatedVersion));
    if (command && words.size() >= 2 && (words.at(1) == QLatin1String("-help") || words.at(1) == QLatin1String("-h")))
        return EmulatorSyntax::usage(*command);
    return std::nullopt;
}

QString EmulatorCommands::help(const QStringList &words)
{
    QString out;
    if (words.isEmpty()) {
        for (const EmulatorSyntax::Command &command : EmulatorSyntax::commands())
            out += EmulatorSyntax::usage(command);
        return out;
    }
    for (const QString &word : words) {
        const EmulatorSyntax::Command *command = EmulatorSyntax::find(word);
        if (!command)
            SandboxCommands::fail(QStringLiteral("Unrecognized command: \"%1\"").arg(word));
        out += EmulatorSyntax::usage(*command);
    }
    return out;
}

QString EmulatorCommands::run(const QStringList &words)
{
    const QStringList normalised = EmulatorSyntax::normalised(words);
    const EmulatorSyntax::Command *command = words.isEmpty() ? nullptr : EmulatorSyntax::find(words.first());
    if (const std::optional<QString> answer = usageOrVersion(words, command))
        return *answer;
    const QString comment = EmulatorSyntax::commentOptionOf(normalised);
    const bool asks = comment == QLatin1String("-cquery") || comment == QLatin1String("-cqeach")
                      || (comment.isEmpty() && command && command->comment == EmulatorSyntax::CommentDefault::Prompt);
    // cleartool would read the comment from standard input, which holds the next commands.
    if (asks)
        SandboxCommands::fail(QStringLiteral("%1 would prompt for a comment, which cannot be answered here; give -c, -cfile or -nc.")
                                  .arg(command ? command->name : words.first()));
    m_ownerOfVob.clear();
    m_attributeTypesOfVob.clear();
    m_selectedVersions.clear();
    m_attributesOf.clear();
    m_resolver.forgetLookups();
    return m_commands.run(normalised);
}

QString EmulatorCommands::run(const QString &commandLine)
{
    return run(split(commandLine));
}

QStringList EmulatorCommands::split(const QString &commandLine) const
{
    return CommandLine::split(m_site.isUnix() ? withLetterEscapesKept(commandLine) : commandLine, m_site.kind());
}

// The process's folder as the site writes it, when it lies in a view: PWD keeps the view's
// path where the system's own answer would have followed the VOB's link.
QString EmulatorCommands::initialWorkingDirectory() const
{
    const QString views = QDir::cleanPath(m_store.driveFolder(SandboxSeed::viewDrive));
    const QString current = QDir::current().canonicalPath();
    for (const QString &folder : {qEnvironmentVariable("PWD"), QDir::currentPath()}) {
        const QString clean = QDir::cleanPath(folder);
        if (folder.isEmpty() || QFileInfo(clean).canonicalFilePath() != current
            || (clean != views && !clean.startsWith(views + QLatin1Char('/'))))
            continue;
        const QString rest = clean.mid(views.size());
        if (m_site.isUnix())
            return m_site.viewRoot() + rest;
        return SandboxSeed::viewDrive + QLatin1Char(':') + (rest.isEmpty() ? QStringLiteral("\\") : QString(rest).replace(QLatin1Char('/'), QLatin1Char('\\')));
    }
    return QString();
}

// Where a view's or VOB's storage is said to be: a UNC share on Windows, /net on UNIX.
QString EmulatorCommands::storagePath(const QString &host, const QString &folder, const QString &name) const
{
    const QString flat = QString(name).replace(QLatin1Char('/'), QLatin1Char('_'));
    if (m_site.isUnix())
        return QStringLiteral("/net/%1/ccstg/%2/%3").arg(host, folder, flat);
    return QStringLiteral("\\\\%1\\ccstg\\%2\\%3").arg(host, folder, flat);
}

// A view as checkin's error names it: host:storage path.
QString EmulatorCommands::viewStorage(const QString &viewTag)
{
    const QString host = viewHost(m_store.view(viewTag).host);
    return host + QLatin1Char(':') + storagePath(host, QStringLiteral("views"), viewTag + QStringLiteral(".vws"));
}

QString EmulatorCommands::viewHost(const QString &host) const
{
    return host.isEmpty() ? m_localHost : host;
}

// The owner of the VOB's storage folder, as the system reports it.
QString EmulatorCommands::vobOwner(const QString &vobTag)
{
    const auto known = m_ownerOfVob.constFind(vobTag);
    if (known != m_ownerOfVob.constEnd())
        return *known;
    return m_ownerOfVob[vobTag] = QFileInfo(m_store.vobFolder(vobTag)).owner();
}

const QList<SandboxAttributeType> &EmulatorCommands::attributeTypes(const QString &vobTag)
{
    auto known = m_attributeTypesOfVob.find(vobTag);
    if (known == m_attributeTypesOfVob.end())
        known = m_attributeTypesOfVob.insert(vobTag, m_store.attributeTypes(vobTag));
    return *known;
}

// --- views and VOBs ---------------------------------------------------------------------

QString EmulatorCommands::lsview(const QStringList &words)
{
    const EmulatorArguments args(QStringLiteral("lsview"), words);
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
    const EmulatorArguments args(QStringLiteral("lsvob"), words);
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
    const EmulatorArguments args(QStringLiteral("catcs"), words);
    if (!args.has(QStringLiteral("-tag")))
        SandboxCommands::fail(QStringLiteral("Cannot get view info for current view: not a ClearCase object."));
    return m_store.view(args.value(QStringLiteral("-tag"))).configSpec;
}

// --- working directory -------------------------------------------------------------------

QString EmulatorCommands::cd(const QStringList &words)
{
    const EmulatorArguments args(QStringLiteral("cd"), words);
    if (args.operands().size() != 1)
        SandboxCommands::fail(QStringLiteral("A directory must be given."));
    const QString target = m_resolver.absolute(args.operands().first());
    // Any folder of this computer will do; relative pathnames from it lie in no view.
    const QString hostFolder = OutsideVobs::hostFolder(m_resolver, target);
    if (!hostFolder.isEmpty()) {
        m_resolver.setWorkingDirectory(hostFolder);
        return QString();
    }
    const QString host = m_resolver.hostPath(target);
    if (host.isEmpty() || !QFileInfo(host).isDir())
        SandboxCommands::fail(QStringLiteral("Unable to change directory to \"%1\": No such file or directory.").arg(args.operands().first()));
    // The folder as written, with "." and ".." taken out.
    QStringList kept;
    const QChar separator = m_site.separator();
    const QString drive = m_site.isUnix() ? QString() : target.left(2);
    for (const QString &part : (m_site.isUnix() ? target : target.mid(2)).split(QRegularExpression(QStringLiteral("[\\\\/]")), Qt::SkipEmptyParts)) {
        if (part == QLatin1String("..") && !kept.isEmpty())
            kept.removeLast();
        else if (part != QLatin1String(".") && part != QLatin1String(".."))
            kept << part;
    }
    m_resolver.setWorkingDirectory(drive + separator + kept.join(separator));
    return QString();
}

QString EmulatorCommands::pwd(const QStringList &words)
{
    const EmulatorArguments args(QStringLiteral("pwd"), words);
    const QString folder = m_resolver.workingDirectory();
    return (folder.isEmpty() ? QDir::currentPath() : folder) + QLatin1Char('\n');
}

// The working-directory view is the view the working directory lies in; the emulator, like
// Windows ClearCase, never has a set view.
QString EmulatorCommands::pwv(const QStringList &words)
{
    const EmulatorArguments args(QStringLiteral("pwv"), words);
    const QString none = QStringLiteral("** NONE **");
    QString tag = m_site.viewTagOf(m_resolver.workingDirectory());
    if (tag.isEmpty())
        tag = none;
    if (args.has(QStringLiteral("-root"))) {
        if (tag == none)
            return QStringLiteral("\n");
        return (m_site.isUnix() ? m_site.viewRoot() + QLatin1Char('/') + tag : SandboxSeed::viewDrive + QStringLiteral(":\\") + tag)
               + QLatin1Char('\n');
    }
    if (args.has(QStringLiteral("-short")))
        return (args.has(QStringLiteral("-setview")) ? none : tag) + QLatin1Char('\n');
    QString out;
    if (!args.has(QStringLiteral("-setview")))
        out += QStringLiteral("Working directory view: %1\n").arg(tag);
    if (!args.has(QStringLiteral("-wdview")))
        out += QStringLiteral("Set view: %1\n").arg(none);
    return out;
}

namespace {

QString selectedVersionOf(const SandboxStore::VersionState &state)
{
    return state.checkedOut ? QStringLiteral("/main/CHECKEDOUT") : QStringLiteral("/main/%1").arg(state.latest);
}

bool isQuoted(const QString &valueText)
{
    return valueText.size() >= 2 && valueText.startsWith(QLatin1Char('"')) && valueText.endsWith(QLatin1Char('"'));
}

QString versionKey(const QString &viewTag, const QString &vobTag, const QString &path)
{
    return viewTag + QLatin1Char('\n') + vobTag + QLatin1Char('\n') + path;
}

} // namespace

// The version a checkout started from or a checkin followed; "" for /main/0.
QString EmulatorCommands::predecessorOf(const SandboxPathResolver::Element &element, const QString &selector)
{
    if (selector.endsWith(QLatin1String("CHECKEDOUT")))
        return QStringLiteral("/main/%1").arg(m_store.latestVersion(element.vobTag, element.path));
    const int number = selector.section(QLatin1Char('/'), -1).toInt();
    return number > 0 ? QStringLiteral("/main/%1").arg(number - 1) : QString();
}

// The version a plain pathname selects in its view: the checkout, else the latest.
QString EmulatorCommands::selectedVersion(const SandboxPathResolver::Element &element)
{
    const auto expected = m_selectedVersions.constFind(versionKey(element.viewTag, element.vobTag, element.path));
    if (expected != m_selectedVersions.cend())
        return *expected;
    return selectedVersionOf({m_store.latestVersion(element.vobTag, element.path),
                              m_store.isCheckedOut(element.vobTag, element.path, element.viewTag, m_user)});
}

QList<AttributeInfo> EmulatorCommands::attributesOf(const Described &object)
{
    const auto expected = m_attributesOf.constFind(versionKey(QString(), object.vobTag, object.attributeKey));
    if (expected != m_attributesOf.cend())
        return *expected;
    return m_store.attributes(object.vobTag, object.attributeKey);
}

// For a command naming many pathnames: what it reads of each (the selected version, and the
// attributes when asked) is read in one query per view and VOB. A pathname that does not
// resolve fails later, in its turn.
void EmulatorCommands::expectVersionFacts(const QStringList &pnames, bool attributesToo)
{
    QHash<QPair<QString, QString>, QStringList> wanted; // view and VOB -> paths
    for (const QString &pname : pnames) {
        try {
            const SandboxPathResolver::Element element = m_resolver.resolve(pname);
            wanted[{element.viewTag, element.vobTag}] << element.path;
        } catch (const ZanError &) {
        }
    }
    for (auto group = wanted.cbegin(); group != wanted.cend(); ++group) {
        const auto &[viewTag, vobTag] = group.key();
        const QStringList &paths = group.value();
        const QList<SandboxStore::VersionState> states = m_store.versionStates(vobTag, paths, viewTag, m_user);
        for (qsizetype i = 0; i < paths.size(); ++i)
            m_selectedVersions.insert(versionKey(viewTag, vobTag, paths.at(i)), selectedVersionOf(states.at(i)));
        if (!attributesToo)
            continue;
        const QList<QList<AttributeInfo>> attributes = m_store.attributesOf(vobTag, paths);
        for (qsizetype i = 0; i < paths.size(); ++i)
            m_attributesOf.insert(versionKey(QString(), vobTag, paths.at(i)), attributes.at(i));
    }
}

QString EmulatorCommands::listed(const QString &name, const SandboxPathResolver::Element &element, bool shortForm)
{
    const QString selected = selectedVersion(element);
    const bool checkedOut = selected.endsWith(QLatin1String("CHECKEDOUT"));
    QString entry = name + QStringLiteral("@@") + m_resolver.printed(selected);
    if (shortForm)
        return entry + QLatin1Char('\n');
    if (checkedOut)
        entry += QStringLiteral(" from ") + m_resolver.printed(QStringLiteral("/main/%1").arg(m_store.latestVersion(element.vobTag, element.path)));
    const QString rule = checkedOut ? QStringLiteral("CHECKEDOUT") : m_resolver.printed(QStringLiteral("/main/LATEST"));
    return padded(entry, 40) + QStringLiteral("Rule: ") + rule + QLatin1Char('\n');
}

QString EmulatorCommands::ls(const QStringList &words)
{
    const EmulatorArguments args(QStringLiteral("ls"), words);
    const bool shortForm = args.has(QStringLiteral("-short"));
    QStringList operands = args.operands();
    if (operands.isEmpty())
        operands << QString();
    QString out;
    for (const QString &operand : operands) {
        const QString host = m_resolver.hostPath(operand.isEmpty() ? QStringLiteral(".") : operand);
        if (host.isEmpty() || !QFileInfo::exists(host))
            SandboxCommands::fail(QStringLiteral("Unable to access \"%1\": No such file or directory.").arg(operand));
        QStringList names{operand};
        if (QFileInfo(host).isDir() && !args.has(QStringLiteral("-directory"))) {
            names.clear();
            const QString prefix = operand.isEmpty() ? QString() : operand + m_site.separator();
            for (const QString &entry : QDir(host).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name))
                names << prefix + entry;
        }
        for (const QString &name : names) {
            try {
                out += listed(name, m_resolver.resolve(name.isEmpty() ? QStringLiteral(".") : name), shortForm);
            } catch (const ZanError &) {
                if (!args.has(QStringLiteral("-vob_only")))
                    out += name + QLatin1Char('\n');
            }
        }
    }
    return out;
}

// --- describe ---------------------------------------------------------------------------

// Without the file facts (an attribute command's target) the element is only looked up in
// the store: its kind and creation time, which need the file system, stay unset.
EmulatorCommands::Described EmulatorCommands::describePname(const QString &pname, bool withFileFacts)
{
    Described object;
    object.elementName = withoutVersion(pname);
    try {
        const SandboxPathResolver::Element element = m_resolver.resolve(pname);
        const QFileInfo onDisk = withFileFacts ? QFileInfo(m_store.vobFolder(element.vobTag) + QLatin1Char('/') + element.path)
                                               : QFileInfo();
        const QString selector = element.extended && element.selector != QLatin1String("/main/LATEST")
                                     ? element.selector
                                     : selectedVersion(element);
        object.vobTag = element.vobTag;
        if (withFileFacts)
            object.created = onDisk.lastModified();
        object.owner = vobOwner(element.vobTag);
        object.creator = object.owner;
        if (element.extended && element.selector.isEmpty()) {
            if (withFileFacts)
                object.kind = onDisk.isDir() ? QStringLiteral("directory element") : QStringLiteral("file element");
            object.name = pname;
            object.operation = QStringLiteral("mkelem");
            return object;
        }
        // A VOB root's versions and branch are named through its "." (proj\.@@\main\0).
        const QString beforeVersion = element.path.isEmpty() ? m_resolver.rootBeforeVersion(object.elementName) : object.elementName;
        if (element.selector == QLatin1String("/main")) {
            object.kind = QStringLiteral("branch");
            object.name = beforeVersion + QStringLiteral("@@") + m_resolver.printed(selector);
            object.operation = QStringLiteral("mkbranch");
            return object;
        }
        if (withFileFacts)
            object.kind = onDisk.isDir() ? QStringLiteral("directory version") : QStringLiteral("version");
        object.versionId = m_resolver.printed(selector);
        object.selector = selector;
        object.viewTag = element.viewTag;
        object.predecessor = predecessorOf(element, selector);
        object.name = beforeVersion + QStringLiteral("@@") + object.versionId;
        object.attributeKey = element.path;
        object.hasAttributes = true;
        object.operation = selector.endsWith(QLatin1String("/0")) ? QStringLiteral("mkelem") : QStringLiteral("checkin");
        object.isVersion = true;
    } catch (const ZanError &e) {
        if (!e.description().startsWith(QLatin1String("Not a vob object")) || pname.contains(QLatin1String("@@"))) {
            OutsideVobs::refuseExisting(m_resolver, pname);
            throw;
        }
        object.kind = QStringLiteral("view private object");
        object.name = pname;
    }
    return object;
}

EmulatorCommands::Described EmulatorCommands::describeType(const QString &kind, const QString &name, const QString &vobTag)
{
    m_types.require(vobTag, kind, name);
    Described object;
    object.kind = EmulatorTypes::kindName(kind);
    object.name = name;
    object.elementName = name;
    object.vobTag = vobTag;
    object.attributeKey = SandboxStore::typeObjectKey(kind, name);
    object.hasAttributes = true;
    object.operation = QStringLiteral("mk") + kind;
    object.owner = m_types.owner(vobTag, kind, name);
    object.creator = object.owner;
    object.created = QFileInfo(m_store.vobFolder(vobTag)).lastModified();
    if (kind == QLatin1String("attype")) {
        for (const SandboxAttributeType &type : attributeTypes(vobTag)) {
            if (type.name == name) {
                object.comment = type.comment;
                object.created = type.created;
            }
        }
    } else if (kind == QLatin1String("trtype")) {
        const auto type = m_store.findTriggerType(vobTag, name);
        object.comment = type->comment;
        object.created = type->created;
    } else if (const auto type = m_store.findType(vobTag, kind, name)) {
        object.comment = type->comment;
        object.created = type->created;
    }
    // chevent may have changed the comment its making recorded.
    const QList<SandboxEvent> own = m_history.eventsOf(vobTag, object.attributeKey);
    if (!own.isEmpty() && own.first().operation == object.operation)
        object.comment = own.first().comment;
    return object;
}

EmulatorCommands::Described EmulatorCommands::describeTarget(const QString &operand)
{
    if (selectorKind(operand).isEmpty())
        return describePname(operand, true);
    const Selector selector = parseSelector(operand);
    if (selector.kind != QLatin1String("vob"))
        return describeType(selector.kind, selector.name, selector.vobTag);
    const QString vobTag = VobSelector::tagOf(selector.name, m_store, m_resolver);
    Described object;
    object.kind = QStringLiteral("versioned object base");
    object.name = vobTag;
    object.elementName = vobTag;
    object.vobTag = vobTag;
    object.attributeKey = SandboxStore::vobObjectKey;
    object.hasAttributes = true;
    object.owner = object.creator = vobOwner(vobTag);
    object.created = QFileInfo(m_store.vobFolder(vobTag)).lastModified();
    object.operation = QStringLiteral("mkvob");
    return object;
}

QString EmulatorCommands::attributeValueText(const QString &vobTag, const AttributeInfo &attribute)
{
    for (const SandboxAttributeType &type : attributeTypes(vobTag)) {
        if (type.name == attribute.typeName && type.valueType != 8)
            return attribute.value;
    }
    return QLatin1Char('"') + attribute.value + QLatin1Char('"');
}

QString EmulatorCommands::attributeList(const Described &object, const QString &only, const QString &modifiers)
{
    if (!object.hasAttributes)
        return QString();
    QList<QPair<QString, QString>> namedValues;
    for (const AttributeInfo &attribute : attributesOf(object)) {
        if (only.isEmpty() || attribute.typeName == only)
            namedValues.append({attribute.typeName, attributeValueText(object.vobTag, attribute)});
    }
    return EmulatorFormat::attributes(namedValues, modifiers);
}

// A checked-out version's checkout: "reserved" or "unreserved"; "" for any other object.
QString EmulatorCommands::reservedState(const Described &object)
{
    if (!object.selector.endsWith(QLatin1String("CHECKEDOUT")))
        return QString();
    const auto checkout = m_history.versionEvent(object.vobTag, object.attributeKey, object.selector, object.viewTag);
    return checkout ? checkout->detail : QStringLiteral("reserved");
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
            if (modifiers == QLatin1String("PV"))
                return object.predecessor.isEmpty() ? QString() : m_resolver.printed(object.predecessor);
            if (modifiers == QLatin1String("PS"))
                return object.predecessor.isEmpty() ? QString() : object.elementName + QStringLiteral("@@") + m_resolver.printed(object.predecessor);
            return object.name;
        case 'a':
            return attributeList(object, argument, modifiers);
        case 'f':
            return modifiers == QLatin1String("R") ? reservedState(object) : QString();
        case 'c':
            // %Nc leaves out the line break after the comment.
            return object.comment.isEmpty() || modifiers.contains(QLatin1Char('N')) ? object.comment : object.comment + QLatin1Char('\n');
        case 'd':
            if (modifiers.contains(QLatin1Char('N')))
                return object.created.toString(QStringLiteral("yyyyMMdd.hhmmss"));
            return dateText(object.created, modifiers.contains(QLatin1Char('S')));
        case 'u':
            return object.creator;
        case 'o':
            return object.operation;
        case 'e':
            return QStringLiteral("create ") + object.kind;
        case 'p':
            if (argument == QLatin1String("owner"))
                return object.owner;
            return argument == QLatin1String("type_scope") ? QStringLiteral("ordinary") : QString();
        default:
            return QString();
        }
    });
}

QString EmulatorCommands::attributeSection(const Described &object, const QString &selection)
{
    if (!object.hasAttributes)
        SandboxCommands::fail(QStringLiteral("Not a vob object: \"%1\".").arg(object.name));
    const QStringList wanted = selection == QLatin1String("-all") ? QStringList() : selection.split(QLatin1Char(','));
    QString lines;
    for (const AttributeInfo &attribute : attributesOf(object)) {
        if (wanted.isEmpty() || wanted.contains(attribute.typeName))
            lines += QStringLiteral("    %1 = %2\n").arg(attribute.typeName, attributeValueText(object.vobTag, attribute));
    }
    return lines.isEmpty() ? QString() : QStringLiteral("  Attributes:\n") + lines;
}

// A version's comment, author and time are those of the event that made it, when one was kept.
void EmulatorCommands::addVersionEvent(Described &object)
{
    const auto event = m_history.versionEvent(object.vobTag, object.attributeKey, object.selector);
    if (!event)
        return;
    object.comment = event->comment;
    object.creator = event->user;
    object.created = event->time;
}

QString EmulatorCommands::describeOne(const EmulatorArguments &args, const QString &operand)
{
    Described object = describeTarget(operand);
    static const QRegularExpression historyFields(QStringLiteral("%[A-Z]*[cud]"));
    const bool withFormat = args.has(QStringLiteral("-fmt"));
    if (object.isVersion && (withFormat ? args.value(QStringLiteral("-fmt")).contains(historyFields)
                                       : !args.has(QStringLiteral("-short")) && !args.has(QStringLiteral("-aattr"))))
        addVersionEvent(object);
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
        return QStringLiteral("versioned object base \"%1\"\n  VOB ownership:\n    owner %2\n").arg(object.name, object.owner);
    }
    if (object.kind == QLatin1String("view private object"))
        return QStringLiteral("View private file \"%1\"\n").arg(object.name);
    QString out = QStringLiteral("%1 \"%2\"\n").arg(object.kind, object.name);
    if (object.created.isValid())
        out += QStringLiteral("  created %1 by %2\n").arg(dateText(object.created, false), object.creator);
    if (!object.comment.isEmpty())
        out += QStringLiteral("  \"%1\"\n").arg(object.comment);
    if (object.isVersion)
        out += QStringLiteral("  element type: %1\n")
                   .arg(object.kind == QLatin1String("version") ? QStringLiteral("text_file") : QStringLiteral("directory"));
    return out;
}

QString EmulatorCommands::describe(const QStringList &words)
{
    const EmulatorArguments args(QStringLiteral("describe"), words);
    if (args.operands().isEmpty())
        SandboxCommands::fail(QStringLiteral("An object to describe must be given."));
    OperandOutcomes outcomes;
    m_store.readTransaction([&] {
        m_resolver.expectElements(args.operands());
        expectVersionFacts(args.operands(), args.has(QStringLiteral("-aattr")) || args.value(QStringLiteral("-fmt")).contains(QLatin1Char('a')));
        for (const QString &operand : args.operands()) {
            if (!outcomes.run([&] { return describeOne(args, operand); }))
                break;
        }
    });
    return outcomes.finish();
}

// --- types ------------------------------------------------------------------------------

QString EmulatorCommands::lstype(const QStringList &words)
{
    const EmulatorArguments args(QStringLiteral("lstype"), words);
    QList<Described> objects;
    if (args.operands().isEmpty()) {
        if (!args.has(QStringLiteral("-invob")))
            SandboxCommands::fail(QStringLiteral("Unable to determine VOB for pathname \".\"."));
        if (!args.has(QStringLiteral("-kind")))
            SandboxCommands::fail(QStringLiteral("A type kind must be given with -kind."));
        const QString vobTag = args.value(QStringLiteral("-invob"));
        const QString kind = args.value(QStringLiteral("-kind"));
        m_store.vob(vobTag);
        // Real cleartool unverified: the order compares names character by character.
        QStringList names = m_types.names(vobTag, kind);
        if (!args.has(QStringLiteral("-unsorted")))
            std::sort(names.begin(), names.end());
        for (const QString &name : names)
            objects << describeType(kind, name, vobTag);
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
            out += QStringLiteral("%1  %2  %3 \"%4\"\n").arg(QLocale::c().toString(object.created, QStringLiteral("dd-MMM-yyyy")),
                                                          object.creator, object.kind, object.name);
    }
    return out;
}

QString EmulatorCommands::mkattype(const QStringList &words)
{
    const EmulatorArguments args(QStringLiteral("mkattype"), words);
    const QString comment = args.comment();
    // Without -vtype the type holds strings (real cleartool unverified).
    const int valueType = valueTypeCode(args.has(QStringLiteral("-vtype")) ? args.value(QStringLiteral("-vtype")) : QStringLiteral("string"));
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
        m_store.transaction([&] {
            m_store.addAttributeType(selector.vobTag, {selector.name, valueType, comment, {}});
            m_history.typeMade(selector.vobTag, QStringLiteral("attype"), selector.name, comment);
        });
        out += QStringLiteral("Created attribute type \"%1\".\n").arg(selector.name);
    }
    return out;
}

// --- attributes -------------------------------------------------------------------------

// A version (pathname, with -version's selector added) or an object selector (vob:, attype:,
// lbtype:, ...); fails for anything that cannot carry attributes.
EmulatorCommands::Described EmulatorCommands::attributeTarget(const QString &operand, const QString &version)
{
    const bool selector = !selectorKind(operand).isEmpty();
    const Described object = selector ? describeTarget(operand) : describePname(operand + version, false);
    if (!object.hasAttributes)
        SandboxCommands::fail(QStringLiteral("Not a vob object: \"%1\".").arg(object.name));
    return object;
}

// Every object of an attribute command, looked up before anything is written; one that is
// not found keeps its error lines in its place.
QList<EmulatorCommands::AttributeTarget> EmulatorCommands::attributeTargets(const EmulatorArguments &args, int leading)
{
    const QString version = args.value(QStringLiteral("-version"));
    const QStringList operands = args.operands().mid(leading);
    QStringList pnames;
    for (const QString &operand : operands) {
        if (selectorKind(operand).isEmpty())
            pnames << operand + version;
    }
    m_resolver.expectElements(pnames);
    QList<AttributeTarget> targets;
    for (const QString &operand : operands) {
        try {
            targets << AttributeTarget{attributeTarget(operand, version), QString()};
        } catch (const ZanError &e) {
            targets << AttributeTarget{{}, e.description()};
        }
    }
    return targets;
}

QString EmulatorCommands::writeEach(const EmulatorArguments &args, int leading, const AttributeWrites &writes)
{
    OperandOutcomes outcomes;
    m_store.transaction([&] {
        const QList<AttributeTarget> targets = attributeTargets(args, leading);
        QList<Described> found;
        for (const AttributeTarget &target : targets) {
            if (target.error.isEmpty())
                found << target.object;
        }
        if (writes.expect)
            writes.expect(found);
        for (const AttributeTarget &target : targets) {
            const bool goOn = target.error.isEmpty() ? outcomes.run([&] { return writes.write(target.object); })
                                                     : outcomes.fail(target.error);
            if (!goOn)
                break;
        }
        // What the objects before a failing one queued is written, as if written one by one.
        if (writes.writeQueued)
            writes.writeQueued();
    });
    return outcomes.finish();
}

// The attribute type must exist in the VOB, and a string type takes only a quoted value.
void EmulatorCommands::requireValueFits(const QString &vobTag, const QString &typeName, const QString &valueText,
                                        const QString &failed)
{
    const QList<SandboxAttributeType> &types = attributeTypes(vobTag);
    const auto type = std::find_if(types.cbegin(), types.cend(), [&](const SandboxAttributeType &t) { return t.name == typeName; });
    if (type == types.cend())
        SandboxCommands::fail({QStringLiteral("Attribute type not found: \"%1\".").arg(typeName), failed});
    if (type->valueType == 8 && !isQuoted(valueText))
        SandboxCommands::fail({QStringLiteral("Value \"%1\" is not of the value type string of attribute type \"%2\".")
                                   .arg(valueText, typeName),
                               failed});
}

QString EmulatorCommands::mkattr(const QStringList &words)
{
    const EmulatorArguments args(QStringLiteral("mkattr"), words);
    const QString comment = args.comment();
    if (args.operands().size() < 3)
        SandboxCommands::fail(QStringLiteral("An attribute type, a value and at least one object must be given."));
    const QString typeName = args.operands().at(0);
    const QString valueText = args.operands().at(1);
    const bool replace = args.has(QStringLiteral("-replace"));
    const QString value = isQuoted(valueText) ? valueText.mid(1, valueText.size() - 2) : valueText;

    // Replacing a value on versions needs no look at what is there: those writes are queued
    // and made one statement per VOB, before any other write.
    QHash<QString, QStringList> queued;
    const auto writeQueued = [&] {
        for (auto vob = queued.cbegin(); vob != queued.cend(); ++vob)
            m_store.replaceOnFoundElements(vob.key(), vob.value(), typeName, value, comment);
        queued.clear();
    };
    return writeEach(args, 2, {{}, [&](const Described &object) {
        const QString failed = QStringLiteral("Unable to create attribute \"%1\" on \"%2\".").arg(typeName, object.name);
        requireValueFits(object.vobTag, typeName, valueText, failed);
        try {
            // The type was found above, the element when its path was resolved.
            if (object.isVersion && replace) {
                queued[object.vobTag] << object.attributeKey;
                m_history.attributeMade(object.vobTag, object.attributeKey, object.selector, typeName, valueText, comment);
                return QStringLiteral("Created attribute \"%1\" on \"%2\".\n").arg(typeName, object.name);
            }
            writeQueued();
            if (object.isVersion)
                m_store.attachToFoundElement(object.vobTag, object.attributeKey, typeName, value, comment, replace);
            else
                m_store.attachObjectAttribute(object.vobTag, object.attributeKey, typeName, value, replace);
            m_history.attributeMade(object.vobTag, object.attributeKey, object.selector, typeName, valueText, comment);
        } catch (const ZanError &e) {
            if (e.number() != ZanError::ClearCaseFailure)
                throw;
            SandboxCommands::fail({e.description(), failed});
        }
        return QStringLiteral("Created attribute \"%1\" on \"%2\".\n").arg(typeName, object.name);
    }, writeQueued});
}

QString EmulatorCommands::rmattr(const QStringList &words)
{
    const EmulatorArguments args(QStringLiteral("rmattr"), words);
    if (args.operands().size() < 2)
        SandboxCommands::fail(QStringLiteral("An attribute type and at least one object must be given."));
    const QString typeName = args.operands().at(0);
    const QString comment = args.comment();
    // Versions found carrying the attribute have it removed one statement per VOB; any other
    // object is removed from (or fails) in its turn.
    QHash<QString, QSet<QString>> carrying;
    QHash<QString, QStringList> queued;
    const auto writeQueued = [&] {
        for (auto vob = queued.cbegin(); vob != queued.cend(); ++vob)
            m_store.removeFromFoundElements(vob.key(), vob.value(), typeName);
        queued.clear();
    };
    const auto expect = [&](const QList<Described> &objects) {
        QHash<QString, QStringList> versions;
        for (const Described &object : objects) {
            if (object.isVersion)
                versions[object.vobTag] << object.attributeKey;
        }
        for (auto vob = versions.cbegin(); vob != versions.cend(); ++vob)
            carrying[vob.key()] = m_store.elementsCarrying(vob.key(), vob.value(), typeName);
    };
    const auto write = [&](const Described &object) {
        QSet<QString> &carriers = carrying[object.vobTag];
        if (object.isVersion && carriers.remove(object.attributeKey)) {
            queued[object.vobTag] << object.attributeKey;
        } else {
            writeQueued();
            m_store.removeAttribute(object.vobTag, object.attributeKey, typeName);
        }
        m_history.attributeRemoved(object.vobTag, object.attributeKey, object.selector, typeName, comment);
        return QStringLiteral("Removed attribute \"%1\" from \"%2\".\n").arg(typeName, object.name);
    };
    return writeEach(args, 1, {expect, write, writeQueued});
}

QString EmulatorCommands::mktrtype(const QStringList &words)
{
    const QString out = m_plainCommands.run(QStringList{QStringLiteral("mktrtype")} + words);
    const MktrtypeArguments parsed = MktrtypeArguments::parse(words);
    for (const QString &operand : parsed.selectors) {
        const Selector selector = parseSelector(operand);
        m_history.typeMade(selector.vobTag, QStringLiteral("trtype"), selector.name, parsed.type.comment);
    }
    return out;
}

QString EmulatorCommands::rmtype(const QStringList &words)
{
    const EmulatorArguments args(QStringLiteral("rmtype"), words);
    if (args.has(QStringLiteral("-rmall")) && !args.has(QStringLiteral("-force")))
        SandboxCommands::fail(QStringLiteral("rmtype -rmall would ask for confirmation, which cannot be answered here; give -force."));
    if (args.operands().isEmpty())
        SandboxCommands::fail(QStringLiteral("A type selector must be given."));
    QString out;
    for (const QString &operand : args.operands()) {
        const Selector selector = parseSelector(operand);
        const QString kind = selector.kind.isEmpty() ? args.value(QStringLiteral("-kind")) : selector.kind;
        const QString kindName = EmulatorTypes::kindName(kind);
        if (kindName.isEmpty())
            SandboxCommands::fail(QStringLiteral("A type selector must name its kind: \"%1\".").arg(operand));
        m_types.require(selector.vobTag, kind, selector.name);
        const QString failed = QStringLiteral("Unable to remove %1 \"%2\".").arg(kindName, selector.name);
        if (EmulatorTypes::predefined(kind).contains(selector.name))
            SandboxCommands::fail({QStringLiteral("Cannot remove a predefined type."), failed});
        try {
            if (kind == QLatin1String("trtype"))
                m_store.removeTriggerType(selector.vobTag, selector.name);
            else if (kind == QLatin1String("attype"))
                m_store.removeAttributeType(selector.vobTag, selector.name, args.has(QStringLiteral("-rmall")));
            else
                m_store.removeType(selector.vobTag, kind, selector.name);
            m_history.typeRemoved(selector.vobTag, kind, selector.name, args.comment());
        } catch (const ZanError &e) {
            if (e.number() != ZanError::ClearCaseFailure)
                throw;
            SandboxCommands::fail({e.description(), failed});
        }
        out += QStringLiteral("Removed %1 \"%2\".\n").arg(kindName, selector.name);
    }
    return out;
}

// --- events -----------------------------------------------------------------------------

// The event that made the object: a version's checkin (or making), a type's creation. One
// made before events were kept is written now, as the object describes itself.
SandboxEvent EmulatorCommands::makingEvent(const Described &object)
{
    std::optional<SandboxEvent> event;
    if (object.isVersion)
        event = m_history.versionEvent(object.vobTag, object.attributeKey, object.selector);
    else if (object.attributeKey.startsWith(QLatin1Char('/')) && object.attributeKey != SandboxStore::vobObjectKey) {
        const QList<SandboxEvent> own = m_history.eventsOf(object.vobTag, object.attributeKey);
        if (!own.isEmpty() && own.first().operation == object.operation)
            event = own.first();
    }
    if (event)
        return *event;
    SandboxEvent made;
    made.object = object.attributeKey;
    made.version = object.selector;
    made.operation = object.operation;
    made.description = QStringLiteral("create ") + object.kind;
    made.user = object.creator;
    made.time = object.created;
    made.comment = object.comment;
    return made;
}

QString EmulatorCommands::chevent(const QStringList &words)
{
    const EmulatorArguments args(QStringLiteral("chevent"), words);
    if (args.operands().isEmpty())
        SandboxCommands::fail(QStringLiteral("An object whose event to change must be given."));
    const QString comment = args.comment();
    OperandOutcomes outcomes;
    for (const QString &operand : args.operands()) {
        const bool goOn = outcomes.run([&] {
            const Described object = describeTarget(operand);
            if (!object.hasAttributes || object.attributeKey == SandboxStore::vobObjectKey)
                SandboxCommands::fail(QStringLiteral("Unable to change event of \"%1\".").arg(object.name));
            SandboxEvent event = makingEvent(object);
            if (args.has(QStringLiteral("-append")))
                event.comment = event.comment.isEmpty() ? comment : event.comment + QLatin1Char('\n') + comment;
            else if (args.has(QStringLiteral("-insert")))
                event.comment = event.comment.isEmpty() ? comment : comment + QLatin1Char('\n') + event.comment;
            else
                event.comment = comment;
            m_store.recordEvent(object.vobTag, event);
            return QStringLiteral("Modified event of %1 \"%2\".\n").arg(object.kind, object.name);
        });
        if (!goOn)
            break;
    }
    return outcomes.finish();
}

// Real cleartool on Windows has no setview, and on UNIX it would leave this session.
QString EmulatorCommands::setview(const QStringList &)
{
    SandboxCommands::fail(QStringLiteral("setview is not supported: work in the view through its pathname (cd into it) instead."));
}
