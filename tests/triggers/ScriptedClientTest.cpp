// A whole administration session on a UNIX-style site as a script drives cleartool: one
// co-process, UNIX quoting, no -nc where cleartool records no comment anyway, relative
// pathnames after cd, and the security trigger installed with the program's own action.
#include "clearcase/ScriptedClient.h"
#include "TriggerTabFixture.h"

TEST(ScriptedClient, AdminSessionOnAUnixSite)
{
    if (qEnvironmentVariable("ZAN_TEST_BACKEND") == QLatin1String("cleartool"))
        GTEST_SKIP() << "drives the emulator itself, whatever the program's backend";
    TempSandbox sandbox(SiteStyle::Kind::Unix);
    const QString location = QDir(sandbox.folder()).filePath(QStringLiteral("triggers"));
    ASSERT_TRUE(QDir().mkpath(location));
    ASSERT_TRUE(QFile::copy(securityScript(), QDir(location).filePath(TriggerCommandLines::scriptName))) << securityScript().toStdString();
    TriggerCommandLines::Inputs inputs;
    inputs.unixLocation = location;
    inputs.adminUsersText = QStringLiteral("vobadm");
    inputs.viewDrive = QStringLiteral("/view");
    inputs.interop = true;
    inputs.date = QStringLiteral("2026-12-07");
    const TriggerCommandLines trigger(inputs);

    // The VOB owner administers the VOB; not being on the trigger's list, it is held to the settings.
    const QString owner = QFileInfo(sandbox.store().vobFolder(QStringLiteral("/vobs/proj"))).owner();
    ScriptedClient client(sandbox.folder(), owner, sandbox.store().driveFolder(QStringLiteral("m")) + QStringLiteral("/bob_dev"));
    const QString value = QStringLiteral("O'Toole, \"Jr\",  two  blanks");
    struct Step {
        QStringList words;
        int status;
        QString answer; // "" = not checked
    };
    const QList<Step> steps = {
        {{"pwd"}, 0, "/view/bob_dev\n"},
        {{"cd", "vobs/proj/src"}, 0, ""},
        {{"pwv", "-short"}, 0, "bob_dev\n"},
        {{"mkattype", "-nc", "Note@/vobs/proj", "__checkout@/vobs/proj"}, 0,
         "Created attribute type \"Note\".\nCreated attribute type \"__checkout\".\n"},
        {{"mkattr", "Note", '"' + value + '"', "main.c@@/main/0"}, 0, "Created attribute \"Note\" on \"main.c@@/main/0\".\n"},
        {{"mkattr", "__checkout", "\"carol,dave\"", "main.c"}, 0, "Created attribute \"__checkout\" on \"main.c@@/main/0\".\n"},
        {{"des", "-aattr", "-all", "main.c"}, 0,
         "main.c@@/main/0\n  Attributes:\n    Note = \"" + value + "\"\n    __checkout = \"carol,dave\"\n"},
        {{"rmattr", "Note", "main.c@@/main/0"}, 0, "Removed attribute \"Note\" from \"main.c@@/main/0\".\n"},
        {{"mktrtype", "-element", "-all", "-preop", "MODIFY_DATA,MODIFY_ELEM,MODIFY_MD", "-execunix", trigger.unixCommand(), "-c",
          trigger.elementComment(), TriggerCommandLines::elementTriggerName + "@/vobs/proj"},
         0, "Created trigger type \"_KORVANE_SECURITY1\".\n"},
        {{"co", "-nc", "main.c"}, 1, ""},
        {{"rmtype", "trtype:_KORVANE_SECURITY1@/vobs/proj"}, 0, "Removed trigger type \"_KORVANE_SECURITY1\".\n"},
        {{"co", "-nc", "main.c"}, 0, "Checked out \"main.c\" from version \"/main/0\".\n"},
        {{"ci", "-nc", "main.c"}, 0, "Checked in \"main.c\" version \"/main/1\".\n"},
        {{"rmattr", "__checkout", "main.c@@/main/0"}, 0, "Removed attribute \"__checkout\" from \"main.c@@/main/0\".\n"},
        {{"rmtype", "attype:Note@/vobs/proj"}, 0, "Removed attribute type \"Note\".\n"},
        // Names compare exactly on a UNIX site.
        {{"describe", "-short", "Main.c"}, 1, "cleartool: Error: Unable to access \"Main.c\": No such file or directory.\n"},
    };
    QString refusal;
    for (const Step &step : steps) {
        const ClientAnswer answer = client.run(step.words);
        EXPECT_EQ(answer.status, step.status) << step.words.join(' ').toStdString() << "\n" << answer.output.toStdString();
        if (!step.answer.isEmpty())
            EXPECT_EQ(answer.output, step.answer) << step.words.join(' ').toStdString();
        else if (step.words.first() == QLatin1String("co"))
            refusal = answer.output;
    }
    // The script says who may, and ClearCase says the trigger refused.
    EXPECT_TRUE(refusal.contains(QStringLiteral("Zan Utility: %1 may not checkout").arg(owner))) << refusal.toStdString();
    EXPECT_TRUE(refusal.endsWith(QStringLiteral("cleartool: Warning: Trigger \"_KORVANE_SECURITY1\" has refused to let checkout proceed.\n"
                                                "cleartool: Error: Unable to check out \"main.c\".\n")))
        << refusal.toStdString();
}
