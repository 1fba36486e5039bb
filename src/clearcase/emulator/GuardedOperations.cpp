#include "clearcase/emulator/GuardedOperations.h"

#include "clearcase/emulator/EmulatorArguments.h"
#include "clearcase/sandbox/SandboxHistory.h"
#include "clearcase/emulator/EmulatorTypes.h"
#include "clearcase/emulator/OperandOutcomes.h"
#include "clearcase/emulator/OutsideVobs.h"
#include "clearcase/emulator/VobSelector.h"
#include "clearcase/sandbox/MktrtypeArguments.h"
#include "clearcase/sandbox/SandboxLocks.h"
#include "clearcase/sandbox/SandboxSeed.h"
#include "clearcase/sandbox/SandboxStore.h"
#include "util/ZanError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

struct TypeSelector {
    QString kind;
    QString name;
    QString vobTag;
};

bool isTypeSelector(const QString &word)
{
    const qsizetype colon = word.indexOf(QLatin1Char(':'));
    return colon > 0 && !EmulatorTypes::kindName(word.left(colon)).isEmpty();
}

// kind:NAME@\vob, or NAME@\vob with the kind given apart.
TypeSelector parseTypeSelector(const QString &text, const QString &defaultKind)
{
    TypeSelector selector{defaultKind, text, QString()};
    const int colon = text.indexOf(QLatin1Char(':'));
    if (isTypeSelector(text)) {
        selector.kind = text.left(colon);
        selector.name = text.mid(colon + 1);
    }
    const int at = selector.name.lastIndexOf(QLatin1Char('@'));
    if (at <= 0 || at == selector.name.size() - 1)
        SandboxCommands::fail(QStringLiteral("Unable to determine VOB for pathname \"%1\".").arg(text));
    selector.vobTag = selector.name.mid(at + 1);
    selector.name = selector.name.left(at);
    if (EmulatorTypes::kindName(selector.kind).isEmpty())
        SandboxCommands::fail(QStringLiteral("Unknown type kind in \"%1\".").arg(text));
    return selector;
}

QString withoutVersion(const QString &pname)
{
    const int marker = pname.indexOf(QLatin1String("@@"));
    return marker >= 0 ? pname.left(marker) : pname;
}

// The program-form parent of a pathname: m:\view\vob\dir\name -> m:\view\vob\dir.
QString parentOf(const QString &pname)
{
    const int slash = std::max(pname.lastIndexOf(QLatin1Char('\\')), pname.lastIndexOf(QLatin1Char('/')));
    return slash > 0 ? pname.left(slash) : pname;
}

// The message texts name the pathname as %1 and, where there is one, the leading operand as %2.
QString filled(QString text, const QString &pname, const QString &leading = QString())
{
    return text.replace(QStringLiteral("%2"), leading).replace(QStringLiteral("%1"), pname);
}

// CLEARCASE_MTYPE: an attribute sits on the version, the other operations act on the element.
QString objectKind(const QString &operation, bool directory)
{
    if (operation == QLatin1String("mkattr") || operation == QLatin1String("rmattr"))
        return directory ? QStringLiteral("directory version") : QStringLiteral("version");
    return directory ? QStringLiteral("directory element") : QStringLiteral("element");
}

QString commandLineOf(const QString &command, const QStringList &words)
{
    return (QStringList{command} + words).join(QLatin1Char(' '));
}

SandboxLocks::Object typeLock(const QString &kind, const QString &name)
{
    return SandboxLocks::type(kind, name, EmulatorTypes::kindName(kind));
}

// The locks that hold an element operation back: the VOB's, the element's (for a name being
// made, its directory's) and the branch or label type's it uses. Locking and unlocking the
// element answer to the VOB's lock only; cancelling a checkout to none.
QList<SandboxLocks::Object> locksOnElementOperation(const QString &operation, const QString &vobTag, const QString &path,
                                                     const QString &pname, const QString &leading)
{
    if (operation == QLatin1String("uncheckout"))
        return {};
    QList<SandboxLocks::Object> objects{SandboxLocks::vob(vobTag)};
    if (operation == QLatin1String("lock") || operation == QLatin1String("unlock"))
        return objects;
    objects << SandboxLocks::element(path, pname);
    if (operation == QLatin1String("checkout") || operation == QLatin1String("checkin"))
        objects << typeLock(QStringLiteral("brtype"), QStringLiteral("main"));
    if (operation == QLatin1String("mkbranch"))
        objects << typeLock(QStringLiteral("brtype"), leading);
    if (operation == QLatin1String("mklabel"))
        objects << typeLock(QStringLiteral("lbtype"), leading);
    return objects;
}

} // namespace

