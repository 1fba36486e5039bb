#include "platform/QtPlatform.h"
#include "platform/SystemRoutines.h"
#include "support/FakePlatform.h"
#include "support/ScriptedPrompter.h"
#include "util/ZanError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <functional>

TEST(Platform, ProgramPathsReachTheHostsFilesThroughTheDriveMap)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("sub"));
    for (const QString &name : {QStringLiteral("a b.txt"), QStringLiteral("_qx_security_trigger.pl")})
        ASSERT_TRUE(QFile(dir.filePath(name)).open(QIODevice::WriteOnly));
    FakePlatform platform;
    platform.setDriveMap(QtPlatform::parseDriveMap(QStringLiteral("M=%1;c=/home/me;bogus").arg(dir.path())));
    EXPECT_EQ(platform.hostPath(QStringLiteral("m:\\sub\\proj\\a.c")), dir.path() + QStringLiteral("/sub/proj/a.c"));
    EXPECT_EQ(platform.hostPath(QStringLiteral("C:\\")), QStringLiteral("/home/me"));
    EXPECT_EQ(platform.hostPath(QStringLiteral("z:\\x")), QStringLiteral("z:/x"));
    EXPECT_EQ(platform.listDirectory(QString(), 5), (QStringList{QStringLiteral("[-c-]"), QStringLiteral("[-m-]")}));
    EXPECT_EQ(platform.listDirectory(QStringLiteral("m:\\*.*"), 1),
              (QStringList{QStringLiteral("[..]"), QStringLiteral("[sub]"), QStringLiteral("_qx_security_trigger.pl"), QStringLiteral("a b.txt")}));
    EXPECT_THROW(platform.listDirectory(QStringLiteral("m:\\missing\\*.*"), 1), ZanError);

    ScriptedPrompter prompter;
    SystemRoutines system(platform, prompter);
    const struct {
        QString path;
        bool directories, exists;
    } files[] = {{QStringLiteral("m:\\_qx_security_trigger.pl"), false, true}, {QStringLiteral("m:\\*.pl"), false, true},
                 {QStringLiteral("m:\\sub"), false, false},                    {QStringLiteral("m:\\su?"), true, true},
                 {QStringLiteral("m:\\nothing\\*.pl"), true, false}};
    for (const auto &f : files)
        EXPECT_EQ(system.isFileExist(f.path, f.directories), f.exists) << f.path.toStdString();
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

namespace {

// A platform whose user and file services fail; its programs start as on the host.
class BrokenPlatform : public FakePlatform
{
public:
    QString loginName() const override { throw ZanError(ZanError::General, QStringLiteral("platform"), QStringLiteral("no user")); }
    bool fileExists(const QString &, bool) const override
    {
        throw ZanError(ZanError::Permission, QStringLiteral("platform"), QStringLiteral("Permission denied"));
    }
    qint64 startDetached(const QString &commandLine) override { return QtPlatform::startDetached(commandLine); }
};

} // namespace

// Each failing routine: its empty result, then its message (always titled with the program's name).
TEST(SystemRoutines, FailuresAreReportedAndGiveEmptyResults)
{
    BrokenPlatform platform;
    ScriptedPrompter prompter;
    SystemRoutines system(platform, prompter);
    const struct {
        std::function<QString()> call;
        QString text;
        Prompter::Icon icon;
    } cases[] = {
        {[&] { return system.getLoginName(); }, QStringLiteral("Error getting login name!"), Prompter::Icon::Critical},
        {[&] { return QString::number(system.isFileExist(QStringLiteral("c:\\trig\\*.pl"), false)); },
         QStringLiteral("Error determining file exist --> c:\\trig\\*.pl::Permission denied"), Prompter::Icon::Critical},
        {[&] { return QString::number(system.runCommand(QStringLiteral("no-such-program-zan /mount"), 1)); },
         QStringLiteral("ERROR: File not found: no-such-program-zan\r\nCould not execute --> no-such-program-zan /mount"), Prompter::Icon::None},
    };
    for (const auto &c : cases) {
        const QString result = c.call();
        EXPECT_TRUE(result.isEmpty() || result == QLatin1String("0")) << result.toStdString();
        EXPECT_EQ(prompter.last().text, c.text);
        EXPECT_EQ(prompter.last().title, QStringLiteral("Zan Utility"));
        EXPECT_EQ(prompter.last().icon, c.icon);
        EXPECT_EQ(prompter.last().buttons, Prompter::Buttons::Ok);
    }
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
