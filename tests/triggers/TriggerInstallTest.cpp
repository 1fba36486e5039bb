#include "shell/SettingsController.h"
#include "shell/SettingsDialog.h"
#include "triggers/TriggerInstallController.h"
#include "triggers/TriggerPaths.h"
#include "triggers/TriggerStatusController.h"
#include "support/MessageTable.h"
#include "TriggerTabFixture.h"


namespace {

const QString element = TriggerCommandLines::elementTriggerName;
const QString typeTrigger = TriggerCommandLines::typeTriggerName;
const QString ucm = TriggerCommandLines::ucmTriggerName;

class TriggerInstallTest : public TriggerTabFixture
{
protected:
    void fillInputs()
    {
        retype(form().trigLocationTxt, siteLocation());
        retype(form().adminUsersTxt, QStringLiteral("user1, user2"));
    }
    // The second location shows only in interop mode: "different locations" is unticked before
    // interop goes off and ticked after it comes on. Without a Unix location interop is off.
    void enterLocations(const QString &windows, const QString &unix = {})
    {
        retype(form().trigLocationTxt, windows);
        if (unix.isEmpty())
            setTicked(form().checkboxUnixOrWindowsLocation, false);
        setTicked(form().interopSupportCB, !unix.isEmpty());
        if (unix.isEmpty())
            return;
        setTicked(form().checkboxUnixOrWindowsLocation, true);
        retype(form().trigLocationUnixTxt, unix);
    }
    void apply() { clickButton(form().applyTriggerBut); }
    SandboxTriggerType stored(const QString &name)
    {
        const auto type = sandbox.store().findTriggerType(vobTag, name);
        EXPECT_TRUE(type.has_value()) << name.toStdString();
        return type.value_or(SandboxTriggerType{});
    }
    // An all-element or all-UCM pre-operation trigger type with the tool's comment.
    void expectObjectTrigger(const QString &name, int kind, const QStringList &operations, const QString &commentStart)
    {
        SCOPED_TRACE(name.toStdString());
        const SandboxTriggerType type = stored(name);
        EXPECT_EQ(type.kind, kind);
        EXPECT_EQ(type.firing, 1);
        EXPECT_EQ(type.operations, operations);
        EXPECT_TRUE(type.comment.startsWith(commentStart + QStringLiteral("Created by Zan Utility on ")));
        EXPECT_TRUE(type.comment.endsWith(QStringLiteral(" * * DO NOT MODIFY OR DELETE * *")));
    }
    QString windowsCommand() const
    {
        return QStringLiteral("ccperl ") + windowsLocation() + QStringLiteral("\\_qx_security_trigger.pl m user1,user2");
    }
    // The Unix clients' line: the script gets the view root where Windows clients get the drive.
    static QString unixCommand(const QString &location)
    {
        return QStringLiteral("perl ") + location + QStringLiteral("/_qx_security_trigger.pl ") +
               (unixSite() ? QStringLiteral("/view") : QStringLiteral("m")) + QStringLiteral(" user1,user2");
    }
    // Without interop every client of a UNIX site runs the Unix line from the one location.
    QString siteCommand() const { return unixSite() ? unixCommand(siteLocation()) : windowsCommand(); }
};

} // namespace

