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
        ctx().hooks.clearAllChecked = [this] {
            ++clearAllCheckedCalls;
            form().selectedList->clear();
        };
    }

    // The base: main.c with checkout and checkin set and group dev recorded.
    void selectBase(bool withGroups = true)
    {
        attach(mainC, QStringLiteral("__checkout"), QStringLiteral("bob,ALL"));
        attach(mainC, QStringLiteral("__checkin"), QStringLiteral("NONE"));
        if (withGroups)
            attach(mainC, QStringLiteral("QX_GROUPS"), QStringLiteral("dev"));
        selectElement(mainC);
    }
    void check(const QStringList &paths)
    {
        form().selectedList->clear();
        form().selectedList->addItems(paths);
    }
    QStringList messageTitles() const
    {
        QStringList titles;
        for (const ScriptedPrompter::Record &r : prompter.records)
            titles << r.title;
        return titles;
    }
    void expectCopiedTo(const QString &relative, const QString &groups = QStringLiteral("dev"))
    {
        EXPECT_EQ(valueOn(relative, QStringLiteral("__checkout")), QStringLiteral("bob,ALL")) << relative.toStdString();
        EXPECT_EQ(valueOn(relative, QStringLiteral("__checkin")), QStringLiteral("NONE")) << relative.toStdString();
        EXPECT_EQ(valueOn(relative, QStringLiteral("QX_GROUPS")), groups) << relative.toStdString();
    }

    int clearAllCheckedCalls = 0;
};

TEST_F(ApplyPurge, CopiesTheBaseSettingsToEveryOtherCheckedElement)
{
    attach(utilC, QStringLiteral("__checkout"), QStringLiteral("old"));
    attach(utilC, QStringLiteral("__lock"), QStringLiteral("keep"));
    selectBase();
    check({elementPath(utilC), elementPath(mainC), elementPath(utilH), elementPath(readme)});
    ctx().hooks.doApplyAllChecked();

    EXPECT_EQ(messageTitles(), QStringList{confirmTitle});
    for (const QString &target : {utilC, utilH, readme})
        expectCopiedTo(target);
    EXPECT_EQ(valueOn(utilC, QStringLiteral("__lock")), QStringLiteral("keep")); // the copy never removes
    EXPECT_EQ(form().statusPanel->text(), QStringLiteral("Done"));
    EXPECT_FALSE(MainWindow::isShown(form().ProgressBar1));
}

TEST_F(ApplyPurge, VobRootAskedPerTargetAndNoSkipsOnlyTheRoot)
{
    selectBase();
    check({elementPath(utilC), vobRoot, elementPath(readme)});
    prompter.answers.enqueue(Prompter::Answer::Yes);
    prompter.answers.enqueue(Prompter::Answer::No);
    ctx().hooks.doApplyAllChecked();

    EXPECT_EQ(messageTitles(), (QStringList{confirmTitle, QStringLiteral("Apply to VOB Root")}));
    expectCopiedTo(utilC);
    expectCopiedTo(readme);
    EXPECT_EQ(valueOn(QString(), QStringLiteral("__checkout")), QStringLiteral("<absent>"));

    check({vobRoot, elementPath(readme)});
    ctx().hooks.doApplyAllChecked();
    expectCopiedTo(QString());

    // Paths that are no elements are skipped without a word.
    check({elementPath(QStringLiteral("src\\gone.c")), elementPath(SandboxSeed::privateFile), elementPath(utilH)});
    prompter.clear();
    ctx().hooks.doApplyAllChecked();
    EXPECT_EQ(messageTitles(), QStringList{confirmTitle});
    expectCopiedTo(utilH);
}

TEST_F(ApplyPurge, OnlyTheBaseCheckedAsksNothingAndAddingAnOperationAppliesToTheOthers)
{
    selectBase(false);
    check({elementPath(mainC)});
    form().applyAllCheckedBut->setEnabled(true);
    form().applyAllCheckedBut->click();
    EXPECT_EQ(prompter.count(), 0);
    EXPECT_EQ(form().statusPanel->text(), QStringLiteral("Done"));
    EXPECT_EQ(attributesOn(mainC).size(), 2);

    check({elementPath(mainC), elementPath(utilC)});
    openPicker();
    addOperation(QStringLiteral("lock"));
    EXPECT_EQ(messageTitles(), QStringList{confirmTitle});
    EXPECT_EQ(valueOn(utilC, QStringLiteral("__lock")), QStringLiteral("NONE"));
    EXPECT_EQ(valueOn(utilC, QStringLiteral("QX_GROUPS")), QString());
}

