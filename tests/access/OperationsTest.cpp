#include "AccessFixture.h"

#include "access/OperationsCatalogue.h"

#include <QLocale>
#include <QPlainTextEdit>
#include <QTest>
#include <functional>

namespace {
const QString mainC = SandboxSeed::mainC;
const QString utilC = SandboxSeed::utilC;
}

class Operations : public AccessFixture
{
protected:
    void pick(const QString &operation)
    {
        clickText(form().zanSubList, operation);
    }
    bool stopShown() { return MainWindow::isShown(form().stopImage); }
};

TEST_F(Operations, StopMessageOnlyForPrivilegedOperationsAwayFromTheVobRoot)
{
    selectElement(mainC);
    openPicker();
    ASSERT_TRUE(MainWindow::isShown(form().zanSubList));
    EXPECT_FALSE(stopShown()); // "checkout" is selected first
    pick("chevent");
    EXPECT_TRUE(stopShown() && MainWindow::isShown(form().stopMsgTxt));
    EXPECT_EQ(form().stopMsgTxt->toPlainText(), "Operation \"chevent\" can only be applied \nto the VOB root (VOB folder).  Select the  \n"
                                                "VOB root.  This applies to the entire VOB, \nnot per element.");
    EXPECT_EQ(form().stopMsgTxt->size(), QSize(201, 67));
    EXPECT_EQ(form().stopImage->toolTip(),
              "This operation can only be applied at the VOB root.  Select the VOB root and select this operation.");
    // Refused while the stop message shows.
    emit form().zanSubList->itemDoubleClicked(form().zanSubList->currentItem());
    EXPECT_EQ(valueOn(mainC, "__chevent"), "<absent>");
    pick("chtype");
    EXPECT_FALSE(stopShown() || MainWindow::isShown(form().stopMsgTxt));

    selectElement(QString());
    openPicker(); // a second click hides it
    openPicker();
    pick("chevent");
    EXPECT_FALSE(stopShown());

    // A privileged first entry stops at once; any panel button hides the stop again.
    selectElement(mainC);
    state().setPrivilegedList("checkout");
    openPicker();
    openPicker();
    EXPECT_TRUE(stopShown());
    clickButton(form().zanBut[3]);
    EXPECT_FALSE(stopShown());
}

TEST_F(Operations, PickerOffersUcmOperationsOnlyWhileTheIndicatorShowsAndNothingAlreadySet)
{
    selectElement(mainC);
    for (bool ucm : {false, true}) {
        state().setUcmVob(ucm);
        openPicker();
        EXPECT_EQ(entries(form().zanSubList), OperationsCatalogue::offeredFor({}, ucm));
        openPicker();
    }

    attach(mainC, "__checkout", "NONE");
    attach(mainC, "__lock", "NONE");
    selectElement(mainC);
    state().setUcmVob(false);
    openPicker();
    EXPECT_EQ(entries(form().zanSubList), OperationsCatalogue::offeredFor({"checkout", "lock"}, false));
    // The selected first entry was removed: no selection is left behind, and Enter adds nothing.
    EXPECT_EQ(form().zanSubList->currentRow(), -1);
    pressKey(form().zanSubList);
    EXPECT_EQ(entries(form().zanList[0]), (QStringList{"checkout", "lock"}));
    EXPECT_FALSE(sandbox.store().hasAttributeType(vobTag, "__"));
}

TEST_F(Operations, AddingAnOperationCreatesTheTypeAndAttachesNone)
{
    const auto comment = [](const QDate &day) {
        return AccessAttributeFormat::typeComment(QLocale().toString(day, QLocale::ShortFormat));
    };
    selectElement(mainC);
    openPicker();
    const QDate before = QDate::currentDate();
    addOperation("checkout");
    const QDate after = QDate::currentDate();

    EXPECT_FALSE(MainWindow::isShown(form().zanSubList));
    EXPECT_EQ(valueOn(mainC, "__checkout"), "NONE");
    for (const SandboxAttributeType &type : sandbox.store().attributeTypes(vobTag)) {
        if (type.name == "__checkout") {
            EXPECT_TRUE(type.comment == comment(before) || type.comment == comment(after)) << type.comment.toStdString();
        }
    }
    EXPECT_EQ(entries(form().zanList[0]), QStringList{"checkout"});
    EXPECT_EQ(form().zanList[0]->currentRow(), 0);
    EXPECT_EQ(form().userGroupLbl->text(), "User(s) with \"checkout\" privilege");
    EXPECT_EQ(form().zanList[1]->count(), 0);
    EXPECT_EQ(entries(form().selectUserCombo), (QStringList{"<select_or_enter_user>", "ALL"}));
    EXPECT_EQ(form().statusPanel->text(), "Done"); // the apply at the end ran

    // Once more: nothing changes, nothing is listed twice.
    typeUser("bob");
    openPicker();
    form().zanSubList->addItem("checkout"); // as if still offered
    addOperation("checkout");
    EXPECT_EQ(valueOn(mainC, "__checkout"), "bob");
    EXPECT_EQ(entries(form().zanList[0]), QStringList{"checkout"});

    // A second element of the VOB reuses the type.
    selectElement(utilC);
    openPicker();
    addOperation("checkout");
    EXPECT_EQ(valueOn(utilC, "__checkout"), "NONE");
    EXPECT_TRUE(prompter.records.isEmpty()) << prompter.texts().join('|').toStdString();
}

