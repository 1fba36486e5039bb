// zanctl explain predicts the security trigger: a seeded random sweep of users, operations
// and settings over elements, the VOB root, types and names not made yet. Each case is
// explained over the sandbox backend and over the cleartool co-process, then really run
// through the emulator with the triggers installed; only the trigger's say is compared
// (ClearCase's own rules, such as who may lock, come after it).
#include "CliContext.h"
#include "CommandRegistry.h"
#include "clearcase/ClearCaseFactory.h"
#include "clearcase/sandbox/SandboxSeed.h"
#include "clearcase/sandbox/SandboxStore.h"
#include "support/EmulatorBackend.h"
#include "support/FakePlatform.h"
#include "support/TempSandbox.h"
#include "access/OperationsCatalogue.h"
#include "triggers/TriggerInstaller.h"
#include "util/ZanError.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>

namespace {

struct Case {
    QString user;
    QStringList explain; // OPERATION PATH [--type TYPE]
    QStringList command; // what the user runs
};

const QStringList users = {QStringLiteral("bob"), QStringLiteral("eve"), QStringLiteral("Carol"), QStringLiteral("admin1")};
const QStringList settingTypes = {QStringLiteral("__checkout"), QStringLiteral("__lock"),    QStringLiteral("__mkattr"),
                                  QStringLiteral("__mkelem"),   QStringLiteral("__mktype"),  QStringLiteral("__mklbtype"),
                                  QStringLiteral("__rntype")};
// nullptr: no attribute.
const char *const values[] = {nullptr, nullptr, "bob", "eve,carol", "ALL", "NONE", "", "BOB,admin1"};
const char *const privilegedLists[] = {nullptr, nullptr, "checkout", "lock,mkelem", "mkattr,rntype"};

} // namespace

class ExplainSweep : public ::testing::TestWithParam<SiteStyle::Kind>
{
protected:
    ExplainSweep() : sandbox(GetParam()) {}
    void TearDown() override { SiteStyle::setCurrent(SiteStyle()); }

    bool unix() const { return GetParam() == SiteStyle::Kind::Unix; }
    QString vob() const { return unix() ? QStringLiteral("/vobs/proj") : SandboxSeed::projVob; }
    QString root() const { return unix() ? QStringLiteral("/view/bob_dev/vobs/proj") : QStringLiteral("m:\\bob_dev\\proj"); }
    QString under(const QString &relative) const
    {
        return root() + (unix() ? QStringLiteral("/") + relative : QStringLiteral("\\") + QString(relative).replace('/', '\\'));
    }
    QString rootElement() const { return under(QStringLiteral(".")); }
    QString type(const QString &selector) const { return selector + QLatin1Char('@') + vob(); }

    void SetUp() override
    {
        // The settings are an administrator's: once the triggers are in, they guard them too.
        platform.login = QStringLiteral("admin1");
        writer = sandbox.open(platform);
        ClearCaseFactory::adoptSiteStyle(*writer, QString());
        writer->createAttributeType(vob(), QStringLiteral("Level"), 8, QString());
        for (const QString &name : settingTypes + QStringList{QStringLiteral("QX_PRIVOPER")})
            writer->createAttributeType(vob(), name, 8, QString());
        sandbox.store().addType(vob(), QStringLiteral("lbtype"), {QStringLiteral("ZAN_REL"), QString(), {}, QStringLiteral("vobadm")});
        const QString folder = QDir(sandbox.folder()).filePath(QStringLiteral("drives/c/triggers"));
        ASSERT_TRUE(QDir().mkpath(folder));
        const QString location = unix() ? folder : QStringLiteral("c:\\triggers");
        TriggerInstaller::Request request{{location, location, QStringLiteral("admin1"), unix() ? QStringLiteral("/view") : QStringLiteral("m"),
                                           QString(), false, QStringLiteral("12/8/26"), unix()},
                                          vob(), root(), false, false, OperationsCatalogue::defaultPrivilegedList()};
        const TriggerInstaller installer(request);
        const ScriptDeployment::Outcome copied = installer.deployScript(platform, QStringLiteral(ZAN_SOURCE_DIR "/trigger/_qx_security_trigger.pl"));
        ASSERT_TRUE(copied.notCopied.isEmpty() && copied.unreachable.isEmpty());
        ASSERT_TRUE(TriggerInstaller::run(*writer, installer.installSteps(*writer)).isEmpty());
    }