GuardedOperations::GuardedOperations(SandboxStore &store, QString loginName, QString localHost, SandboxPathResolver &resolver,
                                     std::function<QString(const QString &)> viewStorage)
    : m_store(store), m_login(std::move(loginName)), m_resolver(resolver), m_viewStorage(std::move(viewStorage)), m_runner(store),
      m_history(store, actingUser(), localHost)
{
}

QList<GuardedOperations::ElementOperation> GuardedOperations::elementOperations()
{
    const QString checkedOut = QStringLiteral("Checked out \"%1\" from version \"%3\".");
    return {
        {QStringLiteral("checkout"), QStringLiteral("checkout"), 0, checkedOut, QStringLiteral("Unable to check out \"%1\".")},
        {QStringLiteral("checkin"), QStringLiteral("checkin"), 0, QStringLiteral("Checked in \"%1\" version \"%3\"."),
         QStringLiteral("Unable to check in \"%1\".")},
        {QStringLiteral("uncheckout"), QStringLiteral("uncheckout"), 0, QStringLiteral("Checkout cancelled for \"%1\"."),
         QStringLiteral("Unable to uncheckout \"%1\".")},
        {QStringLiteral("mkbranch"), QStringLiteral("mkbranch"), 1, QStringLiteral("Created branch \"%2\" from \"%1\" version \"%3\"."),
         QStringLiteral("Unable to create branch \"%2\" on \"%1\".")},
        {QStringLiteral("rmelem"), QStringLiteral("rmelem"), 0, QStringLiteral("Removed element \"%1\"."),
         QStringLiteral("Unable to remove element \"%1\".")},
        // Their success lines are the locks' own (SandboxLocks).
        {QStringLiteral("lock"), QStringLiteral("lock"), 0, QString(), QStringLiteral("Unable to lock element \"%1\".")},
        {QStringLiteral("unlock"), QStringLiteral("unlock"), 0, QString(), QStringLiteral("Unable to unlock element \"%1\".")},
        {QStringLiteral("rmname"), QStringLiteral("rmname"), 0, QStringLiteral("Removed \"%1\"."), QStringLiteral("Unable to remove \"%1\".")},
        {QStringLiteral("mkelem"), QStringLiteral("mkelem"), 0, QStringLiteral("Created element \"%1\" (type \"text_file\")."),
         QStringLiteral("Unable to create element \"%1\".")},
        {QStringLiteral("mklabel"), QStringLiteral("mklabel"), 1, QStringLiteral("Created label \"%2\" on \"%1\" version \"%3\"."),
         QStringLiteral("Unable to create label \"%2\" on \"%1\".")},
        {QStringLiteral("reserve"), QStringLiteral("reserve"), 0, QStringLiteral("Changed checkout to reserved for \"%1\" branch \"%4\"."),
         QStringLiteral("Unable to change checkout to reserved for \"%1\".")},
        {QStringLiteral("unreserve"), QStringLiteral("unreserve"), 0,
         QStringLiteral("Changed checkout to unreserved for \"%1\" branch \"%4\"."),
         QStringLiteral("Unable to change checkout to unreserved for \"%1\".")},
        {QStringLiteral("protect"), QStringLiteral("protect"), 0, QStringLiteral("Changed protection on \"%1\"."),
         QStringLiteral("Unable to change protection on \"%1\".")},
        {QStringLiteral("chtype"), QStringLiteral("chtype"), 1, QStringLiteral("Changed type of element \"%1\" to \"%2\"."),
         QStringLiteral("Unable to change type of element \"%1\".")},
        {QStringLiteral("lnname"), QStringLiteral("lnname"), 0, QStringLiteral("Link created: \"%1\"."), QStringLiteral("Unable to create link: \"%1\".")},
        {QStringLiteral("mkslink"), QStringLiteral("mkslink"), 1, QStringLiteral("Link created: \"%1\"."),
         QStringLiteral("Unable to create link: \"%1\".")},
    };
}

void GuardedOperations::addOperations(SandboxCommands &commands)
{
    for (const ElementOperation &spec : elementOperations()) {
        const bool lock = spec.command == QLatin1String("lock") || spec.command == QLatin1String("unlock");
        commands.addCommand(spec.command, int(spec.command.size()), [self = shared_from_this(), spec, lock](const QStringList &words) {
            return lock ? self->lockOrUnlock(spec, words) : self->runElementOperation(spec, words);
        });
    }
    commands.addCommand(QStringLiteral("rntype"), 6, [self = shared_from_this()](const QStringList &words) { return self->rntype(words); });
    for (const QString &kind : {QStringLiteral("lbtype"), QStringLiteral("eltype"), QStringLiteral("hltype"), QStringLiteral("brtype")}) {
        commands.addCommand(QStringLiteral("mk") + kind, 5,
                            [self = shared_from_this(), kind](const QStringList &words) { return self->mkKeptType(kind, words); });
    }
}

