#include "support/EmulatorBackend.h"
#include "support/FakePlatform.h"
#include "support/TempSandbox.h"

#include "access/AccessAttributeFormat.h"
#include "access/AccessEditor.h"
#include "access/OperationsCatalogue.h"
#include "clearcase/emulator/CleartoolEmulator.h"
#include "clearcase/sandbox/SandboxSeed.h"
#include "triggers/RecordedPrivilegedList.h"

#include <QDir>
#include <QHash>
#include <QProcess>
#include <gtest/gtest.h>

// A setting made the way the window makes it, for any catalogue operation and whatever the
// privileged list, is what the security script enforces when ClearCase fires the trigger.
namespace {

const QString vobTag = SandboxSeed::projVob;
const QString vobRoot = QStringLiteral("m:\\bob_dev\\proj");

const QHash<QString, QString> typeKinds = {
    {QStringLiteral("mktype"), QStringLiteral("label type")},      {QStringLiteral("mklbtype"), QStringLiteral("label type")},
    {QStringLiteral("mkattype"), QStringLiteral("attribute type")}, {QStringLiteral("mkeltype"), QStringLiteral("element type")},
    {QStringLiteral("mkhltype"), QStringLiteral("hyperlink type")}, {QStringLiteral("mktrtype"), QStringLiteral("trigger type")},
    {QStringLiteral("rntype"), QStringLiteral("label type")},      {QStringLiteral("rmtype"), QStringLiteral("label type")},
    {QStringLiteral("modtype"), QStringLiteral("label type")}};
const QStringList nameCreating = {QStringLiteral("mkelem"), QStringLiteral("mkslink"), QStringLiteral("lnname")};

// Where the administrator selects to set the operation, and the path ClearCase then reports
// ("" for operations on types of the VOB).
struct Target {
    QString selected;
    QString reported;
};

Target targetOf(const QString &operation)
{
    if (typeKinds.contains(operation))
        return {vobRoot + QStringLiteral("\\."), QString()};
    if (nameCreating.contains(operation))
        return {vobRoot + QStringLiteral("\\src"), vobRoot + QStringLiteral("\\src\\new.c")};
    return {vobRoot + QStringLiteral("\\src\\main.c"), vobRoot + QStringLiteral("\\src\\main.c")};
}

QProcessEnvironment triggerEnvironment(const QString &operation, const QString &user, const QString &binFolder)
{
    QProcessEnvironment env;
    env.insert(QStringLiteral("PATH"), binFolder + QStringLiteral(":/usr/bin:/bin"));
    env.insert(QStringLiteral("CLEARCASE_USER"), user);
    env.insert(QStringLiteral("CLEARCASE_VOB_PN"), vobTag);
    env.insert(QStringLiteral("CLEARCASE_VIEW_TAG"), SandboxSeed::bobDev);
    env.insert(QStringLiteral("CLEARCASE_TRTYPE_KIND"), QStringLiteral("pre-operation"));
    const QString kind = typeKinds.value(operation);
    const bool makesType = operation.startsWith(QLatin1String("mk")) && !kind.isEmpty();
    env.insert(QStringLiteral("CLEARCASE_OP_KIND"), makesType ? QStringLiteral("mktype") : operation);
    env.insert(QStringLiteral("CLEARCASE_MTYPE"), kind.isEmpty() ? QStringLiteral("version") : kind);
    if (kind.isEmpty())
        env.insert(QStringLiteral("CLEARCASE_PN"), targetOf(operation).reported);
    else
        env.insert(QStringLiteral("CLEARCASE_") + kind.section(QLatin1Char(' '), 0, 0).left(2).toUpper() + QStringLiteral("TYPE"),
                   QStringLiteral("REL9"));
    return env;
}

// The script's verdict: 0 allows, 1 refuses; its output on failure.
std::pair<int, QString> runScript(const QProcessEnvironment &env, const QString &folder)
{
    QProcess script;
    script.setProcessEnvironment(env);
    script.setWorkingDirectory(folder);
    script.setProcessChannelMode(QProcess::MergedChannels);
    script.start(QStringLiteral("perl"), {QStringLiteral(ZAN_SOURCE_DIR "/trigger/_qx_security_trigger.pl"), QStringLiteral("m")});
    script.waitForFinished(60000);
    return {script.exitCode(), QString::fromUtf8(script.readAll())};
}

} // namespace

TEST(PrivilegedListEnforcement, EveryCatalogueOperationSetInTheWindowIsEnforcedUnderTheListInForce)
{
    const QString defaults = OperationsCatalogue::defaultPrivilegedList();
    const QList<std::pair<const char *, QString>> lists = {{"default", defaults},
                                                           {"with checkout", defaults + QStringLiteral(",checkout")},
                                                           {"without rmelem", QString(defaults).remove(QStringLiteral("rmelem,"))}};
    ASSERT_FALSE(lists[2].second.contains(QStringLiteral("rmelem")));
    for (const auto &[name, list] : lists) {
        for (const QString &operation : OperationsCatalogue::offeredOperations(false)) {
            SCOPED_TRACE(std::string(name) + " list, " + operation.toStdString());
            TempSandbox sandbox;
            FakePlatform platform;
            std::unique_ptr<ClearCase> clearCase = sandbox.open(platform);
            const ElementLocation location{targetOf(operation).selected, vobRoot, vobTag};
            AccessEditor editor(*clearCase);
            editor.ensureAttributeType(location, AccessAttributeFormat::typeName(operation));
            editor.addOperation(location, operation, list);
            editor.writeUsers(location, operation, {QStringLiteral("bob")}, list);
            RecordedPrivilegedList::record(*clearCase, vobTag, vobRoot, list);
            const QString bin = CleartoolEmulator::installAsCleartool(sandbox.folder(), emulatorProgram());
            for (const auto &[user, verdict] : {std::pair{"eve", 1}, std::pair{"bob", 0}}) {
                const auto [status, output] = runScript(triggerEnvironment(operation, QString::fromLatin1(user), bin), sandbox.folder());
                EXPECT_EQ(status, verdict) << user << ": " << output.toStdString();
            }
        }
    }
}
