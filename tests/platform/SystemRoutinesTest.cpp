#include "platform/QtPlatform.h"
#include "platform/SystemRoutines.h"
#include "support/FakePlatform.h"
#include "support/MessageTable.h"
#include "util/ZanError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

TEST(Platform, ProgramPathsReachTheHostsFilesThroughTheDriveMap)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("sub");
    for (const char *name : {"a b.txt", "_qx_security_trigger.pl"})
        ASSERT_TRUE(QFile(dir.filePath(name)).open(QIODevice::WriteOnly));
    FakePlatform platform;
    platform.setDriveMap(QtPlatform::parseDriveMap(QStringLiteral("M=%1;c=/home/me;bogus").arg(dir.path())));
    EXPECT_EQ(platform.hostPath("m:\\sub\\proj\\a.c"), dir.path() + "/sub/proj/a.c");
    EXPECT_EQ(platform.hostPath("C:\\"), "/home/me");
    EXPECT_EQ(platform.hostPath("z:\\x"), "z:/x");
    EXPECT_EQ(platform.listDirectory(QString(), 5), (QStringList{"[-c-]", "[-m-]"}));
    EXPECT_EQ(platform.listDirectory("m:\\*.*", 1), (QStringList{"[..]", "[sub]", "_qx_security_trigger.pl", "a b.txt"}));
    EXPECT_THROW(platform.listDirectory("m:\\missing\\*.*", 1), ZanError);

    ScriptedPrompter prompter;
    SystemRoutines system(platform, prompter);
    const struct {
        const char *path;
        bool directories, exists;
    } files[] = {{"m:\\_qx_security_trigger.pl", false, true}, {"m:\\*.pl", false, true},       {"m:\\sub", false, false},
                 {"m:\\su?", true, true},                      {"m:\\nothing\\*.pl", true, false}};
    for (const auto &f : files)
        EXPECT_EQ(system.isFileExist(f.path, f.directories), f.exists) << f.path;
    EXPECT_EQ(prompter.count(), 0);
}

TEST(SystemRoutines, LoginNameKeepsEveryLetterAndDropsOnlyNul)
{
    FakePlatform platform;
    ScriptedPrompter prompter;
    SystemRoutines system(platform, prompter);
    const std::pair<QString, QString> cases[] = {{QString::fromUtf8("bo\0b", 4), "bob"},
                                                 {QString::fromUtf8("michał"), QString::fromUtf8("michał")},
                                                 {QString::fromUtf8("Зоя"), QString::fromUtf8("Зоя")},
                                                 {QString(), QString()}};
    for (const auto &[login, expected] : cases) {
        platform.login = login;
        EXPECT_EQ(system.getLoginName(), expected) << expected.toStdString();
    }
}

namespace {

// A platform whose user and file services fail; its programs start as on the host.
class BrokenPlatform : public FakePlatform
{
public:
    QString loginName() const override { throw ZanError(ZanError::General, "platform", "no user"); }
    bool fileExists(const QString &, bool) const override { throw ZanError(ZanError::Permission, "platform", "Permission denied"); }
    qint64 startDetached(const QString &commandLine) override { return QtPlatform::startDetached(commandLine); }
};

} // namespace

// Each failing routine gives its empty result and its message, titled with the program's name.
TEST(SystemRoutines, FailuresAreReportedAndGiveEmptyResults)
{
    BrokenPlatform platform;
    ScriptedPrompter prompter;
    SystemRoutines system(platform, prompter);
    expectMessages(prompter, {
        {"read the login name", [&] { EXPECT_EQ(system.getLoginName(), QString()); }, "Error getting login name!", "Zan Utility",
         Prompter::Icon::Critical},
        {"look for a file", [&] { EXPECT_FALSE(system.isFileExist("c:\\trig\\*.pl", false)); },
         "Error determining file exist --> c:\\trig\\*.pl::Permission denied", "Zan Utility", Prompter::Icon::Critical},
        {"run a missing program", [&] { EXPECT_EQ(system.runCommand("no-such-program-zan /mount", 1), 0); },
         "ERROR: File not found: no-such-program-zan\r\nCould not execute --> no-such-program-zan /mount", "Zan Utility",
         Prompter::Icon::None},
    });
}

#ifndef Q_OS_WIN
TEST(Platform, LoginNameIsFoundWithoutTheUsualEnvironmentVariables)
{
    const QByteArray user = qgetenv("USER"), logname = qgetenv("LOGNAME");
    qunsetenv("USER");
    qunsetenv("LOGNAME");
    const QString name = QtPlatform().loginName();
    for (const auto &[variable, value] : {std::pair("USER", user), std::pair("LOGNAME", logname)})
        value.isEmpty() ? qunsetenv(variable) : qputenv(variable, value);
    EXPECT_FALSE(name.isEmpty());
}
#endif