QString GuardedOperations::actingUser() const
{
    return m_login;
}

QString GuardedOperations::currentViewTag() const
{
    const QString tag = m_resolver.style().viewTagOf(m_resolver.workingDirectory());
    if (!tag.isEmpty())
        return tag;
    // cleartool setview marks the set view this way (/view/<tag>).
    QString root = qEnvironmentVariable("CLEARCASE_ROOT");
    root.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return root.section(QLatin1Char('/'), -1, -1, QString::SectionSkipEmpty);
}

[[noreturn]] void GuardedOperations::refuse(const TriggerRunner::Refusal &refusal, const QString &operation,
                                            const QString &failedLine)
{
    QStringList lines;
    for (const QString &note : refusal.notes)
        lines << QStringLiteral("cleartool: Warning: ") + note;
    lines << QStringLiteral("cleartool: Warning: Trigger \"%1\" has refused to let %2 proceed.").arg(refusal.triggerName, operation);
    lines << QStringLiteral("cleartool: Error: ") + failedLine;
    throw ZanError(ZanError::CommandFailure, QStringLiteral("cleartool"), lines.join(QLatin1Char('\n')));
}

// --- element operations -----------------------------------------------------------------

SandboxPathResolver::Element GuardedOperations::guardElement(const ElementOperation &spec, const QString &pname,
                                                             const QString &leading, const QString &commandLine,
                                                             const QHash<QString, QString> &extraVariables)
{
    const QString failedLine = filled(spec.failed, pname, leading);
    const bool newName = spec.operation == QLatin1String("mkelem") || spec.operation == QLatin1String("lnname")
                         || spec.operation == QLatin1String("mkslink");
    const QString absolute = m_resolver.absolute(pname);
    // A name being made is not an element yet: its directory must be one.
    const QString resolved = newName ? parentOf(withoutVersion(absolute)) : absolute;
    SandboxPathResolver::Element element;
    try {
        element = m_resolver.resolve(resolved);
    } catch (const ZanError &) {
        OutsideVobs::refuseExisting(m_resolver, newName ? resolved : pname);
        throw;
    }
    QString path = element.path;
    if (newName) {
        const QString name = withoutVersion(absolute).section(QRegularExpression(QStringLiteral("[\\\\/]")), -1);
        if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
            SandboxCommands::fail({QStringLiteral("Invalid element name \"%1\".").arg(name), failedLine});
        path = path.isEmpty() ? name : path + QLatin1Char('/') + name;
        if (m_store.isElement(element.vobTag, path))
            SandboxCommands::fail({QStringLiteral("Entry named \"%1\" already exists.").arg(name), failedLine});
    }
    const bool directory = QFileInfo(m_store.vobFolder(element.vobTag) + QLatin1Char('/') + path).isDir();

    TriggerRunner::Firing firing;
    firing.operation = spec.operation;
    firing.vobTag = element.vobTag;
    const QString elementPath = withoutVersion(absolute);
    const QString versionZero = m_resolver.printed(QStringLiteral("/main/0"));
    firing.variables = {{QStringLiteral("CLEARCASE_PN"), elementPath},
                        {QStringLiteral("CLEARCASE_XPN"), elementPath + QStringLiteral("@@") + versionZero},
                        {QStringLiteral("CLEARCASE_XN_SFX"), QStringLiteral("@@")},
                        {QStringLiteral("CLEARCASE_ID_STR"), versionZero},
                        {QStringLiteral("CLEARCASE_ELTYPE"), directory ? QStringLiteral("directory") : QStringLiteral("text_file")},
                        {QStringLiteral("CLEARCASE_MTYPE"), objectKind(spec.operation, directory)},
                        {QStringLiteral("CLEARCASE_BRTYPE"), QStringLiteral("main")},
                        {QStringLiteral("CLEARCASE_VIEW_TAG"), element.viewTag},
                        {QStringLiteral("CLEARCASE_VIEW_KIND"), QStringLiteral("dynamic")},
                        {QStringLiteral("CLEARCASE_CMDLINE"), commandLine}};
    if (spec.operation == QLatin1String("mkbranch"))
        firing.variables.insert(QStringLiteral("CLEARCASE_BRTYPE"), leading);
    if (spec.operation == QLatin1String("mklabel"))
        firing.variables.insert(QStringLiteral("CLEARCASE_LBTYPE"), leading);
    if (spec.operation == QLatin1String("chtype"))
        firing.variables.insert(QStringLiteral("CLEARCASE_NEW_TYPE"), leading);
    if (spec.operation == QLatin1String("mkslink"))
        firing.variables.insert(QStringLiteral("CLEARCASE_SLNKTXT"), leading);
    firing.variables.insert(extraVariables);
    if (const auto refusal = m_runner.runPreOperation(firing, actingUser()))
        refuse(*refusal, spec.operation, failedLine);
    // mkattr and rmattr look at their locks once their triggers have fired on every pathname.
    if (spec.operation != QLatin1String("mkattr") && spec.operation != QLatin1String("rmattr"))
        SandboxLocks(m_store).require(element.vobTag,
                                       locksOnElementOperation(spec.operation, element.vobTag, element.path,
                                                               newName ? parentOf(withoutVersion(pname)) : withoutVersion(pname), leading),
                                       actingUser(), spec.operation, failedLine);

    if (spec.operation == QLatin1String("mkelem")) {
        QFile file(m_store.vobFolder(element.vobTag) + QLatin1Char('/') + path);
        if (!file.exists() && !file.open(QIODevice::WriteOnly))
            SandboxCommands::fail({QStringLiteral("Unable to create file: %1").arg(file.errorString()), failedLine});
        file.close();
        m_store.addElement(element.vobTag, path, false);
    }
    element.path = path;
    return element;
}