    // Random settings on main.c, its directory and the VOB root; sometimes a recorded
    // privileged list.
    void scatterSettings(std::mt19937 &random)
    {
        const QStringList places = {under(QStringLiteral("src/main.c")), under(QStringLiteral("src")), rootElement()};
        for (const QString &place : places) {
            for (const QString &name : settingTypes)
                write(place, name, values[random() % std::size(values)]);
        }
        write(rootElement(), QStringLiteral("QX_PRIVOPER"), privilegedLists[random() % std::size(privilegedLists)]);
    }

    void write(const QString &element, const QString &name, const char *value)
    {
        const QString version = element + QStringLiteral("@@/main/0");
        if (value)
            writer->attachAttribute(vob(), name, version, QString::fromUtf8(value), QString(), true);
        else if (!writer->attributes(version).isEmpty())
            removeIfThere(version, name);
    }

    void removeIfThere(const QString &version, const QString &name)
    {
        try {
            writer->removeAttribute(version, name, QString());
        } catch (const ZanError &) {
            // it was not there
        }
    }

    Case randomCase(std::mt19937 &random, int number)
    {
        const QString user = users.at(random() % users.size());
        const QString mainC = under(QStringLiteral("src/main.c"));
        const QString newInSrc = under(QStringLiteral("src/new_%1.c").arg(number));
        const QString newAtTop = under(QStringLiteral("new_%1.c").arg(number));
        const QString label = QStringLiteral("ZAN_REL");
        const QList<Case> all = {
            {user, {"checkout", mainC}, {"checkout", "-nc", mainC}},
            {user, {"checkout", root()}, {"checkout", "-nc", rootElement()}},
            {user, {"lock", mainC}, {"lock", "-nc", mainC}},
            {user, {"lock", rootElement()}, {"lock", "-nc", rootElement()}},
            {user, {"mkattr", mainC, "--type", "Level"}, {"mkattr", "-replace", "-nc", "Level", "\"x\"", mainC + "@@/main/0"}},
            {user, {"mkattr", root(), "--type", "Level"}, {"mkattr", "-replace", "-nc", "Level", "\"x\"", rootElement() + "@@/main/0"}},
            {user, {"mkattr", mainC, "--type", "__checkout"}, {"mkattr", "-replace", "-nc", "__checkout", "\"x\"", mainC + "@@/main/0"}},
            {user, {"mkattr", root(), "--type", "__mktype"}, {"mkattr", "-replace", "-nc", "__mktype", "\"x\"", rootElement() + "@@/main/0"}},
            {user, {"mkelem", newInSrc}, {"mkelem", "-nc", newInSrc}},
            {user, {"mkelem", newAtTop}, {"mkelem", "-nc", newAtTop}},
            {user, {"mklbtype", root()}, {"mklbtype", "-nc", type(QStringLiteral("NEW_%1").arg(number))}},
            {user, {"rntype", root(), "--type", "lbtype:" + label}, {"rntype", "-nc", type("lbtype:" + label), label + "_2"}},
            {user, {"lock", root(), "--type", "lbtype:" + label}, {"lock", "-nc", type("lbtype:" + label)}},
            {user, {"lock", root(), "--type", "attype:__checkout"}, {"lock", "-nc", type("attype:__checkout")}},
            {user, {"lock", root(), "--type", "trtype:_KORVANE_SECURITY1"}, {"lock", "-nc", type("trtype:_KORVANE_SECURITY1")}},
        };
        return all.at(random() % all.size());
    }