TEST_F(ApplyPurge, FailedTargetWriteIsReportedAndTheApplyGoesOn)
{
    selectBase();
    check({elementPath(utilC), elementPath(utilH), elementPath(readme)});
    const QString failing = CCase::versionOf(elementPath(utilH));
    failWhen = [failing](const QString &call, const QString &argument) {
        return call == QLatin1String("attachAttribute") && argument == failing;
    };
    ctx().hooks.doApplyAllChecked();
    // One report for the failing target, never "Done".
    EXPECT_EQ(messageTitles().count(QStringLiteral("Error...")), 1);
    EXPECT_EQ(prompter.last().icon, Prompter::Icon::Information);
    EXPECT_TRUE(prompter.last().text.endsWith(QStringLiteral("addCCAttrToElem()::")));
    expectCopiedTo(utilC);
    expectCopiedTo(readme);
    EXPECT_EQ(valueOn(utilH, QStringLiteral("__checkout")), QStringLiteral("<absent>"));
    EXPECT_EQ(form().statusPanel->text(), QStringLiteral("Finished with 1 failure(s)"));

    // More than a handful of failures: one summary naming each.
    prompter.clear();
    QStringList many;
    for (int i = 0; i < 7; ++i)
        many << elementPath(QStringLiteral("src\\gen%1.c").arg(i));
    for (const QString &path : many)
        sandbox.store().addElement(vobTag, storePath(path.mid(vobRoot.size() + 1)), false);
    failWhen = [](const QString &call, const QString &argument) {
        return call == QLatin1String("attachAttribute") && argument.contains(QStringLiteral("gen"));
    };
    check(many + QStringList{elementPath(utilH)});
    ctx().hooks.doApplyAllChecked();
    EXPECT_EQ(messageTitles(), (QStringList{confirmTitle,
                                            QStringLiteral("Apply failures...")}));
    EXPECT_TRUE(prompter.last().text.startsWith(QStringLiteral("Access control could not be applied to 7 element(s):\r\n") +
                                                many.first() + QStringLiteral(": ")));
    expectCopiedTo(utilH);
}

TEST_F(ApplyPurge, OtherErrorsStopTheApplyAndKeepWhatWasWritten)
{
    selectBase();
    check({elementPath(utilC), vobRoot, elementPath(readme)});
    prompter.answers.enqueue(Prompter::Answer::Yes);
    prompter.throwOnTitle = QStringLiteral("Apply to VOB Root");
    ctx().hooks.doApplyAllChecked();

    EXPECT_EQ(prompter.last().title, QStringLiteral("Error..."));
    EXPECT_TRUE(prompter.last().text.contains(QStringLiteral("* doApplyAllChecked()")));
    EXPECT_TRUE(prompter.last().text.contains(QStringLiteral("The message box could not be shown.")));
    expectCopiedTo(utilC);
    EXPECT_EQ(valueOn(readme, QStringLiteral("__checkout")), QStringLiteral("<absent>"));
    EXPECT_EQ(form().statusPanel->text(), QStringLiteral("Status")); // the busy state was left

    // An unreadable base stops before any target is written.
    prompter.throwOnTitle.clear();
    check({elementPath(utilH), elementPath(readme)});
    const QString base = CCase::versionOf(elementPath(mainC));
    failWhen = [base](const QString &call, const QString &argument) {
        return call == QLatin1String("attributes") && argument == base;
    };
    ctx().hooks.doApplyAllChecked();
    EXPECT_TRUE(prompter.last().text.contains(QStringLiteral("* doApplyAllChecked()")));
    EXPECT_EQ(valueOn(utilH, QStringLiteral("__checkout")), QStringLiteral("<absent>"));
    EXPECT_EQ(valueOn(utilH, QStringLiteral("QX_GROUPS")), QStringLiteral("<absent>"));
}

