#include "triggers/TriggerInstallController.h"
#include "TriggerTabFixture.h"


namespace {

const QString element = TriggerCommandLines::elementTriggerName;
const QString typeTrigger = TriggerCommandLines::typeTriggerName;
const QString ucm = TriggerCommandLines::ucmTriggerName;
const QString proj = QStringLiteral("\\proj");

class TriggerInstallTest : public TriggerTabFixture
{
protected:
    void fillInputs()
    {
        form().trigLocationTxt->setText(windowsLocation());
        form().adminUsersTxt->setText(QStringLiteral("user1, user2"));
    }
    void apply() { form().applyTriggerBut->click(); }
    SandboxTriggerType stored(const QString &name)
    {
        const auto type = sandbox.store().findTriggerType(proj, name);
        EXPECT_TRUE(type.has_value()) << name.toStdString();
        return type.value_or(SandboxTriggerType{});
    }
    QString windowsCommand() const
    {
        return QStringLiteral("ccperl ") + windowsLocation() + QStringLiteral("\\_qx_security_trigger.pl m user1,user2");
    }
};

} // namespace

TEST_F(TriggerInstallTest, ApplyCopiesTheScriptMakesBothTriggerTypesAndStoresTheSettings)
{
    fillInputs();
    apply();
    EXPECT_EQ(prompter.texts(), QStringList());
    EXPECT_EQ(triggerTypes(), (QStringList{element, typeTrigger}));
    EXPECT_TRUE(scriptCopiedTo(windowsLocation()));
    EXPECT_TRUE(showsApplied());

    const QString comment = QStringLiteral(" * * DO NOT MODIFY OR DELETE * *");
    const SandboxTriggerType elementType = stored(element);
    EXPECT_EQ(elementType.kind, 2);
    EXPECT_EQ(elementType.firing, 1);
    EXPECT_EQ(elementType.operations, (QStringList{QStringLiteral("MODIFY_DATA"), QStringLiteral("MODIFY_ELEM"), QStringLiteral("MODIFY_MD")}));
    EXPECT_TRUE(elementType.comment.startsWith(QStringLiteral("Created by Zan Utility on ")));
    EXPECT_TRUE(elementType.comment.endsWith(comment));
    EXPECT_TRUE(elementType.exemptUsers.isEmpty()); // "NUSERS" is off
    ASSERT_EQ(elementType.actions.size(), 1);
    EXPECT_EQ(elementType.actions[0].target, TriggerTypeDefinition::AllClients);
    EXPECT_EQ(elementType.actions[0].command, windowsCommand());
    const SandboxTriggerType typeType = stored(typeTrigger);
    EXPECT_TRUE(typeType.exemptUsers.isEmpty());
    ASSERT_EQ(typeType.actions.size(), 1);
    EXPECT_EQ(typeType.actions[0].command, windowsCommand());
    EXPECT_TRUE(typeType.comment.startsWith(QStringLiteral("Created by Zan Utility on ")));

    EXPECT_EQ(registry().readFromReg(QStringLiteral("NTLocproj")), windowsLocation());
    EXPECT_EQ(registry().readFromReg(QStringLiteral("UnixLocproj")), QStringLiteral("<trigger_location>"));
    EXPECT_EQ(registry().readFromReg(QStringLiteral("Interopproj")), QStringLiteral("0"));
    EXPECT_EQ(registry().readFromReg(QStringLiteral("WinUnixLocproj")), QStringLiteral("0"));
    EXPECT_EQ(registry().readFromReg(QStringLiteral("AdminListproj")), QStringLiteral("user1, user2"));

    apply();
    EXPECT_EQ(prompter.texts(), QStringList());
    EXPECT_EQ(triggerTypes(), (QStringList{element, typeTrigger}));
    EXPECT_TRUE(showsApplied());
}