// Real cleartool unverified: a checkin without a comment of its own keeps its checkout's.
QString GuardedOperations::checkinComment(const EmulatorArguments &args, const SandboxPathResolver::Element &element)
{
    if (!args.comment().isEmpty())
        return args.comment();
    const auto checkout = m_history.versionEvent(element.vobTag, element.path, QStringLiteral("/main/CHECKEDOUT"), element.viewTag);
    return checkout ? checkout->comment : QString();
}

// What the operation does once its triggers let it through: checkouts and checkins keep
// their state (a checkout belongs to its view and user; a checkin makes the next version on
// main); label and branch types must exist. Returns the operation's output for one pname.
QString GuardedOperations::perform(const ElementOperation &spec, const EmulatorArguments &args, const QString &pname,
                                   const QString &leading, const SandboxPathResolver::Element &element)
{
    const QString &op = spec.operation;
    const QString user = actingUser();
    const bool checkedOut = m_store.isCheckedOut(element.vobTag, element.path, element.viewTag, user);
    const int latest = m_store.latestVersion(element.vobTag, element.path);
    const auto version = [this](int number) { return m_resolver.printed(QStringLiteral("/main/%1").arg(number)); };
    const auto done = [&](int number) {
        return filled(spec.done, pname, leading).replace(QStringLiteral("%3"), version(number))
                   .replace(QStringLiteral("%4"), m_resolver.printed(QStringLiteral("/main")))
               + QLatin1Char('\n');
    };
    if (op == QLatin1String("checkout")) {
        if (checkedOut)
            SandboxCommands::fail(QStringLiteral("Element \"%1\" is already checked out to view \"%2\".").arg(pname, element.viewTag));
        m_store.transaction([&] {
            m_store.setCheckedOut(element.vobTag, element.path, element.viewTag, user, true);
            m_history.record(element.vobTag, element.path, op, QStringLiteral("checkout version"), args.comment(),
                             QStringLiteral("/main/CHECKEDOUT"), element.viewTag,
                             args.has(QStringLiteral("-unreserved")) ? QStringLiteral("unreserved") : QStringLiteral("reserved"));
        });
        return done(latest);
    }
    if (op == QLatin1String("checkin") || op == QLatin1String("uncheckout")) {
        if (!checkedOut)
            SandboxCommands::fail({QStringLiteral("No branch of element is checked out to view \"%1\".").arg(m_viewStorage(element.viewTag)),
                                   QStringLiteral("Unable to find checked out version for \"%1\".").arg(pname)});
        m_store.transaction([&] {
            m_store.setCheckedOut(element.vobTag, element.path, element.viewTag, user, false);
            if (op == QLatin1String("checkin")) {
                m_store.setLatestVersion(element.vobTag, element.path, latest + 1);
                m_history.record(element.vobTag, element.path, op, QStringLiteral("create version"), checkinComment(args, element),
                                 QStringLiteral("/main/%1").arg(latest + 1), element.viewTag);
            }
        });
        if (op == QLatin1String("checkin"))
            return done(latest + 1);
        const QString kept = QStringLiteral("Private version of \"%1\" saved in \"%1.keep\".\n").arg(withoutVersion(pname));
        return (args.has(QStringLiteral("-keep")) ? kept : QString()) + done(latest);
    }
    if (op == QLatin1String("mklabel") || op == QLatin1String("mkbranch"))
        EmulatorTypes(m_store).require(element.vobTag, op == QLatin1String("mklabel") ? QStringLiteral("lbtype") : QStringLiteral("brtype"), leading);
    if (op == QLatin1String("mkelem"))
        m_history.record(element.vobTag, element.path, op, QStringLiteral("create file element"), args.comment(), QString(),
                         element.viewTag);
    if (op == QLatin1String("mkelem") && !args.has(QStringLiteral("-nco")) && !args.has(QStringLiteral("-ci"))) {
        m_store.setCheckedOut(element.vobTag, element.path, element.viewTag, user, true);
        m_history.record(element.vobTag, element.path, QStringLiteral("checkout"), QStringLiteral("checkout version"), args.comment(),
                         QStringLiteral("/main/CHECKEDOUT"), element.viewTag, QStringLiteral("reserved"));
        return done(0) + QStringLiteral("Checked out \"%1\" from version \"%2\".\n").arg(pname, version(0));
    }
    return done(latest);
}

