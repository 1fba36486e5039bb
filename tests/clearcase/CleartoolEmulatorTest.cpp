// cleartool-sim as scripts and the co-process meet it: exit status, stderr lines, the
// -status protocol and the installed "cleartool".
#include "support/EmulatorBackend.h"
#include "support/TempSandbox.h"

#include "clearcase/emulator/CleartoolEmulator.h"
#include "clearcase/emulator/EmulatorFormat.h"
#include "clearcase/sandbox/SandboxSeed.h"
#include "support/QtPrinters.h"
#include "util/ZanError.h"

#include <QProcess>

#include <gtest/gtest.h>

namespace {

struct SimRun {
    int exitCode = -1;
    QString out;
    QString err;
};

class CleartoolEmulatorTest : public ::testing::Test
{
protected:
    SimRun run(const QString &program, const QStringList &arguments, const QByteArray &input = {}, bool withSandbox = true)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("ZAN_SANDBOX"));
        if (withSandbox)
            environment.insert(QStringLiteral("ZAN_SANDBOX"), sandbox.folder());
        process.setProcessEnvironment(environment);
        process.start(program, arguments);
        process.write(input);
        process.closeWriteChannel();
        EXPECT_TRUE(process.waitForFinished(60000));
        return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()),
                QString::fromLocal8Bit(process.readAllStandardError())};
    }

    SimRun sim(const QStringList &arguments, const QByteArray &input = {}) { return run(emulatorProgram(), arguments, input); }

    TempSandbox sandbox;
};

const QString mainC = QStringLiteral("m:\\bob_dev\\proj\\src\\main.c");

} // namespace