TEST_F(TriggerInstallTest, UcmIndicatorMakesOnlyTheUcmTriggerAndLeavesTheOthersAlone)
{
    fillInputs();
    form().ucmVobImage->show();
    apply();
    EXPECT_EQ(triggerTypes(), QStringList{ucm});
    EXPECT_EQ(stored(ucm).kind, 4);
    EXPECT_EQ(stored(ucm).firing, 1);
    EXPECT_EQ(stored(ucm).operations, QStringList{QStringLiteral("MODIFY_UCM")});
    EXPECT_TRUE(stored(ucm).comment.startsWith(QStringLiteral("UCM::Created by Zan Utility on ")));
    EXPECT_TRUE(stored(ucm).comment.endsWith(QStringLiteral(" * * DO NOT MODIFY OR DELETE * *")));
    EXPECT_FALSE(MainWindow::isShown(form().ucmVobImage)); // the status refresh clears it
    EXPECT_FALSE(showsApplied());

    apply();
    EXPECT_EQ(triggerTypes(), (QStringList{element, typeTrigger, ucm}));

    // Were the others remade now, they would carry the exemption.
    form().nuserImage->show();
    form().ucmVobImage->show();
    apply();
    EXPECT_EQ(triggerTypes(), (QStringList{element, typeTrigger, ucm}));
    EXPECT_EQ(stored(ucm).exemptUsers, QStringList{QStringLiteral("bob")});
    EXPECT_TRUE(stored(element).exemptUsers.isEmpty());
    EXPECT_TRUE(stored(typeTrigger).exemptUsers.isEmpty());
    EXPECT_EQ(prompter.texts(), QStringList());
}

TEST_F(TriggerInstallTest, InteropWithASeparateUnixLocationWarnsAndStillInstalls)
{
    fillInputs();
    form().interopSupportCB->setChecked(true);
    form().checkboxUnixOrWindowsLocation->setChecked(true);
    form().trigLocationUnixTxt->setText(unixLocation()); // no "/net" in a temporary folder
    prompter.clear();
    apply();

    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.last().text, QStringLiteral("Unix Path: ") + unixLocation() +
                                        QStringLiteral("\r\nfor copying trigger on Unix does not appear to be an\r\nabsolute path."));
    EXPECT_EQ(prompter.last().title, QStringLiteral("Unix path may not be absolute"));
    EXPECT_EQ(prompter.last().icon, Prompter::Icon::Exclamation);

    EXPECT_EQ(triggerTypes(), (QStringList{element, typeTrigger}));
    EXPECT_TRUE(scriptCopiedTo(windowsLocation()));
    EXPECT_TRUE(scriptCopiedTo(unixLocation()));
    const QString unixCommand = QStringLiteral("perl ") + unixLocation() + QStringLiteral("/_qx_security_trigger.pl m user1,user2");
    for (const QString &name : {element, typeTrigger}) {
        const SandboxTriggerType type = stored(name);
        ASSERT_EQ(type.actions.size(), 2) << name.toStdString();
        EXPECT_EQ(type.actions[0].target, TriggerTypeDefinition::WindowsClients);
        EXPECT_EQ(type.actions[0].command, windowsCommand());
        EXPECT_EQ(type.actions[1].target, TriggerTypeDefinition::UnixClients);
        EXPECT_EQ(type.actions[1].command, unixCommand);
    }
    EXPECT_EQ(registry().readFromReg(QStringLiteral("Interopproj")), QStringLiteral("1"));
    EXPECT_EQ(registry().readFromReg(QStringLiteral("WinUnixLocproj")), QStringLiteral("1"));
    EXPECT_EQ(registry().readFromReg(QStringLiteral("UnixLocproj")), unixLocation());
}

