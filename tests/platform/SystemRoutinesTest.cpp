#include "platform/QtPlatform.h"
#include "platform/SystemRoutines.h"
#include "support/FakePlatform.h"
#include "support/ScriptedPrompter.h"
#include "util/ZanError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void touch(const QString &path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

} // namespace

TEST(Platform, DriveMapTurnsProgramPathsIntoHostPaths)
{
    QtPlatform platform;
    platform.setDriveMap(QtPlatform::parseDriveMap(QStringLiteral("M=/view;c=/home/me;bogus")));
    EXPECT_EQ(platform.hostPath(QStringLiteral("m:\\bob_dev\\proj\\src\\a.c")), QStringLiteral("/view/bob_dev/proj/src/a.c"));
    EXPECT_EQ(platform.hostPath(QStringLiteral("C:\\")), QStringLiteral("/home/me"));
    EXPECT_EQ(platform.hostPath(QStringLiteral("z:\\x")), QStringLiteral("z:/x"));
    EXPECT_EQ(platform.listDirectory(QString(), 5), (QStringList{QStringLiteral("[-c-]"), QStringLiteral("[-m-]")}));
}

TEST(Platform, DirectoryListingUsesListBoxEntryForms)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("src"));
    touch(dir.filePath(QStringLiteral("a b.txt")));
    QtPlatform platform;
    platform.setDriveMap({{QLatin1Char('m'), dir.path()}});
    EXPECT_EQ(platform.listDirectory(QStringLiteral("m:\\*.*"), 1),
              (QStringList{QStringLiteral("[..]"), QStringLiteral("[src]"), QStringLiteral("a b.txt")}));
    EXPECT_THROW(platform.listDirectory(QStringLiteral("m:\\missing\\*.*"), 1), ZanError);
}

TEST(SystemRoutines, FileExistenceHonoursWildcardsAndTheDirectoryFlag)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("sub"));
    touch(dir.filePath(QStringLiteral("_qx_security_trigger.pl")));
    FakePlatform platform;
    platform.setDriveMap({{QLatin1Char('c'), dir.path()}});
    ScriptedPrompter prompter;
    SystemRoutines system(platform, prompter);
    EXPECT_TRUE(system.isFileExist(QStringLiteral("c:\\_qx_security_trigger.pl"), false));
    EXPECT_TRUE(system.isFileExist(QStringLiteral("c:\\*.pl"), false));
    EXPECT_FALSE(system.isFileExist(QStringLiteral("c:\\sub"), false));
    EXPECT_TRUE(system.isFileExist(QStringLiteral("c:\\su?"), true));
    EXPECT_FALSE(system.isFileExist(QStringLiteral("c:\\nothing\\*.pl"), true));
    EXPECT_EQ(prompter.count(), 0);
}

TEST(SystemRoutines, LoginNameKeepsEveryLetterAndDropsOnlyNul)
{
    FakePlatform platform;
    ScriptedPrompter prompter;
    SystemRoutines system(platform, prompter);
    const QList<std::pair<QString, QString>> cases{{QString::fromUtf8("bo\0b", 4), QStringLiteral("bob")},
                                                  {QString::fromUtf8("michał"), QString::fromUtf8("michał")},
                                                  {QString::fromUtf8("Зоя"), QString::fromUtf8("Зоя")},
                                                  {QString(), QString()}};
    for (const auto &[login, expected] : cases) {
        platform.login = login;
        EXPECT_EQ(system.getLoginName(), expected) << expected.toStdString();
    }
}

TEST(SystemRoutines, RunCommandReportsAProgramThatCannotStart)
{
    QtPlatform platform;
    ScriptedPrompter prompter;
    SystemRoutines system(platform, prompter);
    EXPECT_EQ(system.runCommand(QStringLiteral("no-such-program-zan /mount"), 1), 0);
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.last().title, QStringLiteral("Zan Utility"));
    EXPECT_EQ(prompter.last().icon, Prompter::Icon::None);
    EXPECT_TRUE(prompter.last().text.startsWith(QStringLiteral("ERROR: ")));
    EXPECT_TRUE(prompter.last().text.endsWith(QStringLiteral("\r\nCould not execute --> no-such-program-zan /mount")));
}

namespace {

// A platform whose user and file services fail.
class BrokenPlatform : public FakePlatform
{
public:
    QString loginName() const override
    {
        throw ZanError(ZanError::General, QStringLiteral("platform"), QStringLiteral("no user"));
    }
    bool fileExists(const QString &, bool) const override
    {
        throw ZanError(ZanError::Permission, QStringLiteral("platform"), QStringLiteral("Permission denied"));
    }
};

} // namespace

TEST(SystemRoutines, FailingUserAndFileServicesAreReportedAndGiveEmptyResults)
{
    BrokenPlatform platform;
    ScriptedPrompter prompter;
    SystemRoutines system(platform, prompter);

    EXPECT_EQ(system.getLoginName(), QString());
    EXPECT_EQ(prompter.last().text, QStringLiteral("Error getting login name!"));
    EXPECT_EQ(prompter.last().title, QStringLiteral("Zan Utility"));
    EXPECT_EQ(prompter.last().icon, Prompter::Icon::Critical);

    EXPECT_FALSE(system.isFileExist(QStringLiteral("c:\\trig\\*.pl"), false));
    EXPECT_EQ(prompter.last().text, QStringLiteral("Error determining file exist --> c:\\trig\\*.pl::Permission denied"));
    EXPECT_EQ(prompter.last().icon, Prompter::Icon::Critical);
}

#ifndef Q_OS_WIN
TEST(Platform, SingleInstanceLockLivesInTheRuntimeFolder)
{
    QTemporaryDir runtime, temp;
    const QByteArray oldRuntime = qgetenv("XDG_RUNTIME_DIR"), oldTemp = qgetenv("TMPDIR");
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    qputenv("TMPDIR", temp.path().toLocal8Bit());
    {
        QtPlatform first, second;
        EXPECT_TRUE(first.claimSingleInstance(QStringLiteral("zan-test")));
        EXPECT_FALSE(second.claimSingleInstance(QStringLiteral("zan-test")));
        EXPECT_FALSE(QDir(runtime.path()).isEmpty());
        EXPECT_TRUE(QDir(temp.path()).isEmpty());
    }
    for (const auto &[name, value] : {std::pair("XDG_RUNTIME_DIR", oldRuntime), std::pair("TMPDIR", oldTemp)})
        value.isEmpty() ? qunsetenv(name) : qputenv(name, value);
}

TEST(Platform, LoginNameIsFoundWithoutTheUsualEnvironmentVariables)
{
    const QByteArray user = qgetenv("USER");
    const QByteArray logname = qgetenv("LOGNAME");
    qunsetenv("USER");
    qunsetenv("LOGNAME");
    const QString name = QtPlatform().loginName();
    if (!user.isEmpty())
        qputenv("USER", user);
    if (!logname.isEmpty())
        qputenv("LOGNAME", logname);
    EXPECT_FALSE(name.isEmpty());
}
#endif
