#include "triggers/ConfigFileController.h"
#include "TriggerTabFixture.h"

#include <QAction>
#include <QFile>
#include <sys/stat.h>

namespace {

using Settings = QList<QPair<QString, QString>>;
using Icon = Prompter::Icon;

const QString restartText = QStringLiteral("You must restart the application for this change to take effect");

class ConfigFileControllerTest : public AppFixture
{
protected:
    void SetUp() override { startProgram(false); }

    Settings settings() { return registry().allSettings(); }
    void seed(const Settings &values) { registry().saveAllToReg(values); }
    QByteArray readFile(const QString &name)
    {
        QFile file(programDir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void exportAs(const std::optional<QString> &answer)
    {
        prompter.inputs.enqueue(answer);
        chooseMenuItem(app->form().menuBar(), app->form().File, app->form().saveConfigToFile);
    }
    void importFile(const QString &path)
    {
        prompter.files.enqueue(path);
        chooseMenuItem(app->form().menuBar(), app->form().File, app->form().loadConfigFile);
    }
    QString importBytes(const QByteArray &content)
    {
        const QString path = programDir.filePath(QStringLiteral("in.txt"));
        writeFile(path, content);
        importFile(path);
        return path;
    }
};

QString notValid(const QString &path)
{
    return QStringLiteral("File --> ") + path + QStringLiteral("\r\nis not a valid Configuration file.  Must be a file\r\nsaved by Zan Utility\r\n");
}

QString boxed(const QString &routineText) { return QStringLiteral("* ") + routineText + QStringLiteral("\r\n"); }

} // namespace

TEST_F(ConfigFileControllerTest, ExportThenImportChangesNothingAndAsksForARestart)
{
    const Settings before{{QStringLiteral("CLEARCASE_OVERRIDE"), QStringLiteral("False")},
                          {QStringLiteral("NUSERS"), QStringLiteral("1")},
                          {QStringLiteral("NTLocproj"), QStringLiteral("\\\\myhost\\triggers")},
                          {QStringLiteral("Interopproj"), QStringLiteral("0")},
                          {QStringLiteral("dev team"), QStringLiteral(" bob,alice ")},
                          {QStringLiteral("AdminListproj"), QString()}};
    seed(before);
    exportAs(QStringLiteral("my.txt"));
    EXPECT_EQ(prompter.proposedAnswer, QStringLiteral("zan_config.txt"));
    EXPECT_TRUE(readFile(QStringLiteral("my.txt"))
                    .startsWith("#ZAN#\r\nCLEARCASE_OVERRIDE:False\r\nNUSERS:1\r\nNTLocproj:\\\\myhost\\triggers\r\nInteropproj:0\r\n"));

    importFile(programDir.filePath(QStringLiteral("my.txt")));
    EXPECT_EQ(settings(), before);
    EXPECT_EQ(prompter.fileDialogFolder, programDir.path());
#ifdef Q_OS_WIN
    EXPECT_EQ(prompter.fileDialogFilter, QStringLiteral("All Files (*.*)|*.*"));
#else
    EXPECT_EQ(prompter.fileDialogFilter, QStringLiteral("All Files (*)|*")); // names without a dot stay visible
#endif
    const QList<ScriptedPrompter::Record> expected{
        {QStringLiteral("input"), QStringLiteral("Enter Filename: "), QStringLiteral("Save Config file..."), Icon::None, Prompter::Buttons::OkCancel},
        {QStringLiteral("file"), QStringLiteral("*.txt"), QStringLiteral("Select Configuration File "), Icon::None, Prompter::Buttons::OkCancel},
        {QStringLiteral("message"), restartText, QStringLiteral("Restart application..."), Icon::Exclamation, Prompter::Buttons::Ok}};
    ASSERT_EQ(prompter.count(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        const ScriptedPrompter::Record &r = prompter.records[i], &e = expected[i];
        EXPECT_TRUE(r.kind == e.kind && r.text == e.text && r.title == e.title && r.icon == e.icon && r.buttons == e.buttons) << i << r.text.toStdString();
    }
}

TEST_F(ConfigFileControllerTest, CancellingEitherDialogDoesNothing)
{
    seed({{QStringLiteral("NUSERS"), QStringLiteral("1")}});
    exportAs(std::nullopt);
    exportAs(QString());
    chooseMenuItem(app->form().menuBar(), app->form().File, app->form().loadConfigFile); // the dialog hands back its preset "*.txt"
    importFile(QString());
    EXPECT_TRUE(QDir(programDir.path()).isEmpty());
    EXPECT_EQ(prompter.count(), 4); // the four dialogs, no message
}

// Every message of both commands: what triggers it, then its text (whole, or the lines a boxed
// report must carry), title and icon. None of them stores anything or asks for a restart.
TEST_F(ConfigFileControllerTest, MessagesOfExportAndImport)
{
    const QString pipe = programDir.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString in = programDir.filePath(QStringLiteral("in.txt")), missing = programDir.filePath(QStringLiteral("missing.txt"));
    const QString saveError = boxed(QStringLiteral("Error::Couldn't save config file::doSaveToConfigFile()"));
    const QString readError = boxed(QStringLiteral("Error::doReadConfigFile()"));
    const QString error = QStringLiteral("Error..."), invalid = QStringLiteral("Invalid Config File");
    struct Case {
        std::function<void()> action;
        QStringList text; // one whole text, or lines of a boxed report
        bool whole;
        QString title;
        Icon icon;
    };
    const QList<Case> cases{
        // An empty store still writes the marker line, then reports.
        {[&] { exportAs(QStringLiteral("empty.txt")); }, {saveError}, false, error, Icon::Critical},
        {[&] {
             seed({{QStringLiteral("team:a"), QStringLiteral("bob")}, {QStringLiteral("NUSERS"), QStringLiteral("1")},
                   {QStringLiteral("notes"), QStringLiteral("one\r\ntwo")}});
             exportAs(QStringLiteral("zan_config.txt"));
         },
         {QStringLiteral("left out of ") + programDir.filePath(QStringLiteral("zan_config.txt")) + QStringLiteral(":\r\n"),
          QStringLiteral("\r\n  team:a (a key with \":\" or a line break in a key or value would not read back the same)\r\n"
                         "  notes (a key with \":\" or a line break in a key or value would not read back the same)")},
         false, QStringLiteral("Save Config file..."), Icon::Exclamation},
        {[&] { exportAs(QStringLiteral("no such folder/x.txt")); }, {saveError, QStringLiteral("no such folder")}, false, error, Icon::Critical},
        {[&] { importBytes("#zan#\r\nNUSERS:0\r\n"); }, {notValid(in)}, true, invalid, Icon::Critical},
        {[&] { importBytes(QByteArray()); }, {QStringLiteral("Empty File:: ") + notValid(in)}, true, QStringLiteral("Empty Config File"), Icon::Critical},
        // A good start does not save a file whose later lines are not text.
        {[&] { importBytes(QByteArray("#ZAN#\r\nNUSERS:0\r\nX:\0\x01\r\n", 23)); },
         {notValid(in) + QStringLiteral("Line 3 holds characters that are not text. Nothing was imported.")}, true, invalid, Icon::Critical},
        {[&] { importFile(missing); }, {readError, missing}, false, error, Icon::Critical},
        {[&] { importFile(programDir.path()); }, {readError, programDir.path()}, false, error, Icon::Critical},
        {[&] { importFile(pipe); }, {readError, pipe, QStringLiteral("pipe, socket or device")}, false, error, Icon::Critical},
    };
    for (const Case &c : cases) {
        c.action();
        ASSERT_GT(prompter.count(), 0);
        const ScriptedPrompter::Record &shown = prompter.last();
        SCOPED_TRACE(shown.text.toStdString());
        for (const QString &text : c.text)
            EXPECT_TRUE(c.whole ? shown.text == text : shown.text.contains(text)) << text.toStdString();
        EXPECT_EQ(shown.title, c.title);
        EXPECT_EQ(shown.icon, c.icon);
        EXPECT_EQ(shown.buttons, Prompter::Buttons::Ok);
    }
    EXPECT_EQ(readFile(QStringLiteral("empty.txt")), QByteArray("#ZAN#\r\n"));
    EXPECT_EQ(readFile(QStringLiteral("zan_config.txt")), QByteArray("#ZAN#\r\nNUSERS:1\r\n"));
    EXPECT_EQ(registry().readFromReg(QStringLiteral("NUSERS")), QStringLiteral("1"));
    EXPECT_FALSE(prompter.texts().contains(restartText));
}

TEST_F(ConfigFileControllerTest, ImportMergesSplitsAtTheFirstColonKeepsOtherKeysAndReportsEmptyKeys)
{
    seed({{QStringLiteral("AdminListproj"), QStringLiteral("root")}, {QStringLiteral("ntlocPROJ"), QStringLiteral("old")}});
    importBytes("\xEF\xBB\xBF#ZAN#\nNTLocproj:C:\\triggers\r\nlonely\n\r\n:orphan\nB:" + QByteArray(200000, 'b') + "\n");
    EXPECT_EQ(settings(), (Settings{{QStringLiteral("AdminListproj"), QStringLiteral("root")},
                                    {QStringLiteral("ntlocPROJ"), QStringLiteral("C:\\triggers")},
                                    {QStringLiteral("lonely"), QString()},
                                    {QStringLiteral("B"), QString(200000, QLatin1Char('b'))}}));
    ASSERT_EQ(prompter.count(), 4); // file dialog, two refused records, restart
    for (const int refused : {1, 2})
        EXPECT_TRUE(prompter.records[refused].text.contains(boxed(QStringLiteral("Error encountered!"))));
    EXPECT_EQ(prompter.last().text, restartText);
}
