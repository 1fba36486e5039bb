#pragma once

#include "CliContext.h"
#include "CommandRegistry.h"
#include "access/AccessAttributeFormat.h"
#include "clearcase/ClearCaseFactory.h"
#include "clearcase/emulator/CleartoolEmulator.h"
#include "clearcase/sandbox/SandboxSeed.h"
#include "clearcase/sandbox/SandboxStore.h"
#include "support/EmulatorBackend.h"
#include "support/FakePlatform.h"
#include "support/TempSandbox.h"
#include "triggers/TriggerCommandLines.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <tuple>

// zanctl run in-process over a fresh sandbox, through the sandbox backend or the cleartool
// co-process driving the emulator, with helpers that prepare the VOB.
class ZanctlRun : public ::testing::Test
{
protected:
    explicit ZanctlRun(SiteStyle::Kind site) : kind(site), sandbox(site) {}
    virtual bool overCleartool() const = 0;
    bool unixSite() const { return kind == SiteStyle::Kind::Unix; }

    struct Run {
        int status = -1;
        QString out;
        QString err;
    };

    inline static const QString root = QStringLiteral("m:\\bob_dev\\proj");
    inline static const QString mainC = root + QStringLiteral("\\src\\main.c");
    inline static const QString utilC = root + QStringLiteral("\\src\\util.c");
    inline static const QString readme = root + QStringLiteral("\\docs\\readme.txt");

    // A path in the proj VOB, or the seeded VOB `seedTag`, as the site writes it, `relative`
    // with "/" between components; nothing: the VOB root.
    QString inVob(const QString &relative = QString(), const QString &seedTag = SandboxSeed::projVob) const
    {
        const QString view = unixSite() ? QStringLiteral("/view/bob_dev") : QStringLiteral("m:\\bob_dev");
        const QString vobRoot = view + SandboxSeed::vobTag(seedTag, kind);
        if (relative.isEmpty())
            return vobRoot;
        return vobRoot + (unixSite() ? QStringLiteral("/") + relative : QStringLiteral("\\") + QString(relative).replace('/', '\\'));
    }

    void SetUp() override
    {
        backend = open(platform); // the sandbox's drives are mapped on the first opening
        cleartool = QDir(CleartoolEmulator::installAsCleartool(sandbox.folder(), emulatorProgram())).filePath(QStringLiteral("cleartool"));
    }

