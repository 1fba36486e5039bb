// The files zanctl reads and writes: "-" for standard input and output, and nothing that
// could block it (a pipe, a folder, a device) or flood its memory.
#include "ZanctlFixture.h"

#include "shell/SettingsStore.h"
#include "triggers/ConfigFile.h"

#include <sys/stat.h>

using ZanctlFiles = ZanctlFixture;

TEST_P(ZanctlFiles, ExportAndImportThroughStandardOutputAndInput)
{
    SettingsStore(settings.path()).setValues({{"PrivOper", "rmelem,checkout"}, {"dev", "carol,dave"}});
    const Run exported = zanctl({"export", "-"});
    EXPECT_EQ(exported.status, 0);
    EXPECT_EQ(exported.out, "#ZAN#\r\nPrivOper:rmelem,checkout\r\ndev:carol,dave\r\n");
    EXPECT_EQ(exported.err, "2 setting(s) written to standard output\n");

    const Run imported = zanctl({"import", "-"}, exported.out.toUtf8().replace("carol,dave", "erin"));
    EXPECT_EQ(imported.status, 0) << imported.err.toStdString();
    EXPECT_EQ(imported.out, "2 setting(s) imported into " + SettingsStore(settings.path()).filePath() + "\n");
    EXPECT_EQ(SettingsStore(settings.path()).value("dev"), "erin");

    EXPECT_EQ(zanctl({"import", "-"}, "key:value\n").err, "zanctl import: standard input is not a valid configuration file: it must be a file saved "
                                           "by Zan Utility (first line #ZAN#); nothing was imported\n");
}

// The installed program reads its own standard input, no more than the size limit of a file.
TEST_P(ZanctlFiles, TheProgramImportsItsStandardInputUpToTheSizeLimit)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("ZAN_SETTINGS", settings.path());
    const Run imported = zanctlProcess({"import", "-"}, environment, "#ZAN#\r\nPrivOper:rmelem\r\n");
    EXPECT_EQ(imported.status, 0) << imported.err.toStdString();
    EXPECT_EQ(SettingsStore(settings.path()).value("PrivOper"), "rmelem");
    EXPECT_EQ(zanctlProcess({"export", "-"}, environment).out, "#ZAN#\r\nPrivOper:rmelem\r\n");

    const QByteArray huge = "#ZAN#\r\n" + QByteArray(ConfigFile::maxFileSize, 'x');
    const Run refused = zanctlProcess({"import", "-"}, environment, huge);
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.err, "zanctl import: standard input is not a valid configuration file: the file is larger than 16 MB; "
                           "nothing was imported\n");
    EXPECT_EQ(SettingsStore(settings.path()).value("PrivOper"), "rmelem");
}

TEST_P(ZanctlFiles, APipeAFolderOrADeviceIsNeverRead)
{
    const QString fifo = QDir(settings.path()).filePath("fifo");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString special = "it is not a regular file but a pipe, socket or device";
    const Step steps[] = {
        {{"import", fifo}, 2, "", "zanctl import: cannot open " + fifo + ": " + special + "\n"},
        {{"import", "/dev/zero"}, 2, "", "zanctl import: cannot open /dev/zero: " + special + "\n"},
        {{"import", settings.path()}, 2, "", "zanctl import: cannot open " + settings.path() + ": it is a folder\n"},
        {{"apply", "--from", mainC, "--targets-from", fifo}, 2, "", "zanctl apply: cannot read " + fifo + ": " + special + "\n"},
        {{"purge", "--dry-run", "--targets-from", fifo}, 2, "", "zanctl purge: cannot read " + fifo + ": " + special + "\n"},
        {{"purge", "--targets-from", settings.path()}, 2, "", "zanctl purge: cannot read " + settings.path() + ": it is a folder\n"},
    };
    expectSteps(steps);
}

INSTANTIATE_TEST_SUITE_P(Sandbox, ZanctlFiles, ::testing::Values(false), backendName);