// Without interop every client runs one line; with a Unix location of its own the Windows and the Unix clients
// each run their own from their own copy, and a Unix location outside /net is only warned about.
TEST_F(TriggerInstallTest, ApplyCopiesTheScriptMakesBothTriggerTypesAndStoresTheSettings)
{
    const QString noNet = QStringLiteral("Unix Path: ") + unixLocation() +
                          QStringLiteral("\r\nfor copying trigger on Unix does not appear to be an\r\nabsolute path.");
    using Actions = QList<std::pair<TriggerTypeDefinition::ActionTarget, QString>>;
    const Actions ownLines{{TriggerTypeDefinition::WindowsClients, windowsCommand()},
                           {TriggerTypeDefinition::UnixClients, unixCommand(unixLocation())}};
    const struct {
        QString windows, unix, interop;
        QStringList shown;
        Actions actions;
    } setups[] = {
        {siteLocation(), {}, "0", {}, {{TriggerTypeDefinition::AllClients, siteCommand()}}},
        {windowsLocation(), unixLocation(), "1", {noNet}, ownLines},
    };
    // Typed over their hints as a person fills them in; a field left at its hint stores nothing.
    EXPECT_EQ(form().trigLocationTxt->text(), QStringLiteral("<trigger_location>"));
    clickAndType(form().trigLocationTxt, siteLocation(), false);
    clickAndType(form().adminUsersTxt, QStringLiteral("user1, user2"), false);
    EXPECT_EQ(form().trigLocationTxt->text(), siteLocation());
    for (const auto &s : setups) {
        SCOPED_TRACE(s.interop.toStdString());
        QFile::remove(QDir(hostFolder(s.windows)).filePath(TriggerCommandLines::scriptName));
        enterLocations(s.windows, s.unix);
        for (int round = 0; round < 2; ++round) { // the second click updates what the first made
            prompter.clear();
            apply();
            EXPECT_EQ(prompter.texts(), s.shown);
            EXPECT_EQ(triggerTypes(), (QStringList{element, typeTrigger}));
            EXPECT_TRUE(showsApplied());
        }
        EXPECT_TRUE(scriptCopiedTo(s.windows) && scriptCopiedTo(s.unix.isEmpty() ? s.windows : s.unix));
        for (const QString &name : {element, typeTrigger}) {
            const SandboxTriggerType type = stored(name);
            EXPECT_TRUE(type.exemptUsers.isEmpty()) << name.toStdString(); // "NUSERS" is off
            ASSERT_EQ(type.actions.size(), s.actions.size()) << name.toStdString();
            for (int i = 0; i < s.actions.size(); ++i)
                EXPECT_EQ(std::pair(type.actions[i].target, type.actions[i].command), s.actions[i]) << name.toStdString();
        }
        EXPECT_EQ(registry().readFromReg(QStringLiteral("NTLocproj")), s.windows);
        EXPECT_EQ(registry().readFromReg(QStringLiteral("Interopproj")), s.interop);
        for (const auto &[key, value] : registry().allSettings())
            EXPECT_FALSE(value.startsWith('<') && value.endsWith('>')) << key.toStdString() << "=" << value.toStdString();
    }
    expectLastMessage(noNet, QStringLiteral("Unix path may not be absolute"), Prompter::Icon::Exclamation);
    expectObjectTrigger(element, 2, {QStringLiteral("MODIFY_DATA"), QStringLiteral("MODIFY_ELEM"), QStringLiteral("MODIFY_MD")}, {});
    EXPECT_EQ(registry().readFromReg(QStringLiteral("WinUnixLocproj")), QStringLiteral("1"));
    EXPECT_EQ(registry().readFromReg(QStringLiteral("UnixLocproj")), unixLocation());
    EXPECT_EQ(registry().readFromReg(QStringLiteral("AdminListproj")), QStringLiteral("user1, user2"));
    EXPECT_EQ(valueOn(QString(), QStringLiteral("QX_PRIVOPER")), SettingsController::defaultPrivOperations);
}

TEST_F(TriggerInstallTest, UcmIndicatorMakesOnlyTheUcmTriggerAndLeavesTheOthersAlone)
{
    fillInputs();
    state().setUcmVob(true);
    apply();
    EXPECT_EQ(triggerTypes(), QStringList{ucm});
    expectObjectTrigger(ucm, 4, {QStringLiteral("MODIFY_UCM")}, QStringLiteral("UCM::"));
    EXPECT_FALSE(MainWindow::isShown(form().ucmVobImage) || MainWindow::isShown(form().ucmVobLbl)); // the status refresh clears it
    EXPECT_FALSE(showsApplied());

    apply();
    EXPECT_EQ(triggerTypes(), (QStringList{element, typeTrigger, ucm}));

    // Were the others remade now, they would carry the exemption.
    state().setExemptLogin(true);
    state().setUcmVob(true);
    apply();
    EXPECT_EQ(triggerTypes(), (QStringList{element, typeTrigger, ucm}));
    EXPECT_EQ(stored(ucm).exemptUsers, QStringList{QStringLiteral("bob")});
    EXPECT_TRUE(stored(element).exemptUsers.isEmpty());
    EXPECT_TRUE(stored(typeTrigger).exemptUsers.isEmpty());
    EXPECT_EQ(prompter.texts(), QStringList());
}