    // The installed program in a process of its own, its standard input fed `input`.
    static Run zanctlProcess(const QStringList &arguments, const QProcessEnvironment &environment, const QByteArray &input = {})
    {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("zanctl")), arguments);
        process.write(input);
        process.closeWriteChannel();
        if (!process.waitForFinished(60000))
            return {};
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
    }

    // As zanctl's own factory does, the site's path style and VOB tags come from the backend.
    std::unique_ptr<ClearCase> open(Platform &p)
    {
        std::unique_ptr<ClearCase> sandboxBackend = sandbox.open(p);
        std::unique_ptr<ClearCase> backend = overCleartool() ? emulatorBackend(sandbox.folder()) : std::move(sandboxBackend);
        ClearCaseFactory::adoptSiteStyle(*backend, QString());
        return backend;
    }

    // One call of a step table: the arguments and what zanctl answers.
    struct Step {
        QStringList arguments;
        int status;
        QString out;
        QString err;
    };
    template <typename Steps>
    void expectSteps(const Steps &steps)
    {
        for (const Step &step : steps) {
            const Run run = zanctl(step.arguments);
            EXPECT_EQ(run.status, step.status) << step.arguments.join(' ').toStdString();
            EXPECT_EQ(run.out, step.out) << step.arguments.join(' ').toStdString();
            EXPECT_EQ(run.err, step.err) << step.arguments.join(' ').toStdString();
        }
    }

    Run zanctl(const QStringList &arguments)
    {
        QString out, err;
        QTextStream outStream(&out), errStream(&err);
        CliContext context(platform, [this](Platform &p) { return open(p); }, settings.path(), outStream, errStream, false);
        context.setIn(input);
        context.setAskable(askable);
        context.setCurrentFolder(currentFolder);
        const int status = CommandRegistry(context).run(arguments);
        outStream.flush();
        errStream.flush();
        return {status, out, err};
    }

    // zanctl with `typed` on its standard input, where it may ask its questions.
    Run zanctl(const QStringList &arguments, const QByteArray &typed)
    {
        QBuffer buffer;
        buffer.setData(typed);
        buffer.open(QIODevice::ReadOnly);
        input = &buffer;
        askable = true;
        const Run run = zanctl(arguments);
        input = nullptr;
        askable = false;
        return run;
    }

    // A setting on an element of the proj VOB, or of the seeded VOB `seedTag`.
    void set(const QString &element, const QString &type, const QString &value, const QString &seedTag = SandboxSeed::projVob)
    {
        const QString vobTag = SandboxSeed::vobTag(seedTag, kind);
        if (!backend->attributeTypeNames(vobTag).contains(type))
            backend->createAttributeType(vobTag, type, 8, QStringLiteral("test"));
        backend->attachAttribute(vobTag, type, element + QStringLiteral("@@/main/0"), value, QString(), true);
    }

    // A folder for the trigger script on the sandbox's c: drive; a UNIX site's clients know it
    // by its path on disk.
    QString triggerLocation() const
    {
        const QString folder = QDir(sandbox.folder()).filePath(QStringLiteral("drives/c/triggers"));
        QDir().mkpath(folder);
        return unixSite() ? folder : QStringLiteral("c:\\triggers");
    }

    // The security triggers as zanctl installs them; the copied script taken away again unless
    // `withScript`.
    void installTriggers(const QString &administrators, bool withScript = true)
    {
        const Run run = zanctl({"triggers", "install", "--location", triggerLocation(), "--admins", administrators, inVob()});
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        if (!withScript) {
            ASSERT_TRUE(QFile::remove(QDir(sandbox.folder()).filePath("drives/c/triggers/" + TriggerCommandLines::scriptName)));
        }
    }

    // The emulator as `user`, from the view's VOB folder as a shell there has it: ClearCase
    // names the view to the triggers.
    Run cleartoolAs(const QString &user, const QStringList &arguments)
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("CLEARCASE_USER"), user);
        env.insert(QStringLiteral("ZAN_SANDBOX"), sandbox.folder());
        const QString view = QDir(sandbox.store().driveFolder(SandboxSeed::viewDrive))
                                 .filePath(unixSite() ? QStringLiteral("bob_dev/vobs/proj") : QStringLiteral("bob_dev/proj"));
        env.insert(QStringLiteral("PWD"), view);
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(view);
        process.start(cleartool, arguments);
        if (!process.waitForFinished(60000))
            return {};
        return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()),
                QString::fromLocal8Bit(process.readAllStandardError())};
    }

    const SiteStyle::Kind kind;
    FakePlatform platform;
    TempSandbox sandbox;
    QTemporaryDir settings;
    std::unique_ptr<ClearCase> backend;
    QString cleartool;
    QIODevice *input = nullptr; // standard input of zanctl(); nothing: the process's own
    bool askable = false;       // whether zanctl() may ask its questions on `input`
    QString currentFolder;      // the host folder zanctl() runs in; "": the process's own

};

// The Windows site over the backend the parameter names: the cleartool co-process (true) or
// the sandbox's own.
class ZanctlFixture : public ZanctlRun, public ::testing::WithParamInterface<bool>
{
protected:
    ZanctlFixture() : ZanctlRun(SiteStyle::Kind::Windows) {}
    bool overCleartool() const override { return GetParam(); }
};

inline std::string backendName(const ::testing::TestParamInfo<bool> &backend)
{
    return backend.param ? "Cleartool" : "Sandbox";
}

// Either site style over either backend.
class ZanctlSites : public ZanctlRun, public ::testing::WithParamInterface<std::tuple<SiteStyle::Kind, bool>>
{
protected:
    ZanctlSites() : ZanctlRun(std::get<0>(GetParam())) {}
    bool overCleartool() const override { return std::get<1>(GetParam()); }
};

inline std::string siteAndBackendName(const ::testing::TestParamInfo<ZanctlSites::ParamType> &site)
{
    return std::string(std::get<0>(site.param) == SiteStyle::Kind::Unix ? "Unix" : "Windows") + (std::get<1>(site.param) ? "Cleartool" : "Sandbox");
}