TEST_F(TriggerInstallTest, InvalidInputsAreRefusedInOrderBeforeAnythingIsCopiedOrMade)
{
    auto expectRefusal = [this](const QString &text, const QString &title) {
        prompter.clear();
        apply();
        ASSERT_EQ(prompter.count(), 1);
        EXPECT_EQ(prompter.last().text, text);
        EXPECT_EQ(prompter.last().title, title);
        EXPECT_EQ(prompter.last().icon, Prompter::Icon::Exclamation);
    };
    const QString noVob = QStringLiteral("Must first load and start a view, then select a VOB to apply the triggers.");
    form().vobRootTxt->setText(QStringLiteral("UNDEFINED"));
    expectRefusal(noVob, QStringLiteral("VOB not selected"));
    form().vobRootTxt->clear();
    expectRefusal(noVob, QStringLiteral("VOB not selected"));

    form().vobRootTxt->setText(QStringLiteral("m:\\bob_dev\\proj"));
    expectRefusal(QStringLiteral("Must define a valid absolute Windows path (\\\\myhost\\triggers) to copy the triggers."),
                  QStringLiteral("Invalid Windows path"));

    fillInputs();
    form().interopSupportCB->setChecked(true);
    form().checkboxUnixOrWindowsLocation->setChecked(true);
    form().trigLocationUnixTxt->setText(QStringLiteral("<trigger_location>"));
    expectRefusal(QStringLiteral("Must define a valid absolute Unix (e.g., //net/myhost/triggers) path to copy the triggers."),
                  QStringLiteral("Invalid Unix path"));

    form().interopSupportCB->setChecked(false);
    form().adminUsersTxt->setText(QStringLiteral("user1,\"user2"));
    TriggerCommandLines::Inputs typed;
    typed.windowsLocation = windowsLocation();
    typed.adminUsersText = QStringLiteral("user1,\"user2");
    expectRefusal(TriggerCommandLines(typed).quotingProblem(),
                  QStringLiteral("Invalid trigger setting"));
    form().adminUsersTxt->setText(QStringLiteral("user1"));
    form().trigLocationTxt->setText(windowsLocation() + QStringLiteral("\nx"));
    apply();
    EXPECT_EQ(prompter.last().title, QStringLiteral("Invalid trigger setting"));

    EXPECT_TRUE(triggerTypes().isEmpty());
    EXPECT_FALSE(scriptCopiedTo(windowsLocation()));
    EXPECT_FALSE(isStored(QStringLiteral("NTLocproj")));
}

TEST_F(TriggerInstallTest, MissingScriptIsReportedAndOnlyTheStatusIsRefreshed)
{
    ASSERT_TRUE(QFile::remove(QDir(programDir.path()).filePath(TriggerCommandLines::scriptName)));
    fillInputs();
    prompter.clear();
    apply();
    ASSERT_GE(prompter.count(), 1);
    EXPECT_EQ(prompter.records[0].text, QStringLiteral("Missing required security trigger file\r\nSend bug report to: "
                                                       "support@korvane.com\r\n"));
    EXPECT_EQ(prompter.records[0].title, QStringLiteral("Missing required file.."));
    EXPECT_EQ(prompter.records[0].icon, Prompter::Icon::Critical);
    EXPECT_TRUE(triggerTypes().isEmpty());
    EXPECT_FALSE(isStored(QStringLiteral("NTLocproj")));
    EXPECT_TRUE(MainWindow::isShown(form().trigStatusImage[1]));
}

TEST_F(TriggerInstallTest, UnknownVobEndsTheCommandWithTheApplyReport)
{
    selectVob(QStringLiteral("\\nosuch"), QStringLiteral("m:\\bob_dev\\nosuch"));
    fillInputs();
    prompter.clear();
    apply();
    ASSERT_GE(prompter.count(), 1);
    EXPECT_EQ(prompter.last().title, QStringLiteral("Error..."));
    EXPECT_TRUE(prompter.last().text.contains(
        QStringLiteral("applyTriggers(): Error encountered:: Verify that triggers have been copied and applied::")));
    EXPECT_FALSE(isStored(QStringLiteral("NTLocnosuch")));
}

TEST_F(TriggerInstallTest, FailingTypeTriggerIsReportedUnderTheElementTriggerAndTheApplyGoesOn)
{
    failWhen = [](const QString &call, const QString &) { return call == QLatin1String("runCommand"); };
    fillInputs();
    apply();
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.last().title, QStringLiteral("Error..."));
    EXPECT_TRUE(prompter.last().text.contains(QStringLiteral("doApplyTrigger()::_KORVANE_SECURITY1")));
    EXPECT_EQ(triggerTypes(), QStringList{element});
    EXPECT_EQ(registry().readFromReg(QStringLiteral("NTLocproj")), windowsLocation());
    EXPECT_FALSE(showsApplied());
}