TEST_F(TriggerInstallTest, InvalidInputsAreRefusedBeforeAnythingIsCopiedOrMade)
{
    const QString noVob = QStringLiteral("Must first load and start a view, then select a VOB to apply the triggers.");
    const QString noUnix = QStringLiteral("Must define a valid absolute Unix (e.g., //net/myhost/triggers) path to copy the triggers.");
    struct Case {
        QString vobRoot, windows, unix, admins; // a Unix location is given separately in interop mode
        QString text, title;
    };
    const QString root = vobRoot;
    const QString win = siteLocation();
    const QString ok = QStringLiteral("user1");
    const QString drive = QStringLiteral("The Unix trigger location cannot be written into the trigger command line: it names a "
                                         "drive of a Windows computer (c:), which the Unix clients cannot reach; give a shared "
                                         "location such as \\\\myhost\\triggers.\r\nPlease correct it and apply the triggers again.");
    QList<Case> cases = {
        {QStringLiteral("UNDEFINED"), win, {}, ok, noVob, QStringLiteral("VOB not selected")},
        {{}, win, {}, ok, noVob, QStringLiteral("VOB not selected")},
        {root, QStringLiteral("<trigger_location>"), {}, ok,
         QStringLiteral("Must define a valid absolute Windows path (\\\\myhost\\triggers) to copy the triggers."),
         QStringLiteral("Invalid Windows path")},
        // "Different locations" ticked: the Unix location must be given.
        {root, win, QStringLiteral("<trigger_location>"), ok, noUnix, QStringLiteral("Invalid Unix path")},
        {root, win, QStringLiteral("  "), ok, noUnix, QStringLiteral("Invalid Unix path")},
        {root, win, {}, QStringLiteral("user1,\"user2"),
         QStringLiteral("The admin users list cannot be written into the trigger command line: it contains a double quote or "
                        "a line break.\r\nPlease correct it and apply the triggers again."),
         QStringLiteral("Invalid trigger setting")},
        // The Unix clients would run the script from a drive they do not have, and refuse everything.
        {root, win, QStringLiteral("c:/triggers/unix"), ok, drive, QStringLiteral("Invalid trigger setting")},
    };
    if (unixSite()) // where every client runs the script from the one location
        cases.append({root, windowsLocation(), {}, ok, drive, QStringLiteral("Invalid trigger setting")});
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        form().vobRootTxt->setText(c.vobRoot);
        enterLocations(c.windows, c.unix);
        form().adminUsersTxt->setText(c.admins);
        prompter.clear();
        apply();
        ASSERT_EQ(prompter.count(), 1);
        expectLastMessage(c.text, c.title, Prompter::Icon::Exclamation);
    }
    EXPECT_TRUE(triggerTypes().isEmpty());
    EXPECT_FALSE(scriptCopiedTo(siteLocation()));
    EXPECT_FALSE(isStored(QStringLiteral("NTLocproj")));
}

