#include "AccessFixture.h"

#include <QProgressBar>

namespace {
const QString mainC = SandboxSeed::mainC;
const QString utilC = SandboxSeed::utilC;
const QString utilH = SandboxSeed::utilH;
const QString readme = SandboxSeed::readmeTxt;
const QString confirmTitle = QStringLiteral("Set access control for all checked elements...");
}

class ApplyPurge : public AccessFixture
{
protected:
    void SetUp() override
    {
        AccessFixture::SetUp();
        QObject::connect(&state(), &WorkingState::checkedCleared, [this] { ++clearAllCheckedCalls; });
        form().deleteAllCheckedBut->setEnabled(true);
    }

    // The base: main.c with checkout and checkin set and group dev recorded.
    void selectBase(bool withGroups = true)
    {
        attach(mainC, "__checkout", "bob,ALL");
        attach(mainC, "__checkin", "NONE");
        if (withGroups)
            attach(mainC, "QX_GROUPS", "dev");
        selectElement(mainC);
    }
    QStringList messageTitles() const
    {
        QStringList titles;
        for (const ScriptedPrompter::Record &r : prompter.records)
            titles << r.title;
        return titles;
    }
    void expectCopiedTo(const QString &relative, const QString &groups = "dev")
    {
        SCOPED_TRACE(relative.toStdString());
        EXPECT_EQ(valueOn(relative, "__checkout"), "bob,ALL");
        EXPECT_EQ(valueOn(relative, "__checkin"), "NONE");
        EXPECT_EQ(valueOn(relative, "QX_GROUPS"), groups);
    }
    int clearAllCheckedCalls = 0;
};

// Paths that are no elements are skipped without a word; the copy never removes. The VOB root
// is asked for per target, and No skips only the root.
TEST_F(ApplyPurge, CopiesTheBaseSettingsToEveryOtherCheckedElementAskingForTheVobRoot)
{
    attach(utilC, "__checkout", "old");
    attach(utilC, "__lock", "keep");
    selectBase();
    check({elementPath(utilC), elementPath(mainC), elementPath("src\\gone.c"), vobRoot, elementPath(SandboxSeed::privateFile),
           elementPath(utilH), elementPath(readme)});
    prompter.answers << Prompter::Answer::Yes << Prompter::Answer::No;
    applyAllChecked();

    EXPECT_EQ(messageTitles(), (QStringList{confirmTitle, "Apply to VOB Root"}));
    for (const QString &target : {utilC, utilH, readme})
        expectCopiedTo(target);
    EXPECT_EQ(valueOn(utilC, "__lock"), "keep");
    EXPECT_EQ(valueOn(QString(), "__checkout"), "<absent>");
    EXPECT_EQ(form().statusPanel->text(), "Done");
    EXPECT_FALSE(MainWindow::isShown(form().ProgressBar1));

    check({vobRoot, elementPath(readme)});
    applyAllChecked();
    expectCopiedTo(QString());
}

// In a VOB without the groups type the apply makes it: the targets get the base's groups (none).
TEST_F(ApplyPurge, OnlyTheBaseCheckedAsksNothingAndAddingAnOperationAppliesToTheOthers)
{
    sandbox.store().removeAttributeType(vobTag, "QX_GROUPS", true);
    selectBase(false);
    check({elementPath(mainC)});
    form().applyAllCheckedBut->setEnabled(true);
    clickButton(form().applyAllCheckedBut);
    EXPECT_EQ(prompter.count(), 0);
    EXPECT_EQ(form().statusPanel->text(), "Done");
    EXPECT_EQ(attributesOn(mainC).size(), 2);

    check({elementPath(mainC), elementPath(utilC)});
    openPicker();
    addOperation("lock");
    EXPECT_EQ(messageTitles(), QStringList{confirmTitle});
    EXPECT_EQ(valueOn(utilC, "__lock"), "NONE");
    EXPECT_EQ(valueOn(utilC, "QX_GROUPS"), QString());
}

// A handful of failed targets get one report each, more get one summary naming each; the apply
// goes on and never says "Done".
TEST_F(ApplyPurge, FailedTargetWritesAreReportedAndTheApplyGoesOn)
{
    selectBase();
    check({elementPath(utilC), elementPath(utilH), elementPath(readme)});
    failWritesTo(utilH);
    applyAllChecked();
    EXPECT_EQ(messageTitles().count("Error..."), 1);
    EXPECT_EQ(prompter.last().icon, Prompter::Icon::Information);
    EXPECT_TRUE(prompter.last().text.endsWith("addCCAttrToElem()::"));
    expectCopiedTo(utilC);
    expectCopiedTo(readme);
    EXPECT_EQ(valueOn(utilH, "__checkout"), "<absent>");
    EXPECT_EQ(form().statusPanel->text(), "Finished with 1 failure(s)");

    prompter.clear();
    QStringList many;
    for (int i = 0; i < 7; ++i) {
        many << elementPath(QStringLiteral("src\\gen%1.c").arg(i));
        sandbox.store().addElement(vobTag, QStringLiteral("src/gen%1.c").arg(i), false);
    }
    failWrites([](const QString &version) { return version.contains("gen"); });
    check(many + QStringList{elementPath(utilH)});
    applyAllChecked();
    EXPECT_EQ(messageTitles(), (QStringList{confirmTitle, "Apply failures..."}));
    EXPECT_TRUE(prompter.last().text.startsWith("Access control could not be applied to 7 element(s):\r\n" + many.first() + ": "));
    expectCopiedTo(utilH);
}