TEST_F(CleartoolEmulatorTest, SingleCommandsAnswerWithOutputOrErrorAndStatus)
{
    const SimRun vobs = sim({QStringLiteral("lsvob"), QStringLiteral("-s")});
    EXPECT_EQ(vobs.exitCode, 0);
    EXPECT_EQ(vobs.out, SandboxSeed::vobTags.join(QLatin1Char('\n')) + QLatin1Char('\n'));

    const SimRun name = sim({QStringLiteral("desc"), QStringLiteral("-fmt"), QStringLiteral("%m:%En:%Vn"), mainC});
    EXPECT_EQ(name.out, QStringLiteral("version:") + mainC + QStringLiteral(":\\main\\0"));

    const SimRun missing = sim({QStringLiteral("lsview"), QStringLiteral("-l"), QStringLiteral("nosuch")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.out, QString());
    EXPECT_EQ(missing.err, QStringLiteral("cleartool: Error: No matching entries found for view tag \"nosuch\".\n"));

    const SimRun unknown = sim({QStringLiteral("frobnicate")});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_TRUE(unknown.err.startsWith(QLatin1String("cleartool: Error: Unrecognized command"))) << unknown.err.toStdString();
}

TEST_F(CleartoolEmulatorTest, StatusSessionNumbersEveryCommandAndGluesUnterminatedOutput)
{
    const QByteArray input = "lsvob -short \\proj\n"
                             "\n"
                             "describe -fmt '%n' " + mainC.toLocal8Bit() + "\n"
                             "lsvob 'unbalanced\n"
                             "mkattr __checkout '\"x\"' " + mainC.toLocal8Bit() + "\n"
                             "lsvob -s \\tools\n"
                             "exit\n"
                             "lsvob -s\n";
    const SimRun session = sim({QStringLiteral("-status")}, input);
    EXPECT_EQ(session.exitCode, 0);
    EXPECT_EQ(session.out, QStringLiteral("\\proj\nCommand 1 returned status 0\nCommand 2 returned status 0\n") + mainC
                               + QStringLiteral("@@\\main\\0Command 3 returned status 0\n"
                                                "Command 4 returned status 1\n"
                                                "Command 5 returned status 1\n"
                                                "\\tools\nCommand 6 returned status 0\n"));
    EXPECT_EQ(session.err, QStringLiteral("cleartool: Error: Unmatched quote in command line.\n"
                                          "cleartool: Error: Comment prompts are not supported here; give -c, -cfile or -nc.\n"));
}

TEST_F(CleartoolEmulatorTest, AttributesDescribeInCleartoolsShape)
{
    EXPECT_EQ(sim({QStringLiteral("mkattype"), QStringLiteral("-vtype"), QStringLiteral("string"), QStringLiteral("-nc"),
                   QStringLiteral("__checkout@\\proj")}).out,
              QStringLiteral("Created attribute type \"__checkout\".\n"));
    const SimRun header = sim({QStringLiteral("describe"), QStringLiteral("-aattr"), QStringLiteral("-all"), mainC});
    EXPECT_EQ(header.out, mainC + QStringLiteral("@@\\main\\0\n"));

    sim({QStringLiteral("mkattr"), QStringLiteral("-c"), QStringLiteral("why"), QStringLiteral("__checkout"),
         QStringLiteral("\"bob,Jörg\""), mainC + QStringLiteral("@@/main/0")});
    EXPECT_EQ(sim({QStringLiteral("describe"), QStringLiteral("-aattr"), QStringLiteral("-all"), mainC}).out,
              mainC + QStringLiteral("@@\\main\\0\n  Attributes:\n    __checkout = \"bob,Jörg\"\n"));
    EXPECT_EQ(sim({QStringLiteral("desc"), QStringLiteral("-fmt"), QStringLiteral("%a\\n%[__checkout]a\\n%[nope]a%%"), mainC}).out,
              QStringLiteral("(__checkout=\"bob,Jörg\")\n(__checkout=\"bob,Jörg\")\n%"));

    // A string type takes only a quoted value: an unquoted one is a caller's quoting fault.
    const SimRun bare = sim({QStringLiteral("mkattr"), QStringLiteral("-replace"), QStringLiteral("-nc"), QStringLiteral("__checkout"),
                          QStringLiteral("bob"), mainC});
    EXPECT_EQ(bare.exitCode, 1);
    EXPECT_TRUE(bare.err.contains(QLatin1String("Unable to create attribute \"__checkout\""))) << bare.err.toStdString();
}

TEST_F(CleartoolEmulatorTest, InstalledCleartoolReachesItsSandboxWithoutEnvironment)
{
    const QString bin = CleartoolEmulator::installAsCleartool(sandbox.folder(), emulatorProgram());
    EXPECT_EQ(bin, QDir(sandbox.folder()).filePath(QStringLiteral("bin")));
    // Installing again replaces the wrapper.
    EXPECT_EQ(CleartoolEmulator::installAsCleartool(sandbox.folder(), emulatorProgram()), bin);
    const SimRun listed = run(QDir(bin).filePath(QStringLiteral("cleartool")), {QStringLiteral("lsvob"), QStringLiteral("-s")}, {}, false);
    EXPECT_EQ(listed.exitCode, 0);
    EXPECT_EQ(listed.out, SandboxSeed::vobTags.join(QLatin1Char('\n')) + QLatin1Char('\n'));

    EXPECT_THROW(CleartoolEmulator::installAsCleartool(sandbox.folder(), QStringLiteral("/no/such/cleartool-sim")), ZanError);
}

TEST(EmulatorFormat, ConversionsModifiersAndEscapes)
{
    const auto convert = [](QChar c, const QString &modifiers, const QString &argument) {
        return QStringLiteral("<%1|%2|%3>").arg(c).arg(modifiers, argument);
    };
    EXPECT_EQ(EmulatorFormat::expand(QStringLiteral("%n"), convert), QStringLiteral("<n||>"));
    EXPECT_EQ(EmulatorFormat::expand(QStringLiteral("%Xn\\n%[ACL]a\\t100%%"), convert), QStringLiteral("<n|X|>\n<a||ACL>\t100%"));
    EXPECT_EQ(EmulatorFormat::expand(QStringLiteral("a\\\\b\\'c\\101"), convert), QStringLiteral("a\\b'cA"));
    EXPECT_EQ(EmulatorFormat::expand(QStringLiteral("trailing %"), convert), QStringLiteral("trailing %"));
}
