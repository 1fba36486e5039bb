#include "clearcase/emulator/TriggerRunner.h"

#include "clearcase/emulator/CleartoolEmulator.h"
#include "clearcase/sandbox/CommandLine.h"
#include "clearcase/sandbox/SandboxSeed.h"
#include "clearcase/sandbox/SandboxStore.h"
#include "util/ZanError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#ifdef Q_OS_UNIX
#include <csignal>
#include <unistd.h>
#endif

namespace {

const QStringList modifyData = {
    QStringLiteral("checkin"), QStringLiteral("chtype"),  QStringLiteral("lnname"),  QStringLiteral("lock"),
    QStringLiteral("mkbranch"), QStringLiteral("mkelem"), QStringLiteral("mkslink"), QStringLiteral("protect"),
    QStringLiteral("rmbranch"), QStringLiteral("rmelem"), QStringLiteral("rmname"),  QStringLiteral("rmver"),
    QStringLiteral("unlock")};
const QStringList modifyMetadata = {
    QStringLiteral("chevent"), QStringLiteral("chmaster"), QStringLiteral("mkattr"),  QStringLiteral("mkhlink"),
    QStringLiteral("mklabel"), QStringLiteral("rmattr"),   QStringLiteral("rmhlink"), QStringLiteral("rmlabel")};
const QStringList modifyElementOnly = {QStringLiteral("checkout"), QStringLiteral("reserve"), QStringLiteral("uncheckout"),
                                       QStringLiteral("unreserve")};
const QStringList modifyType = {
    QStringLiteral("mktype"),  QStringLiteral("rmtype"),   QStringLiteral("rntype"),  QStringLiteral("lock"),
    QStringLiteral("unlock"),  QStringLiteral("chevent"),  QStringLiteral("chmaster"), QStringLiteral("modtype"),
    QStringLiteral("mkattr"),  QStringLiteral("rmattr")};

constexpr int typeTriggerKind = 0;
constexpr int allElementsKind = 2;
constexpr int preOperation = 1;

// The variables a firing sets; a caller's own values for them never leak into a script.
const QStringList triggerVariables = {
    QStringLiteral("CLEARCASE_OP_KIND"), QStringLiteral("CLEARCASE_POP_KIND"), QStringLiteral("CLEARCASE_TRTYPE_KIND"),
    QStringLiteral("CLEARCASE_PN"),      QStringLiteral("CLEARCASE_PN2"),      QStringLiteral("CLEARCASE_XPN"),
    QStringLiteral("CLEARCASE_XN_SFX"),  QStringLiteral("CLEARCASE_ID_STR"),   QStringLiteral("CLEARCASE_ELTYPE"),
    QStringLiteral("CLEARCASE_MTYPE"),   QStringLiteral("CLEARCASE_BRTYPE"),   QStringLiteral("CLEARCASE_LBTYPE"),
    QStringLiteral("CLEARCASE_ATTYPE"),  QStringLiteral("CLEARCASE_HLTYPE"),   QStringLiteral("CLEARCASE_TRTYPE"),
    QStringLiteral("CLEARCASE_VIEW_TAG"), QStringLiteral("CLEARCASE_VIEW_KIND"),
    QStringLiteral("CLEARCASE_VOB_PN"),  QStringLiteral("CLEARCASE_CMDLINE"),  QStringLiteral("CLEARCASE_COMMENT"),
    QStringLiteral("CLEARCASE_NEW_TYPE"), QStringLiteral("CLEARCASE_SLNKTXT"), QStringLiteral("CLEARCASE_VAL"),
    QStringLiteral("CLEARCASE_VTYPE"),   QStringLiteral("CLEARCASE_USER")};

// Variables of the caller's own making that would change how a script runs or where it
// looks for things; actions run without them.
bool isCallerTuning(const QString &name)
{
    static const QStringList perl = {QStringLiteral("PERL5OPT"), QStringLiteral("PERL5LIB"), QStringLiteral("PERLLIB"),
                                     QStringLiteral("PERL5DB"), QStringLiteral("PERL_UNICODE")};
    return perl.contains(name) || name.startsWith(QLatin1String("ZAN_"));
}

int configuredTimeLimitMs()
{
    bool ok = false;
    const int seconds = qEnvironmentVariableIntValue("ZAN_TRIGGER_TIME_LIMIT", &ok);
    return ok && seconds > 0 ? seconds * 1000 : TriggerRunner::defaultTimeLimitMs;
}

bool isDrivePath(const QString &word)
{
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z]:[\\\\/]"));
    return pattern.match(word).hasMatch();
}

bool isUncPath(const QString &word)
{
    return word.startsWith(QLatin1String("\\\\")) || word.startsWith(QLatin1String("//"));
}