// Real clicks and keys on the operations list: each new selection loads that operation's users
// (the chooser only grows), and an edit afterwards writes the operation the administrator sees.
TEST_F(Operations, MouseAndKeysSelectTheOperationThatIsThenEdited)
{
    attach(mainC, "__checkin", "a,,b");
    attach(mainC, "__checkout", "bob,ALL");
    attach(mainC, "__mkbranch", "NONE,x,X");
    attach(mainC, "__lock", "NONE");
    attach(mainC, "QX_GROUPS", "dev,qa");
    selectElement(mainC);
    EXPECT_EQ(entries(form().zanList[2]), (QStringList{"dev", "qa"}));
    QListWidget *list = form().zanList[0];
    const struct {
        std::function<void()> input;
        QString operation;
        QString users;
    } steps[] = {
        {[&] {}, "checkin", "a,,b"},
        {[&] { clickText(list, "mkbranch"); }, "mkbranch", "x"},
        {[&] { clickText(list, "checkout"); }, "checkout", "bob,ALL"},
        {[&] { QTest::keyClick(list, Qt::Key_End); }, "lock", ""},
        {[&] { QTest::keyClick(list, Qt::Key_Up); }, "mkbranch", "x"},
        {[&] { QTest::keyClick(list, Qt::Key_Home); }, "checkin", "a,,b"},
        {[&] { QTest::keyClick(list, Qt::Key_Down); }, "checkout", "bob,ALL"},
    };
    for (const auto &step : steps) {
        step.input();
        SCOPED_TRACE(step.operation.toStdString());
        EXPECT_EQ(form().userGroupLbl->text(), QStringLiteral("User(s) with \"%1\" privilege").arg(step.operation));
        EXPECT_EQ(entries(form().zanList[1]).join(','), step.users);
    }
    EXPECT_EQ(entries(form().selectUserCombo), (QStringList{"<select_or_enter_user>", "ALL", "a", "", "b", "x", "bob"}));
    typeUser("carol");
    EXPECT_EQ(valueOn(mainC, "__checkout"), "bob,ALL,carol");
    EXPECT_EQ(valueOn(mainC, "__"), "<absent>");
    EXPECT_TRUE(prompter.records.isEmpty()) << prompter.texts().join('|').toStdString();
}

TEST_F(Operations, DeletingAnOperationLeavesTheGroupsAlone)
{
    attach(mainC, "__checkout", "bob");
    attach(mainC, "__checkin", "eve");
    attach(mainC, "QX_GROUPS", "dev");
    selectElement(mainC);
    selectOperation("checkout");
    clickButton(form().zanBut[1]);
    EXPECT_EQ(valueOn(mainC, "__checkout"), "<absent>");
    EXPECT_EQ(valueOn(mainC, "__checkin"), "eve");
    EXPECT_EQ(valueOn(mainC, "QX_GROUPS"), "dev");
    EXPECT_EQ(entries(form().zanList[0]), QStringList{"checkin"});
    EXPECT_EQ(form().zanList[0]->currentRow(), -1);
    EXPECT_EQ(entries(form().zanList[2]), QStringList{"dev"});

    // One that is already gone from the VOB is reported and stays listed.
    selectOperation("checkin");
    sandbox.store().removeAttribute(vobTag, "src/main.c", "__checkin");
    clickButton(form().zanBut[1]);
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.last().title, "Error...");
    EXPECT_TRUE(prompter.last().text.contains("* deleteOperation()"));
    EXPECT_EQ(entries(form().zanList[0]), QStringList{"checkin"});
}

// A privileged operation copied onto an element by an apply: the window shows and edits the
// VOB root's value, never the element's stale copy.
TEST_F(Operations, PrivilegedOperationShowsAndEditsTheEnforcedValue)
{
    attach(QString(), "__mktype", "bob,carol");
    attach(mainC, "__mktype", "bob");
    selectElement(mainC);
    EXPECT_EQ(entries(form().zanList[1]), (QStringList{"bob", "carol"}));
    typeUser("eve");
    EXPECT_EQ(valueOn(QString(), "__mktype"), "bob,carol,eve");
    EXPECT_EQ(valueOn(mainC, "__mktype"), "bob");
}
