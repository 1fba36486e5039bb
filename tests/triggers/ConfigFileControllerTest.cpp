#include "support/AppFixture.h"
#include "triggers/ConfigFileController.h"

#include <QAction>
#include <QFile>
#include <sys/stat.h>

namespace {

using Settings = QList<QPair<QString, QString>>;

const QString restartText = QStringLiteral("You must restart the application for this change to take effect");

class ConfigFileControllerTest : public AppFixture
{
protected:
    void SetUp() override { startProgram(false); }

    Settings settings() { return registry().allSettings(); }
    void seed(const Settings &values)
    {
        for (const auto &[key, value] : values)
            registry().saveToReg(key, value);
    }

    QString writeFile(const QString &name, const QByteArray &content)
    {
        const QString path = programDir.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(content);
        return path;
    }
    QByteArray readFile(const QString &name)
    {
        QFile file(programDir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void exportAs(const QString &answer)
    {
        prompter.inputs.enqueue(answer);
        app->form().saveConfigToFile->trigger();
    }
    void importFile(const QString &path)
    {
        prompter.files.enqueue(path);
        app->form().loadConfigFile->trigger();
    }

    static QString notValid(const QString &path)
    {
        return QStringLiteral("File --> ") + path + QStringLiteral("\r\nis not a valid Configuration file.  Must be a file\r\nsaved by Zan Utility\r\n");
    }
    bool boxedErrorShown(const QString &routineText)
    {
        return prompter.count() > 0 && prompter.last().title == QStringLiteral("Error...") &&
               prompter.last().icon == Prompter::Icon::Critical &&
               prompter.last().text.contains(QStringLiteral("* ") + routineText + QStringLiteral("\r\n"));
    }

};

} // namespace

TEST_F(ConfigFileControllerTest, ExportThenImportChangesNothingAndAsksForARestart)
{
    const Settings before{{QStringLiteral("CLEARCASE_OVERRIDE"), QStringLiteral("False")},
                          {QStringLiteral("NUSERS"), QStringLiteral("1")},
                          {QStringLiteral("NTLocproj"), QStringLiteral("\\\\myhost\\triggers")},
                          {QStringLiteral("Interopproj"), QStringLiteral("0")},
                          {QStringLiteral("QXGROUPS"), QStringLiteral("dev team,qa")},
                          {QStringLiteral("dev team"), QStringLiteral(" bob,alice ")},
                          {QStringLiteral("AdminListproj"), QString()}};
    seed(before);
    exportAs(QStringLiteral("my.txt"));

    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.last().kind, QStringLiteral("input"));
    EXPECT_EQ(prompter.last().text, QStringLiteral("Enter Filename: "));
    EXPECT_EQ(prompter.last().title, QStringLiteral("Save Config file..."));
    EXPECT_EQ(prompter.proposedAnswer, QStringLiteral("zan_config.txt"));
    EXPECT_TRUE(readFile(QStringLiteral("my.txt"))
                    .startsWith("#ZAN#\r\nCLEARCASE_OVERRIDE:False\r\nNUSERS:1\r\nNTLocproj:\\\\myhost\\triggers\r\nInteropproj:0\r\n"));