QString GuardedOperations::runElementOperation(const ElementOperation &spec, const QStringList &words)
{
    const EmulatorArguments args(spec.command, words);
    if (args.operands().size() <= spec.leadingOperands)
        SandboxCommands::fail(QStringLiteral("A pathname must be given."));
    if (spec.operation == QLatin1String("uncheckout") && !args.has(QStringLiteral("-keep")) && !args.has(QStringLiteral("-rm")))
        SandboxCommands::fail(QStringLiteral("uncheckout would ask whether to keep a private copy, which cannot be answered here; "
                                             "give -keep or -rm."));
    const QString leading = spec.leadingOperands > 0 ? args.operands().first() : QString();
    const QString commandLine = commandLineOf(spec.command, words);
    OperandOutcomes outcomes;
    for (const QString &pname : args.operands().mid(spec.leadingOperands)) {
        if (!outcomes.run([&] { return perform(spec, args, pname, leading, guardElement(spec, pname, leading, commandLine)); }))
            break;
    }
    return outcomes.finish();
}

QString GuardedOperations::lockOrUnlock(const ElementOperation &spec, const QStringList &words)
{
    const EmulatorArguments args(spec.command, words);
    if (args.operands().isEmpty())
        SandboxCommands::fail(QStringLiteral("An object to %1 must be given.").arg(spec.command));
    const QString commandLine = commandLineOf(spec.command, words);
    const SandboxLock wanted{args.value(QStringLiteral("-nusers")).split(QLatin1Char(','), Qt::SkipEmptyParts),
                             args.has(QStringLiteral("-obsolete"))};
    SandboxLocks locks(m_store);
    // The event names the object as the lock's lines do: lslock reads it back.
    const auto change = [&](const QString &vobTag, const SandboxLocks::Object &object, const QString &failedLine) {
        const QString out = spec.command == QLatin1String("lock")
                                ? locks.lock(vobTag, object, wanted, args.has(QStringLiteral("-replace")), failedLine)
                                : locks.unlock(vobTag, object, failedLine);
        m_history.record(vobTag, object.key, spec.command, spec.command + QLatin1Char(' ') + object.named, args.comment(), QString(),
                         currentViewTag(), object.named);
        return out;
    };
    OperandOutcomes outcomes;
    for (const QString &operand : args.operands()) {
        const bool goOn = outcomes.run([&] {
            if (VobSelector::isVobSelector(operand)) {
                const QString vobTag = VobSelector::tagOf(operand.mid(4), m_store, m_resolver);
                const QString failedLine = QStringLiteral("Unable to %1 versioned object base \"%2\".").arg(spec.command, vobTag);
                requireOwnership(spec.operation, QStringLiteral("vob"), vobTag, vobTag, failedLine);
                return change(vobTag, SandboxLocks::vob(vobTag), failedLine);
            }
            if (!isTypeSelector(operand)) {
                const QString failedLine = filled(spec.failed, operand);
                const SandboxPathResolver::Element element = guardElement(spec, operand, QString(), commandLine);
                requireOwnership(spec.operation, QStringLiteral("element"), element.path, element.vobTag, failedLine);
                return change(element.vobTag, SandboxLocks::element(element.path, withoutVersion(operand)), failedLine);
            }
            const TypeSelector selector = parseTypeSelector(operand, QString());
            const QString failedLine =
                QStringLiteral("Unable to %1 %2 \"%3\".").arg(spec.command, EmulatorTypes::kindName(selector.kind), selector.name);
            EmulatorTypes(m_store).require(selector.vobTag, selector.kind, selector.name);
            guardType(spec.operation, selector.kind, operand, commandLine, failedLine, Ownership::Owner);
            return change(selector.vobTag, typeLock(selector.kind, selector.name), failedLine);
        });
        if (!goOn)
            break;
    }
    return outcomes.finish();
}

// --- type operations --------------------------------------------------------------------