TEST_F(TriggerInstallTest, ScriptNotInPlaceInstallsNothingAndAnUnreachableLocationAsksFirst)
{
    ASSERT_TRUE(QDir(hostFolder(siteLocation(QStringLiteral("blocked")))).mkpath(TriggerCommandLines::scriptName));
    const QString notCopied = QStringLiteral("The security trigger file could not be copied to:\r\n%1\r\n\r\nNo trigger was installed. "
                                             "Check the location and your permission to write there, then apply the triggers again.");
    // The question names each location, why it cannot be reached and, where this machine
    // sees it elsewhere (a sandbox drive, a share under /net), the folder it stands for.
    const auto unreachable = [this](const QString &location, const QString &reason, const QString &seenAs = QString()) {
        const QString seen = seenAs.isEmpty() ? QDir::cleanPath(QString(hostFolder(location)).replace('\\', '/')) : seenAs;
        const QString here = seen == QDir::cleanPath(QString(location).replace('\\', '/'))
                                 ? QString()
                                 : QStringLiteral(" On this machine it is the folder ") + QDir::toNativeSeparators(seen) + '.';
        return QStringLiteral("This machine cannot reach the trigger location:\r\n") + location + "\r\n" + reason + here +
               QStringLiteral("\r\n\r\nThe security trigger file was not copied there. Unless _qx_security_trigger.pl is "
                              "there, the triggers will refuse every guarded operation.\r\n\r\nInstall the triggers anyway?");
    };
    const QString noFolder = QStringLiteral("The folder does not exist.");
    const QString noShare = QStringLiteral("The computer or share it names cannot be reached from this machine.");
    struct Case {
        QString windows, unix; // a Unix location is given separately in interop mode
        Prompter::Answer answer;
        QString text;
        bool installed;
    };
    const Case cases[] = {
        {siteLocation(QStringLiteral("blocked")), {}, Prompter::Answer::Ok, notCopied.arg(siteLocation(QStringLiteral("blocked"))), false},
        {siteLocation(QStringLiteral("nosuch")), {}, Prompter::Answer::Cancel, unreachable(siteLocation(QStringLiteral("nosuch")), noFolder), false},
        {windowsLocation(), QStringLiteral("/net/nohost/triggers"), Prompter::Answer::Cancel, unreachable(QStringLiteral("/net/nohost/triggers"), noShare), false},
        // Seen from here, a UNC location is its /net form.
        {QStringLiteral("\\\\nohost\\triggers"), {}, Prompter::Answer::Ok, unreachable(QStringLiteral("\\\\nohost\\triggers"), noShare, QStringLiteral("/net/nohost/triggers")), true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        fillInputs();
        enterLocations(c.windows, c.unix);
        prompter.clear();
        prompter.answers.enqueue(c.answer);
        apply();
        ASSERT_GE(prompter.count(), 1);
        EXPECT_EQ(prompter.records[0].text, c.text);
        const bool asked = c.installed || c.answer == Prompter::Answer::Cancel;
        EXPECT_EQ(prompter.records[0].title, asked ? TriggerInstallController::unreachableTitle : TriggerInstallController::copyFailureTitle);
        // Enter must not install triggers that refuse everything; Cancel keeps what was typed.
        if (asked) {
            EXPECT_EQ(prompter.records[0].defaultAnswer, std::optional(Prompter::Answer::Cancel));
        }
        EXPECT_EQ(form().trigLocationTxt->text(), c.windows);
        EXPECT_EQ(triggerTypes(), c.installed ? (QStringList{element, typeTrigger}) : QStringList());
        EXPECT_EQ(isStored(QStringLiteral("NTLocproj")), c.installed);
    }
}

TEST_F(TriggerInstallTest, TheListInSettingsIsRecordedAndADifferentOneIsShownUntilTheUpdate)
{
    fillInputs();
    apply();
    EXPECT_FALSE(MainWindow::isShown(form().privListWarningLbl));

    // Changed in Settings while the trigger tab stays in front: OK refreshes the warning at once.
    SettingsDialog &settings = controller<SettingsController>().dialog();
    chooseMenuItem(form().menuBar(), form().options, form().settings);
    clickButton(settings.lockImage[0]);
    settings.privOperationsTxt->setText(QStringLiteral("checkout,rmelem"));
    clickButton(settings.okBut);
    ASSERT_EQ(form().mainTabStrip->currentIndex(), 2);
    EXPECT_TRUE(MainWindow::isShown(form().privListWarningLbl));
    EXPECT_EQ(form().privListWarningLbl->text(), TriggerStatusController::privilegedListWarning(SettingsController::defaultPrivOperations));

    apply();
    EXPECT_EQ(valueOn(QString(), QStringLiteral("QX_PRIVOPER")), QStringLiteral("checkout,rmelem"));
    EXPECT_FALSE(MainWindow::isShown(form().privListWarningLbl));
    EXPECT_EQ(prompter.texts(), QStringList());
}

// A failing step ends the click with its report; what was done before it stays, nothing after it is done.
TEST_F(TriggerInstallTest, FailuresDuringTheApplyAreReportedInTheirOwnWords)
{
    const QString script = QDir(programDir.path()).filePath(TriggerCommandLines::scriptName);
    expectMessages(prompter, {
        {"the script is missing", [&] {
             ASSERT_TRUE(QFile::rename(script, script + QStringLiteral(".away")));
             fillInputs();
             apply();
             ASSERT_TRUE(QFile::rename(script + QStringLiteral(".away"), script));
             EXPECT_FALSE(isStored(QStringLiteral("NTLocproj")));
             EXPECT_TRUE(MainWindow::isShown(form().trigStatusImage[1])); // the status is still refreshed
         }, QStringLiteral("Missing required security trigger file\r\nSend bug report to: support@korvane.com\r\n"),
         QStringLiteral("Missing required file.."), Prompter::Icon::Critical},
        // The type trigger is made last; its failure is reported under the element trigger and the apply goes on.
        {"making the type trigger fails", [&] {
             failWhen = [](const QString &call, const QString &) { return call == QLatin1String("runCommand"); };
             fillInputs();
             apply();
             EXPECT_EQ(triggerTypes(), QStringList{element});
             EXPECT_EQ(registry().readFromReg(QStringLiteral("NTLocproj")), siteLocation());
             EXPECT_FALSE(showsApplied());
         }, QStringLiteral("* doApplyTrigger()::_KORVANE_SECURITY1"), QStringLiteral("Error..."), Prompter::Icon::Critical,
         Prompter::Buttons::Ok, true},
    });

    // The report of an unknown VOB carries the backend's own description after the handler's words.
    selectVob(tagOf(QStringLiteral("\\nosuch")), viewPath + tagOf(QStringLiteral("\\nosuch")));
    fillInputs();
    apply();
    EXPECT_EQ(prompter.last().title, QStringLiteral("Error..."));
    EXPECT_TRUE(prompter.last().text.contains(
        QStringLiteral("* applyTriggers(): Error encountered:: Verify that triggers have been copied and applied::")));
    EXPECT_FALSE(isStored(QStringLiteral("NTLocnosuch")));
}