    // explain's verdict over one backend: "allow", "deny" or what went wrong.
    QString explained(const Case &c, bool coProcess)
    {
        const SiteStyle site = SiteStyle::current(); // the test's own writer keeps working in it
        SiteStyle::setCurrent(SiteStyle()); // as a fresh zanctl process starts
        QString out, err;
        QTextStream outStream(&out), errStream(&err);
        const auto open = [this, coProcess](Platform &p) {
            std::unique_ptr<ClearCase> backend = coProcess ? emulatorBackend(sandbox.folder()) : sandbox.open(p);
            ClearCaseFactory::adoptSiteStyle(*backend, QString());
            return backend;
        };
        CliContext context(platform, open, settings.path(), outStream, errStream, false);
        const int status = CommandRegistry(context).run(QStringList{QStringLiteral("explain"), c.user} + c.explain);
        outStream.flush();
        errStream.flush();
        SiteStyle::setCurrent(site);
        return status == 0 ? QStringLiteral("allow") : status == 1 ? QStringLiteral("deny") : QStringLiteral("failed: ") + err;
    }

    // The trigger's say when the user runs the command through the emulator.
    QString enforced(const Case &c, QString &output)
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("CLEARCASE_USER"), c.user);
        env.insert(QStringLiteral("ZAN_SANDBOX"), sandbox.folder());
        // From inside the view, as a shell there has it: ClearCase names the view to the triggers.
        const QString view = QDir(sandbox.store().driveFolder(SandboxSeed::viewDrive))
                                 .filePath(unix() ? QStringLiteral("bob_dev/vobs/proj") : QStringLiteral("bob_dev/proj"));
        env.insert(QStringLiteral("PWD"), view);
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(view);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(emulatorProgram(), c.command);
        process.waitForFinished(60000);
        output = QString::fromLocal8Bit(process.readAll());
        const bool refused = output.contains(QStringLiteral("has refused to let"));
        if (!refused && process.exitCode() == 0 && c.command.first() == QLatin1String("lock"))
            unlockAsRoot(env, view, c.command.last());
        return refused ? QStringLiteral("deny") : QStringLiteral("allow");
    }

    // A lock the trigger let through would stop the next case's settings from being written:
    // the administrator (whom the trigger lets through) or root (whom ClearCase lets unlock
    // what it did not make) takes it off again.
    void unlockAsRoot(QProcessEnvironment env, const QString &view, const QString &object)
    {
        for (const QString &user : {QStringLiteral("admin1"), QStringLiteral("root")}) {
            QProcess process;
            env.insert(QStringLiteral("CLEARCASE_USER"), user);
            process.setProcessEnvironment(env);
            process.setWorkingDirectory(view);
            process.start(emulatorProgram(), {QStringLiteral("unlock"), QStringLiteral("-nc"), object});
            process.waitForFinished(60000);
            if (process.exitCode() == 0)
                return;
        }
        ADD_FAILURE() << "the sweep could not take its lock off " << object.toStdString();
    }

    FakePlatform platform;
    TempSandbox sandbox;
    QTemporaryDir settings;
    std::unique_ptr<ClearCase> writer;
};

TEST_P(ExplainSweep, ExplainPredictsWhatTheTriggerDecidesOnBothBackends)
{
    std::mt19937 random(20261208 + int(GetParam()));
    int refused = 0;
    constexpr int cases = 60;
    for (int number = 0; number < cases; ++number) {
        scatterSettings(random);
        const Case c = randomCase(random, number);
        const QString sandboxVerdict = explained(c, false);
        const QString coProcessVerdict = explained(c, true);
        QString output;
        const QString trigger = enforced(c, output);
        const std::string what = c.user.toStdString() + " " + c.command.join(' ').toStdString() + "\n" + output.toStdString();
        EXPECT_EQ(sandboxVerdict, trigger) << "sandbox: " << what;
        EXPECT_EQ(coProcessVerdict, trigger) << "co-process: " << what;
        refused += trigger == QLatin1String("deny");
    }
    // The sweep means something only if it meets both answers.
    EXPECT_GT(refused, 2);
    EXPECT_LT(refused, cases - 2);
}

INSTANTIATE_TEST_SUITE_P(Sites, ExplainSweep, ::testing::Values(SiteStyle::Kind::Windows, SiteStyle::Kind::Unix),
                         [](const ::testing::TestParamInfo<SiteStyle::Kind> &site) {
                             return site.param == SiteStyle::Kind::Unix ? std::string("Unix") : std::string("Windows");
                         });