bool runsHere(TriggerTypeDefinition::ActionTarget target)
{
#ifdef Q_OS_WIN
    return target != TriggerTypeDefinition::UnixClients;
#else
    return target != TriggerTypeDefinition::WindowsClients;
#endif
}

} // namespace

// The drives are the site's (the sandbox's): a caller's own drive map never decides which
// script a trigger runs.
TriggerRunner::TriggerRunner(SandboxStore &store) : m_store(store), m_timeLimitMs(configuredTimeLimitMs())
{
    QStringList letters = SandboxSeed::otherDrives;
    letters << SandboxSeed::viewDrive;
    for (const QString &letter : letters)
        m_drives.insert(letter.at(0), store.driveFolder(letter));
}

bool TriggerRunner::covers(const QStringList &operationKinds, const QString &operation, bool onType)
{
    for (const QString &kind : operationKinds) {
        if (kind == operation)
            return true;
        if (onType) {
            if (kind == QLatin1String("MODIFY_TYPE") && modifyType.contains(operation))
                return true;
            continue;
        }
        if (kind == QLatin1String("MODIFY_DATA") && modifyData.contains(operation))
            return true;
        if (kind == QLatin1String("MODIFY_MD") && modifyMetadata.contains(operation))
            return true;
        if (kind == QLatin1String("MODIFY_ELEM")
            && (modifyData.contains(operation) || modifyMetadata.contains(operation) || modifyElementOnly.contains(operation)))
            return true;
    }
    return false;
}

bool TriggerRunner::guards(const SandboxTriggerType &type, const QString &operation, bool onType, const QString &user)
{
    if (type.firing != preOperation || type.kind != (onType ? typeTriggerKind : allElementsKind))
        return false;
    if (!covers(type.operations, operation, onType))
        return false;
    for (const QString &exempt : type.exemptUsers) {
        if (exempt.compare(user, Qt::CaseInsensitive) == 0)
            return false;
    }
    return true;
}

bool TriggerRunner::mayFire(const QString &vobTag, const QString &operation, bool onType, const QString &user)
{
    for (const SandboxTriggerType &type : m_store.triggerTypes(vobTag)) {
        if (guards(type, operation, onType, user))
            return true;
    }
    return false;
}

bool TriggerRunner::fires(const SandboxTriggerType &type, const Firing &firing, const QString &user) const
{
    if (!guards(type, firing.operation, firing.onType, user))
        return false;
    if (!firing.onType)
        return true;
    for (const auto &inclusion : type.inclusions) {
        if (inclusion.first == firing.typeKind
            && (inclusion.second == QLatin1String("-all") || inclusion.second.split(QLatin1Char(',')).contains(firing.typeName)))
            return true;
    }
    return false;
}

std::optional<TriggerRunner::Refusal> TriggerRunner::runPreOperation(const Firing &firing, const QString &user)
{
    for (const SandboxTriggerType &type : m_store.triggerTypes(firing.vobTag)) {
        if (!fires(type, firing, user))
            continue;
        if (auto refusal = runActions(type, environment(firing, type, user)))
            return refusal;
    }
    return std::nullopt;
}

std::optional<TriggerRunner::Refusal> TriggerRunner::runActions(const SandboxTriggerType &type, const QProcessEnvironment &environment)
{
    bool ranAny = false;
    for (const TriggerTypeDefinition::Action &action : type.actions) {
        if (!runsHere(action.target))
            continue;
        ranAny = true;
        if (const auto problem = runAction(action, environment)) {
            Refusal refusal{type.name, {}};
            if (!problem->isEmpty())
                refusal.notes << *problem;
            return refusal;
        }
    }
    // A trigger whose actions are all for the other platform always fails here.
    if (!ranAny && !type.actions.isEmpty())
        return Refusal{type.name, {QStringLiteral("Trigger \"%1\" has no action for this platform.").arg(type.name)}};
    return std::nullopt;
}