TEST_F(ApplyPurge, PurgeAllCheckedRemovesSettingsButNotTypesOrForeignAttributes)
{
    attach(utilC, QStringLiteral("__checkout"), QStringLiteral("bob"));
    attach(utilC, QStringLiteral("my__foreign"), QStringLiteral("x"));
    attach(utilC, QStringLiteral("QX_GROUPS"), QStringLiteral("dev"));
    attach(utilC, QStringLiteral("Owner"), QStringLiteral("kept"));
    attach(QString(), QStringLiteral("__mktype"), QStringLiteral("admin"));
    selectBase();
    check({elementPath(mainC), elementPath(utilC), vobRoot});
    form().deleteAllCheckedBut->setEnabled(true);

    form().deleteAllCheckedBut->click();
    for (const QString &element : {mainC, utilC, QString()}) {
        for (const AttributeInfo &a : attributesOn(element))
            EXPECT_FALSE(AccessAttributeFormat::isPurgedType(a.typeName)) << a.typeName.toStdString();
    }
    EXPECT_EQ(valueOn(utilC, QStringLiteral("Owner")), QStringLiteral("kept"));
    EXPECT_TRUE(sandbox.store().hasAttributeType(vobTag, QStringLiteral("__checkout")));
    for (QListWidget *list : form().zanList)
        EXPECT_EQ(list->count(), 0);
    EXPECT_EQ(form().selectedList->count(), 0);
    EXPECT_EQ(clearAllCheckedCalls, 1);
}

TEST_F(ApplyPurge, PurgeAllStopsAtAnUnresolvablePathAndLeavesTheRest)
{
    attach(utilC, QStringLiteral("__checkout"), QStringLiteral("bob"));
    selectBase();
    check({elementPath(mainC), elementPath(QStringLiteral("src\\gone.c")), elementPath(utilC)});
    form().deleteAllCheckedBut->setEnabled(true);
    form().deleteAllCheckedBut->click();

    EXPECT_EQ(prompter.last().title, QStringLiteral("Error..."));
    EXPECT_TRUE(prompter.last().text.contains(QStringLiteral("* purgeFromElemBut()")));
    EXPECT_EQ(valueOn(mainC, QStringLiteral("__checkout")), QStringLiteral("<absent>"));
    EXPECT_EQ(valueOn(utilC, QStringLiteral("__checkout")), QStringLiteral("bob"));
    EXPECT_EQ(form().selectedList->count(), 3);
    EXPECT_EQ(form().zanList[0]->count(), 2);
    EXPECT_EQ(clearAllCheckedCalls, 0);
}

TEST_F(ApplyPurge, PurgeElement)
{
    attach(mainC, QStringLiteral("Old__checkout"), QStringLiteral("x"));
    selectBase();
    form().purgeFromElemBut->click();
    EXPECT_TRUE(attributesOn(mainC).isEmpty());
    for (QListWidget *list : form().zanList)
        EXPECT_EQ(list->count(), 0);

    // Nothing listed: nothing asked.
    prompter.clear();
    form().purgeFromElemBut->click();
    EXPECT_EQ(prompter.count(), 0);

    selectBase();
    failWhen = [](const QString &call, const QString &) { return call == QLatin1String("removeAttribute"); };
    form().purgeFromElemBut->click();
    const QString expected = QStringLiteral("* purgeFromElemBut()::Unable to access \"m:\\bob_dev\\proj\\src\\main.c@@/main/0\": "
                                            "simulated failure.::-2147467259");
    EXPECT_TRUE(prompter.last().text.contains(expected)) << prompter.last().text.toStdString();
    EXPECT_EQ(form().zanList[0]->count(), 2);
}

// The confirmations keep their words; "Preview…" beside them lists what will change.
TEST_F(ApplyPurge, PreviewBesideTheConfirmationsListsTheChanges)
{
    attach(utilC, QStringLiteral("__checkout"), QStringLiteral("carol"));
    selectBase();
    check({elementPath(utilC), elementPath(readme)});
    prompter.pressPreview = true;
    prompter.answers.enqueue(Prompter::Answer::No);
    form().applyAllCheckedBut->setEnabled(true);
    form().applyAllCheckedBut->click();
    ASSERT_EQ(prompter.previews.size(), 1);
    EXPECT_TRUE(prompter.previews[0].startsWith(elementPath(utilC) + QStringLiteral("\n  checkout: gains bob, ALL; loses carol\n")))
        << prompter.previews[0].toStdString();
    EXPECT_EQ(valueOn(utilC, QStringLiteral("__checkout")), QStringLiteral("carol"));

    prompter.answers.enqueue(Prompter::Answer::Cancel);
    form().deleteAllCheckedBut->setEnabled(true);
    form().deleteAllCheckedBut->click();
    ASSERT_EQ(prompter.previews.size(), 2);
    EXPECT_EQ(prompter.previews[1], elementPath(utilC) + QStringLiteral("\n  checkout: removed (carol)\n") + elementPath(readme) +
                                        QStringLiteral(": no change"));
    EXPECT_EQ(prompter.last().title, QStringLiteral("About to purge..."));
}