void GuardedOperations::guardType(const QString &operation, const QString &typeKind, const QString &selectorText,
                                  const QString &commandLine, const QString &failedLine, Ownership ownership)
{
    const TypeSelector selector = parseTypeSelector(selectorText, typeKind);
    m_store.vob(selector.vobTag);
    TriggerRunner::Firing firing;
    firing.operation = operation;
    firing.vobTag = selector.vobTag;
    firing.onType = true;
    firing.typeKind = selector.kind;
    firing.typeName = selector.name;
    firing.variables = {{QStringLiteral("CLEARCASE_MTYPE"), EmulatorTypes::kindName(selector.kind)},
                        {QStringLiteral("CLEARCASE_") + selector.kind.toUpper(), selector.name},
                        {QStringLiteral("CLEARCASE_VIEW_TAG"), currentViewTag()},
                        {QStringLiteral("CLEARCASE_CMDLINE"), commandLine}};
    if (ownership != Ownership::SkipTriggers) {
        if (const auto refusal = m_runner.runPreOperation(firing, actingUser()))
            refuse(*refusal, operation, failedLine);
    }
    if (ownership != Ownership::Anyone)
        requireOwnership(operation, selector.kind, selector.name, selector.vobTag, failedLine);
    QList<SandboxLocks::Object> locked{SandboxLocks::vob(selector.vobTag)};
    if (operation != QLatin1String("lock") && operation != QLatin1String("unlock"))
        locked << typeLock(selector.kind, selector.name);
    SandboxLocks(m_store).require(selector.vobTag, locked, actingUser(), operation, failedLine);
}

// ClearCase lets only the object's owner, the VOB owner or a privileged user remove, rename,
// lock, unlock or redefine a type, lock or unlock an element, and only the VOB owner or a
// privileged user lock the VOB. An object's owner is the user who made it; what the site was
// seeded with, and the predefined types, belong to the VOB owner.
void GuardedOperations::requireOwnership(const QString &operation, const QString &kind, const QString &name,
                                         const QString &vobTag, const QString &failedLine)
{
    const QString user = actingUser();
    const auto same = [&user](const QString &other) { return !other.isEmpty() && other.compare(user, Qt::CaseInsensitive) == 0; };
    EmulatorTypes types(m_store);
    // A missing type is the command's to report.
    const bool isType = kind != QLatin1String("vob") && kind != QLatin1String("element");
    if (isType && !types.exists(vobTag, kind, name))
        return;
    if (same(types.vobOwner(vobTag)) || same(QStringLiteral("root")) || same(types.owner(vobTag, kind, name)))
        return;
    SandboxCommands::fail({QStringLiteral("No permission to perform operation \"%1\".").arg(operation),
                           QStringLiteral("Must be one of: object owner, VOB owner, privileged user."), failedLine});
}

QString GuardedOperations::runTypeOperation(const QString &operation, const QString &typeKind, const QStringList &selectors,
                                            const QString &commandLine,
                                            const std::function<QString(const QString &)> &failedLine, Ownership ownership)
{
    for (const QString &selector : selectors)
        guardType(operation, typeKind, selector, commandLine, failedLine(selector), ownership);
    return QString();
}

SandboxCommands::Handler GuardedOperations::guard(const QString &command, SandboxCommands::Handler handler)
{
    if (command == QLatin1String("mkattype")) {
        return [self = shared_from_this(), handler](const QStringList &words) {
            const EmulatorArguments args(QStringLiteral("mkattype"), words);
            for (const QString &operand : args.operands()) {
                const TypeSelector selector = parseTypeSelector(operand, QStringLiteral("attype"));
                const bool redefines = args.has(QStringLiteral("-replace")) && self->m_store.hasAttributeType(selector.vobTag, selector.name);
                self->guardType(QStringLiteral("mktype"), QStringLiteral("attype"), operand, commandLineOf(QStringLiteral("mkattype"), words),
                                QStringLiteral("Unable to create attribute type \"%1\".").arg(selector.name),
                                redefines ? Ownership::Owner : Ownership::Anyone);
            }
            return handler(words);
        };
    }
    if (command == QLatin1String("mktrtype")) {
        return [self = shared_from_this(), handler](const QStringList &words) {
            const MktrtypeArguments parsed = MktrtypeArguments::parse(words);
            for (const QString &operand : parsed.selectors) {
                const TypeSelector selector = parseTypeSelector(operand, QStringLiteral("trtype"));
                const bool redefines = parsed.replace && self->m_store.findTriggerType(selector.vobTag, selector.name);
                self->guardType(QStringLiteral("mktype"), QStringLiteral("trtype"), operand, commandLineOf(QStringLiteral("mktrtype"), words),
                                QStringLiteral("Unable to create trigger type \"%1\".").arg(selector.name),
                                redefines ? Ownership::Owner : Ownership::Anyone);
            }
            return handler(words);
        };
    }
    if (command == QLatin1String("chevent")) {
        return [self = shared_from_this(), handler](const QStringList &words) {
            const EmulatorArguments args(QStringLiteral("chevent"), words);
            for (const QString &operand : args.operands()) {
                if (!isTypeSelector(operand))
                    continue;
                const TypeSelector selector = parseTypeSelector(operand, QString());
                self->guardType(QStringLiteral("chevent"), selector.kind, operand, commandLineOf(QStringLiteral("chevent"), words),
                                QStringLiteral("Unable to change event of %1 \"%2\".").arg(EmulatorTypes::kindName(selector.kind), selector.name),
                                Ownership::Owner);
            }
            return handler(words);
        };
    }
    if (command == QLatin1String("mkattr") || command == QLatin1String("rmattr")) {
        return [self = shared_from_this(), handler, command](const QStringList &words) {
            return self->runAttributeChange(command, words, handler);
        };
    }
    if (command == QLatin1String("rmtype")) {
        return [self = shared_from_this(), handler](const QStringList &words) {
            const EmulatorArguments args(QStringLiteral("rmtype"), words);
            // -ignore skips the pre-operation triggers, as in ClearCase; the ownership rule stays.
            const QString kind = args.value(QStringLiteral("-kind"));
            self->runTypeOperation(QStringLiteral("rmtype"), kind, args.operands(), commandLineOf(QStringLiteral("rmtype"), words),
                                   [kind](const QString &selector) {
                                       const TypeSelector parsed = parseTypeSelector(selector, kind);
                                       return QStringLiteral("Unable to remove %1 \"%2\".").arg(EmulatorTypes::kindName(parsed.kind), parsed.name);
                                   },
                                   args.has(QStringLiteral("-ignore")) ? Ownership::SkipTriggers : Ownership::Owner);
            return handler(words);
        };
    }
    return handler;
}