    importFile(programDir.filePath(QStringLiteral("my.txt")));
    EXPECT_EQ(settings(), before);
    ASSERT_EQ(prompter.count(), 3);
    EXPECT_EQ(prompter.records[1].kind, QStringLiteral("file"));
    EXPECT_EQ(prompter.records[1].title, QStringLiteral("Select Configuration File "));
    EXPECT_EQ(prompter.records[1].text, QStringLiteral("*.txt"));
    EXPECT_EQ(prompter.fileDialogFolder, programDir.path());
#ifdef Q_OS_WIN
    EXPECT_EQ(prompter.fileDialogFilter, QStringLiteral("All Files (*.*)|*.*"));
#else
    EXPECT_EQ(prompter.fileDialogFilter, QStringLiteral("All Files (*)|*")); // names without a dot stay visible
#endif
    EXPECT_EQ(prompter.last().text, restartText);
    EXPECT_EQ(prompter.last().title, QStringLiteral("Restart application..."));
    EXPECT_EQ(prompter.last().icon, Prompter::Icon::Exclamation);
}

TEST_F(ConfigFileControllerTest, CancellingEitherDialogDoesNothing)
{
    seed({{QStringLiteral("NUSERS"), QStringLiteral("1")}});
    prompter.inputs.enqueue(std::nullopt);
    app->form().saveConfigToFile->trigger();
    exportAs(QString());
    app->form().loadConfigFile->trigger(); // the dialog hands back its preset "*.txt"
    importFile(QString());

    EXPECT_TRUE(QDir(programDir.path()).isEmpty());
    for (const auto &record : prompter.records)
        EXPECT_NE(record.kind, QStringLiteral("message")) << record.text.toStdString();
}

TEST_F(ConfigFileControllerTest, ExportNamesTheKeysItLeavesOutAndReportsFailuresBoxed)
{
    exportAs(QStringLiteral("empty.txt"));
    EXPECT_EQ(readFile(QStringLiteral("empty.txt")), QByteArray("#ZAN#\r\n"));
    EXPECT_TRUE(boxedErrorShown(QStringLiteral("Error::Couldn't save config file::doSaveToConfigFile()")));

    seed({{QStringLiteral("team:a"), QStringLiteral("bob")},
          {QStringLiteral("NUSERS"), QStringLiteral("1")},
          {QStringLiteral("notes"), QStringLiteral("one\r\ntwo")}});
    exportAs(QStringLiteral("zan_config.txt"));
    EXPECT_EQ(readFile(QStringLiteral("zan_config.txt")), QByteArray("#ZAN#\r\nNUSERS:1\r\n"));
    EXPECT_EQ(prompter.last().title, QStringLiteral("Save Config file..."));
    EXPECT_EQ(prompter.last().icon, Prompter::Icon::Exclamation);
    EXPECT_TRUE(prompter.last().text.contains(QStringLiteral("\r\n  team:a\r\n  notes")));

    exportAs(QStringLiteral("no such folder/x.txt"));
    EXPECT_TRUE(boxedErrorShown(QStringLiteral("Error::Couldn't save config file::doSaveToConfigFile()")));
    EXPECT_TRUE(prompter.last().text.contains(QStringLiteral("no such folder")));
}

TEST_F(ConfigFileControllerTest, ImportMergesSplitsAtTheFirstColonKeepsOtherKeysAndReportsEmptyKeys)
{
    seed({{QStringLiteral("AdminListproj"), QStringLiteral("root")}, {QStringLiteral("ntlocPROJ"), QStringLiteral("old")}});
    importFile(writeFile(QStringLiteral("in.txt"), "\xEF\xBB\xBF#ZAN#\nNTLocproj:C:\\triggers\r\nlonely\n\r\n:orphan\nB:" +
                                                       QByteArray(200000, 'b') + "\n"));

    EXPECT_EQ(settings(), (Settings{{QStringLiteral("AdminListproj"), QStringLiteral("root")},
                                    {QStringLiteral("ntlocPROJ"), QStringLiteral("C:\\triggers")},
                                    {QStringLiteral("lonely"), QString()},
                                    {QStringLiteral("B"), QString(200000, QLatin1Char('b'))}}));
    ASSERT_EQ(prompter.count(), 4); // file dialog, two refused records, restart
    EXPECT_TRUE(prompter.records[1].text.contains(QStringLiteral("* Error encountered!\r\n")));
    EXPECT_TRUE(prompter.records[2].text.contains(QStringLiteral("* Error encountered!\r\n")));
    EXPECT_EQ(prompter.last().text, restartText);
}

TEST_F(ConfigFileControllerTest, ImportedValuesTakeEffectOnRestartWithExactComparisons)
{
    for (const bool on : {false, true}) {
        importFile(writeFile(QStringLiteral("in.txt"), on ? "#ZAN#\r\nCLEARCASE_OVERRIDE:True\r\nNUSERS:1\r\n"
                                                          : "#ZAN#\r\nCLEARCASE_OVERRIDE:true\r\nNUSERS:01\r\n"));
        startProgram();
        EXPECT_EQ(platform.environment.value(QStringLiteral("CLEARCASE_OVERRIDE")), on ? QStringLiteral("True") : QStringLiteral("False"));
        EXPECT_EQ(MainWindow::isShown(app->form().overrideImage), on);
        EXPECT_EQ(MainWindow::isShown(app->form().nuserImage), on);
    }
}

TEST_F(ConfigFileControllerTest, RejectedFilesStoreNothing)
{
    seed({{QStringLiteral("NUSERS"), QStringLiteral("1")}});
    const Settings before = settings();
    struct Case {
        QByteArray content;
        QString textBeforePath;
        QString textAfter; // after the "not valid" text
        QString title;
    };
    const QList<Case> cases{
        {QByteArray("#zan#\r\nNUSERS:0\r\n"), QString(), QString(), QStringLiteral("Invalid Config File")},
        {QByteArray(" #ZAN#\r\nNUSERS:0\r\n"), QString(), QString(), QStringLiteral("Invalid Config File")},
        {QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), QString(), QString(), QStringLiteral("Invalid Config File")},
        {QByteArray(), QStringLiteral("Empty File:: "), QString(), QStringLiteral("Empty Config File")},
        // A good start does not save a file whose later lines are not text.
        {QByteArray("#ZAN#\r\nNUSERS:0\r\nX:\0\x01\r\n", 23), QString(), QStringLiteral("Line 3 "), QStringLiteral("Invalid Config File")},
    };
    for (const Case &c : cases) {
        const QString path = writeFile(QStringLiteral("bad.txt"), c.content);
        importFile(path);
        EXPECT_EQ(prompter.last().text.left(c.textBeforePath.size() + notValid(path).size() + c.textAfter.size()),
                  c.textBeforePath + notValid(path) + c.textAfter);
        EXPECT_EQ(prompter.last().title, c.title);
        EXPECT_EQ(prompter.last().icon, Prompter::Icon::Critical);
    }
    EXPECT_EQ(settings(), before);
    EXPECT_FALSE(prompter.texts().contains(restartText));
}

TEST_F(ConfigFileControllerTest, UnreadableChoicesGiveTheBoxedReportAndStoreNothing)
{
    const QString pipe = programDir.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    for (const QString &path : {programDir.filePath(QStringLiteral("missing.txt")), programDir.path(), pipe}) {
        importFile(path);
        EXPECT_TRUE(boxedErrorShown(QStringLiteral("Error::doReadConfigFile()"))) << path.toStdString();
        EXPECT_TRUE(prompter.last().text.contains(path)) << path.toStdString();
    }
    EXPECT_TRUE(prompter.last().text.contains(QStringLiteral("pipe, socket or device")));
    EXPECT_TRUE(settings().isEmpty());
    EXPECT_FALSE(prompter.texts().contains(restartText));
}