// Empty optional when the action let the operation go on; otherwise the reason ("" when the
// script itself refused and has said why).
std::optional<QString> TriggerRunner::runAction(const TriggerTypeDefinition::Action &action, const QProcessEnvironment &environment)
{
    QStringList words;
    try {
        words = actionWords(action);
    } catch (const ZanError &e) {
        return e.description();
    }
    if (words.isEmpty())
        return QStringLiteral("Trigger action is empty.");
    // Each run gets its own temporary folder, removed with everything the action left in it.
    QTemporaryDir scratch;
    QProcessEnvironment actionEnvironment = environment;
    if (scratch.isValid()) {
        for (const char *name : {"TMPDIR", "TEMP", "TMP"})
            actionEnvironment.insert(QString::fromLatin1(name), QDir::toNativeSeparators(scratch.path()));
    }
    QProcess process;
    process.setProcessEnvironment(actionEnvironment);
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setInputChannelMode(QProcess::ForwardedInputChannel);
#ifdef Q_OS_UNIX
    // Its own process group, so that a time-out ends everything the action started.
    process.setChildProcessModifier([] { ::setpgid(0, 0); });
#endif
    process.start(words.first(), words.mid(1));
    if (!process.waitForStarted())
        return QStringLiteral("Unable to run trigger action \"%1\": %2").arg(action.command, process.errorString());
    if (!process.waitForFinished(m_timeLimitMs)) {
        killTree(process);
        return QStringLiteral("Trigger action \"%1\" did not finish within %2 seconds and was stopped.")
            .arg(action.command)
            .arg(m_timeLimitMs / 1000.0);
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return QString();
    return std::nullopt;
}

void TriggerRunner::killTree(QProcess &process)
{
#ifdef Q_OS_UNIX
    if (process.processId() > 0)
        ::kill(-pid_t(process.processId()), SIGKILL);
#endif
    process.kill();
    process.waitForFinished(5000);
}

QStringList TriggerRunner::actionWords(const TriggerTypeDefinition::Action &action) const
{
    const auto style = action.target == TriggerTypeDefinition::UnixClients ? CommandLine::Style::Unix : CommandLine::Style::Windows;
    QStringList words = CommandLine::split(action.command, style);
    if (words.isEmpty())
        return words;
    const QString interpreter = words.first().toLower();
    if (interpreter == QLatin1String("ccperl") || interpreter == QLatin1String("ccperl.exe") || interpreter == QLatin1String("perl"))
        words.first() = QStringLiteral("perl");
    for (QString &word : words) {
        if (isUncPath(word))
            throw ZanError(ZanError::PathNotFound, QStringLiteral("cleartool"),
                           QStringLiteral("Trigger action path \"%1\" is a network share, which cannot be reached here.").arg(word));
        if (isDrivePath(word))
            word = hostPath(word);
    }
    return words;
}

QString TriggerRunner::hostPath(const QString &path) const
{
    const auto drive = m_drives.constFind(path.at(0).toLower());
    if (drive == m_drives.constEnd())
        throw ZanError(ZanError::PathNotFound, QStringLiteral("cleartool"),
                       QStringLiteral("Trigger action path \"%1\" is on a drive this machine does not have.").arg(path));
    QString rest = path.mid(3);
    rest.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return rest.isEmpty() ? drive.value() : QDir(drive.value()).filePath(rest);
}

QProcessEnvironment TriggerRunner::environment(const Firing &firing, const SandboxTriggerType &type, const QString &user) const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString &name : env.keys()) {
        if (triggerVariables.contains(name) || isCallerTuning(name))
            env.remove(name);
    }
    env.insert(QStringLiteral("CLEARCASE_OP_KIND"), firing.operation);
    env.insert(QStringLiteral("CLEARCASE_TRTYPE_KIND"), QStringLiteral("pre-operation"));
    env.insert(QStringLiteral("CLEARCASE_USER"), user);
    env.insert(QStringLiteral("CLEARCASE_VOB_PN"), firing.vobTag);
    env.insert(QStringLiteral("CLEARCASE_TRTYPE"), type.name);
    for (auto it = firing.variables.constBegin(); it != firing.variables.constEnd(); ++it)
        env.insert(it.key(), it.value());

    // The scripts reach cleartool by its name: the emulator, installed in the sandbox.
    const QString binFolder = cleartoolFolder();
    if (!binFolder.isEmpty())
        env.insert(QStringLiteral("PATH"), QDir::toNativeSeparators(binFolder) + QDir::listSeparator() + env.value(QStringLiteral("PATH")));
    return env;
}

// <sandbox>/bin holding the emulator as "cleartool", installed on first need; "" when it
// cannot be (the scripts then find no cleartool, or the site's own, and fail on their own).
QString TriggerRunner::cleartoolFolder() const
{
    const QString binFolder = QDir(m_store.folder()).filePath(QStringLiteral("bin"));
    if (QFileInfo::exists(QDir(binFolder).filePath(QStringLiteral("cleartool")))
        || QFileInfo::exists(QDir(binFolder).filePath(QStringLiteral("cleartool.cmd"))))
        return binFolder;
    const bool runningEmulator = QCoreApplication::instance()
                                 && QFileInfo(QCoreApplication::applicationFilePath()).fileName().startsWith(QLatin1String("cleartool"));
    try {
        return CleartoolEmulator::installAsCleartool(
            m_store.folder(), runningEmulator ? QCoreApplication::applicationFilePath() : CleartoolEmulator::defaultEmulatorProgram());
    } catch (const ZanError &) {
        return QString();
    }
}