// mkattr and rmattr fire the element triggers (MODIFY_MD) on versions and the type triggers
// (MODIFY_TYPE) on type objects, naming the attribute type; mkattr also gives the value as
// written. An attribute on the VOB object fires nothing. Each object is guarded in turn; one
// held back is reported and the others go on (or, stopping at the first failure, the rest
// is not looked at).
QMap<int, QString> GuardedOperations::heldBackAttributeTargets(const QString &command, const QStringList &words)
{
    const bool make = command == QLatin1String("mkattr");
    const EmulatorArguments args(command, words);
    const int leading = make ? 2 : 1;
    QMap<int, QString> heldBack;
    if (args.operands().size() <= leading)
        return heldBack; // the command itself says what is missing
    const QString typeName = args.operands().first();
    const QString failed = make ? QStringLiteral("Unable to create attribute \"%2\" on \"%1\".")
                                : QStringLiteral("Unable to remove attribute \"%2\" from \"%1\".");
    const ElementOperation spec{command, command, leading, QString(), failed};
    QHash<QString, QString> variables{{QStringLiteral("CLEARCASE_ATTYPE"), typeName}};
    if (make)
        variables.insert(QStringLiteral("CLEARCASE_VAL"), args.operands().at(1));
    const QString commandLine = commandLineOf(command, words);
    const QString version = args.value(QStringLiteral("-version"));
    const bool elementTriggers = anyElementTrigger(command);
    const bool anyLock = SandboxLocks(m_store).anyLock();
    const QStringList operands = args.operands().mid(leading);
    for (int i = 0; i < operands.size(); ++i) {
        const QString &operand = operands.at(i);
        try {
            if (isTypeSelector(operand))
                guardType(command, parseTypeSelector(operand, QString()).kind, operand, commandLine, filled(failed, operand, typeName));
            else if (elementTriggers && !VobSelector::isVobSelector(operand))
                guardElement(spec, operand + version, typeName, commandLine, variables);
            // Without a trigger that could fire, the command itself finds each version.
            if (anyLock)
                requireUnlockedAttributeTarget(command, operand, typeName, version, filled(failed, operand, typeName));
        } catch (const ZanError &e) {
            heldBack.insert(i, e.description());
            if (OperandOutcomes::stopsAtFirstFailure())
                break;
        }
    }
    return heldBack;
}

// An attribute change is held back by the VOB's lock, its attribute type's and its
// object's (the type object's lock is guardType's). A pathname that cannot be resolved is
// left for the command to report.
void GuardedOperations::requireUnlockedAttributeTarget(const QString &command, const QString &operand, const QString &typeName,
                                                       const QString &version, const QString &failedLine)
{
    QString vobTag;
    std::optional<SandboxLocks::Object> target;
    if (VobSelector::isVobSelector(operand)) {
        vobTag = VobSelector::tagOf(operand.mid(4), m_store, m_resolver);
    } else if (isTypeSelector(operand)) {
        vobTag = parseTypeSelector(operand, QString()).vobTag;
    } else {
        try {
            const SandboxPathResolver::Element element = m_resolver.resolve(operand + version);
            vobTag = element.vobTag;
            target = SandboxLocks::element(element.path, withoutVersion(operand));
        } catch (const ZanError &) {
            return;
        }
    }
    SandboxLocks(m_store).require(vobTag, SandboxLocks::onAttributeChange(vobTag, {typeName}, target), actingUser(), command,
                                  failedLine);
}