TEST_F(ApplyPurge, OtherErrorsStopTheApplyAndKeepWhatWasWritten)
{
    selectBase();
    check({elementPath(utilC), vobRoot, elementPath(readme)});
    prompter.answers.enqueue(Prompter::Answer::Yes);
    prompter.throwOnTitle = "Apply to VOB Root";
    applyAllChecked();
    EXPECT_EQ(prompter.last().title, "Error...");
    EXPECT_TRUE(prompter.last().text.contains("* doApplyAllChecked()"));
    EXPECT_TRUE(prompter.last().text.contains("The message box could not be shown."));
    expectCopiedTo(utilC);
    EXPECT_EQ(valueOn(readme, "__checkout"), "<absent>");
    EXPECT_EQ(form().statusPanel->text(), "Status"); // the busy state was left

    // An unreadable base stops before any target is written.
    prompter.throwOnTitle.clear();
    check({elementPath(utilH), elementPath(readme)});
    const QString base = CCase::versionOf(elementPath(mainC));
    failWhen = [base](const QString &call, const QString &argument) { return call == QLatin1String("attributes") && argument == base; };
    applyAllChecked();
    EXPECT_TRUE(prompter.last().text.contains("* doApplyAllChecked()"));
    EXPECT_EQ(valueOn(utilH, "__checkout"), "<absent>");
    EXPECT_EQ(valueOn(utilH, "QX_GROUPS"), "<absent>");
}

// The purge of the checked elements stops at a path it cannot resolve and leaves the rest; otherwise it
// removes the settings from every one, but not the types or attributes of other tools.
TEST_F(ApplyPurge, PurgeAllCheckedRemovesSettingsButNotTypesOrForeignAttributes)
{
    attach(utilC, "__checkout", "bob");
    selectBase();
    check({elementPath(mainC), elementPath("src\\gone.c"), elementPath(utilC)});
    clickButton(form().deleteAllCheckedBut);
    EXPECT_EQ(prompter.last().title, "Error...");
    EXPECT_TRUE(prompter.last().text.contains("* purgeFromElemBut()"));
    EXPECT_EQ(valueOn(mainC, "__checkout"), "<absent>");
    EXPECT_EQ(valueOn(utilC, "__checkout"), "bob");
    EXPECT_EQ(form().selectedList->count(), 3);
    EXPECT_EQ(form().zanList[0]->count(), 2);
    EXPECT_EQ(clearAllCheckedCalls, 0);

    attach(utilC, "my__foreign", "x");
    attach(utilC, "QX_GROUPS", "dev");
    attach(utilC, "Owner", "kept");
    attach(QString(), "__mktype", "admin");
    selectBase();
    check({elementPath(mainC), elementPath(utilC), vobRoot});
    clickButton(form().deleteAllCheckedBut);
    for (const QString &element : {mainC, utilC, QString()}) {
        for (const AttributeInfo &a : attributesOn(element))
            EXPECT_FALSE(AccessAttributeFormat::isPurgedType(a.typeName)) << a.typeName.toStdString();
    }
    EXPECT_EQ(valueOn(utilC, "Owner"), "kept");
    EXPECT_TRUE(sandbox.store().hasAttributeType(vobTag, "__checkout"));
    for (QListWidget *list : form().zanList)
        EXPECT_EQ(list->count(), 0);
    EXPECT_EQ(form().selectedList->count(), 0);
    EXPECT_EQ(clearAllCheckedCalls, 1);
}

TEST_F(ApplyPurge, PurgeElement)
{
    attach(mainC, "Old__checkout", "x");
    selectBase();
    clickButton(form().purgeFromElemBut);
    EXPECT_TRUE(attributesOn(mainC).isEmpty());
    for (QListWidget *list : form().zanList)
        EXPECT_EQ(list->count(), 0);

    // Nothing listed: nothing asked.
    prompter.clear();
    clickButton(form().purgeFromElemBut);
    EXPECT_EQ(prompter.count(), 0);

    selectBase();
    failWhen = [](const QString &call, const QString &) { return call == QLatin1String("removeAttribute"); };
    clickButton(form().purgeFromElemBut);
    EXPECT_TRUE(prompter.last().text.contains(
        "* purgeFromElemBut()::Unable to access \"" + elementPath(mainC) + "@@/main/0\": simulated failure.::-2147467259"))
        << prompter.last().text.toStdString();
    EXPECT_EQ(form().zanList[0]->count(), 2);
}