// Runs an attribute change for the objects its triggers and locks let through, then
// reports the held-back ones as cleartool does: after the others, with a failure status.
// Stopping at the first failure, the objects after the first held-back one are not changed.
QString GuardedOperations::runAttributeChange(const QString &command, const QStringList &words,
                                              const SandboxCommands::Handler &handler)
{
    const QMap<int, QString> heldBack = heldBackAttributeTargets(command, words);
    if (heldBack.isEmpty())
        return handler(words);
    const int leading = command == QLatin1String("mkattr") ? 2 : 1;
    const int objects = int(EmulatorArguments(command, words).operands().size()) - leading;
    const int firstObjectWord = int(words.size()) - objects; // the objects are the last words
    QStringList passed = words.mid(0, firstObjectWord);
    for (int i = 0; i < objects; ++i) {
        if (heldBack.contains(i))
            continue;
        if (OperandOutcomes::stopsAtFirstFailure() && i > heldBack.firstKey())
            break;
        passed << words.at(firstObjectWord + i);
    }
    OperandOutcomes outcomes;
    if (passed.size() > firstObjectWord)
        outcomes.run([&] { return handler(passed); });
    for (const QString &error : heldBack) {
        if (outcomes.stopped() || !outcomes.fail(error))
            break;
    }
    return outcomes.finish();
}

// Whether an element trigger of any VOB could fire for the operation by the acting user.
bool GuardedOperations::anyElementTrigger(const QString &operation)
{
    const QString user = actingUser();
    for (const SandboxVob &vob : m_store.vobs()) {
        if (m_runner.mayFire(vob.tag, operation, false, user))
            return true;
    }
    return false;
}

QString GuardedOperations::rntype(const QStringList &words)
{
    const EmulatorArguments args(QStringLiteral("rntype"), words);
    if (args.operands().size() != 2)
        SandboxCommands::fail(QStringLiteral("A type selector and a new name must be given."));
    const TypeSelector selector = parseTypeSelector(args.operands().first(), QString());
    const QString kindName = EmulatorTypes::kindName(selector.kind);
    const QString failed = QStringLiteral("Unable to rename %1 \"%2\".").arg(kindName, selector.name);
    guardType(QStringLiteral("rntype"), selector.kind, args.operands().first(), commandLineOf(QStringLiteral("rntype"), words), failed,
              Ownership::Owner);
    EmulatorTypes types(m_store);
    types.require(selector.vobTag, selector.kind, selector.name);
    const QString newName = args.operands().at(1);
    if (EmulatorTypes::predefined(selector.kind).contains(selector.name))
        SandboxCommands::fail({QStringLiteral("Cannot rename a predefined type."), failed});
    if (types.exists(selector.vobTag, selector.kind, newName))
        SandboxCommands::fail({QStringLiteral("Name \"%1\" already exists.").arg(newName), failed});
    m_store.renameType(selector.vobTag, selector.kind, selector.name, newName);
    return QStringLiteral("Renamed %1 \"%2\" to \"%3\".\n").arg(kindName, selector.name, newName);
}

// Label, element, hyperlink and branch types are kept in the store's generic type table once
// the type triggers allow them.
QString GuardedOperations::mkKeptType(const QString &kind, const QStringList &words)
{
    const QString command = QStringLiteral("mk") + kind;
    const EmulatorArguments args(command, words);
    const QString kindName = EmulatorTypes::kindName(kind);
    if (args.operands().isEmpty())
        SandboxCommands::fail(QStringLiteral("A %1 name must be given.").arg(kindName));
    QString out;
    for (const QString &operand : args.operands()) {
        const TypeSelector selector = parseTypeSelector(operand, kind);
        const QString failedLine = QStringLiteral("Unable to create %1 \"%2\".").arg(kindName, selector.name);
        guardType(QStringLiteral("mktype"), kind, operand, commandLineOf(command, words), failedLine);
        const bool exists = EmulatorTypes(m_store).exists(selector.vobTag, kind, selector.name);
        if (exists && !args.has(QStringLiteral("-replace")))
            SandboxCommands::fail({QStringLiteral("Name \"%1\" already exists.").arg(selector.name), failedLine});
        if (exists) {
            out += QStringLiteral("Replaced definition of %1 \"%2\".\n").arg(kindName, selector.name);
            continue;
        }
        m_store.addType(selector.vobTag, kind, {selector.name, args.comment(), {}, actingUser()});
        m_history.typeMade(selector.vobTag, kind, selector.name, args.comment());
        out += QStringLiteral("Created %1 \"%2\".\n").arg(kindName, selector.name);
    }
    return out;
}
