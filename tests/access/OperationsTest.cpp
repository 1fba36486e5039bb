#include "AccessFixture.h"

#include "access/OperationsCatalogue.h"
#include "util/TextRoutines.h"

#include <QLocale>
#include <QPlainTextEdit>
#include <QTest>
#include <functional>

namespace {
const QString mainC = SandboxSeed::mainC;
const QString utilC = SandboxSeed::utilC;
}

using Operations = AccessFixture;

TEST_F(Operations, StopMessageOnlyForPrivilegedOperationsAwayFromTheVobRoot)
{
    selectElement(mainC);
    openPicker();
    ASSERT_TRUE(MainWindow::isShown(form().zanSubList));
    EXPECT_FALSE(MainWindow::isShown(form().stopImage)); // "checkout" is selected first

    QListWidget *picker = form().zanSubList;
    picker->setCurrentItem(picker->findItems(QStringLiteral("chevent"), Qt::MatchExactly).first());
    EXPECT_TRUE(MainWindow::isShown(form().stopImage));
    EXPECT_TRUE(MainWindow::isShown(form().stopMsgTxt));
    EXPECT_EQ(form().stopMsgTxt->toPlainText(),
              QStringLiteral("Operation \"chevent\" can only be applied \nto the VOB root (VOB folder).  Select the  \n"
                             "VOB root.  This applies to the entire VOB, \nnot per element."));
    EXPECT_EQ(form().stopMsgTxt->size(), QSize(201, 67));
    EXPECT_EQ(form().stopImage->toolTip(),
              QStringLiteral("This operation can only be applied at the VOB root.  Select the VOB root and select this operation."));

    // Refused while the stop message shows.
    emit picker->itemDoubleClicked(picker->currentItem());
    EXPECT_EQ(valueOn(mainC, QStringLiteral("__chevent")), QStringLiteral("<absent>"));

    picker->setCurrentItem(picker->findItems(QStringLiteral("chtype"), Qt::MatchExactly).first());
    EXPECT_FALSE(MainWindow::isShown(form().stopImage));
    EXPECT_FALSE(MainWindow::isShown(form().stopMsgTxt));

    selectElement(QString());
    openPicker(); // a second click hides it
    openPicker();
    picker->setCurrentItem(picker->findItems(QStringLiteral("chevent"), Qt::MatchExactly).first());
    EXPECT_FALSE(MainWindow::isShown(form().stopImage));

    // A privileged first entry stops at once; any panel button hides the stop again.
    selectElement(mainC);
    privileged = QStringLiteral("checkout");
    openPicker();
    openPicker();
    EXPECT_TRUE(MainWindow::isShown(form().stopImage));
    form().zanBut[3]->click();
    EXPECT_FALSE(MainWindow::isShown(form().stopImage));
}

TEST_F(Operations, UcmOperationsOnlyWhileTheIndicatorShows)
{
    selectElement(mainC);
    openPicker();
    QStringList offered = entries(form().zanSubList);
    EXPECT_EQ(offered.size(), 24);
    EXPECT_FALSE(offered.contains(QStringLiteral("deliver_start")));

    openPicker();
    form().ucmVobImage->show();
    openPicker();
    offered = entries(form().zanSubList);
    EXPECT_EQ(offered.size(), 24 + 23);
    for (const QString &ucm : TextRoutines::commaSplit(OperationsCatalogue::ucmOperations()))
        EXPECT_TRUE(offered.contains(ucm)) << ucm.toStdString();
}

TEST_F(Operations, PickerLeavesOutOperationsAlreadySet)
{
    attach(mainC, QStringLiteral("__checkout"), QStringLiteral("NONE"));
    attach(mainC, QStringLiteral("__lock"), QStringLiteral("NONE"));
    selectElement(mainC);
    openPicker();
    const QStringList offered = entries(form().zanSubList);
    EXPECT_FALSE(offered.contains(QStringLiteral("checkout")));
    EXPECT_FALSE(offered.contains(QStringLiteral("lock")));
    EXPECT_EQ(offered.size(), 22);
    // The selected first entry was removed: no selection is left behind.
    EXPECT_EQ(form().zanSubList->currentRow(), -1);

    // Enter with nothing picked adds nothing.
    pressKey(form().zanSubList);
    EXPECT_EQ(entries(form().zanList[0]), (QStringList{QStringLiteral("checkout"), QStringLiteral("lock")}));
    EXPECT_FALSE(sandbox.store().hasAttributeType(vobTag, QStringLiteral("__")));
}

TEST_F(Operations, AddingAnOperationCreatesTheTypeAndAttachesNone)
{
    selectElement(mainC);
    openPicker();
    const QString before = QLocale().toString(QDate::currentDate(), QLocale::ShortFormat);
    addOperation(QStringLiteral("checkout"));
    const QString after = QLocale().toString(QDate::currentDate(), QLocale::ShortFormat);

    EXPECT_FALSE(MainWindow::isShown(form().zanSubList));
    EXPECT_EQ(valueOn(mainC, QStringLiteral("__checkout")), QStringLiteral("NONE"));
    QString comment;
    for (const SandboxAttributeType &type : sandbox.store().attributeTypes(vobTag)) {
        if (type.name == QStringLiteral("__checkout"))
            comment = type.comment;
    }
    EXPECT_TRUE(comment == AccessAttributeFormat::typeComment(before) || comment == AccessAttributeFormat::typeComment(after))
        << comment.toStdString();
    EXPECT_EQ(entries(form().zanList[0]), QStringList{QStringLiteral("checkout")});
    EXPECT_EQ(form().zanList[0]->currentRow(), 0);
    EXPECT_EQ(form().userGroupLbl->text(), QStringLiteral("User(s) with \"checkout\" privilege"));
    EXPECT_EQ(form().zanList[1]->count(), 0);
    EXPECT_EQ(entries(form().selectUserCombo), (QStringList{QStringLiteral("<select_or_enter_user>"), QStringLiteral("ALL")}));
    EXPECT_EQ(form().statusPanel->text(), QStringLiteral("Done")); // the apply at the end ran

    // Once more: nothing changes, nothing is listed twice.
    typeUser(QStringLiteral("bob"));
    openPicker();
    form().zanSubList->addItem(QStringLiteral("checkout")); // as if still offered
    addOperation(QStringLiteral("checkout"));
    EXPECT_EQ(valueOn(mainC, QStringLiteral("__checkout")), QStringLiteral("bob"));
    EXPECT_EQ(entries(form().zanList[0]), QStringList{QStringLiteral("checkout")});

    // A second element of the VOB reuses the type.
    selectElement(utilC);
    openPicker();
    addOperation(QStringLiteral("checkout"));
    EXPECT_EQ(valueOn(utilC, QStringLiteral("__checkout")), QStringLiteral("NONE"));
    EXPECT_TRUE(prompter.records.isEmpty()) << prompter.texts().join(QLatin1Char('|')).toStdString();
}

TEST_F(Operations, SelectingAnOperationLoadsItsUsersAndTheElementsGroups)
{
    attach(mainC, QStringLiteral("__checkin"), QStringLiteral("a,,b"));
    attach(mainC, QStringLiteral("__checkout"), QStringLiteral("NONE,x,X"));
    attach(mainC, QStringLiteral("QX_GROUPS"), QStringLiteral("dev,qa"));
    selectElement(mainC);
    ASSERT_EQ(entries(form().zanList[0]), (QStringList{QStringLiteral("checkin"), QStringLiteral("checkout")}));
    EXPECT_EQ(entries(form().zanList[1]), (QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")}));
    EXPECT_EQ(entries(form().zanList[2]), (QStringList{QStringLiteral("dev"), QStringLiteral("qa")}));

    form().zanList[0]->setCurrentRow(1);
    EXPECT_EQ(form().userGroupLbl->text(), QStringLiteral("User(s) with \"checkout\" privilege"));
    EXPECT_EQ(entries(form().zanList[1]), QStringList{QStringLiteral("x")});
    // The user chooser only grows.
    EXPECT_EQ(entries(form().selectUserCombo), (QStringList{QStringLiteral("<select_or_enter_user>"), QStringLiteral("ALL"),
                                                            QStringLiteral("a"), QString(), QStringLiteral("b"),
                                                            QStringLiteral("x")}));
}

TEST_F(Operations, DeletingAnOperationLeavesTheGroupsAlone)
{
    attach(mainC, QStringLiteral("__checkout"), QStringLiteral("bob"));
    attach(mainC, QStringLiteral("__checkin"), QStringLiteral("eve"));
    attach(mainC, QStringLiteral("QX_GROUPS"), QStringLiteral("dev"));
    selectElement(mainC);
    selectOperation(QStringLiteral("checkout"));
    form().zanBut[1]->click();

    EXPECT_EQ(valueOn(mainC, QStringLiteral("__checkout")), QStringLiteral("<absent>"));
    EXPECT_EQ(valueOn(mainC, QStringLiteral("__checkin")), QStringLiteral("eve"));
    EXPECT_EQ(valueOn(mainC, QStringLiteral("QX_GROUPS")), QStringLiteral("dev"));
    EXPECT_EQ(entries(form().zanList[0]), QStringList{QStringLiteral("checkin")});
    EXPECT_EQ(form().zanList[0]->currentRow(), -1);
    EXPECT_EQ(form().zanList[1]->count(), 0);
    EXPECT_EQ(entries(form().zanList[2]), QStringList{QStringLiteral("dev")});

    // One that is already gone from the VOB is reported and stays listed.
    selectOperation(QStringLiteral("checkin"));
    sandbox.store().removeAttribute(vobTag, QStringLiteral("src/main.c"), QStringLiteral("__checkin"));
    form().zanBut[1]->click();
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.last().title, QStringLiteral("Error..."));
    EXPECT_TRUE(prompter.last().text.contains(QStringLiteral("* deleteOperation()")));
    EXPECT_EQ(entries(form().zanList[0]), QStringList{QStringLiteral("checkin")});
}

// Real clicks and keys on the operations list: each new selection loads that operation, and
// an edit afterwards writes the operation the administrator sees.
TEST_F(Operations, MouseAndKeysSelectTheOperationThatIsThenEdited)
{
    attach(mainC, QStringLiteral("__checkout"), QStringLiteral("bob,ALL"));
    attach(mainC, QStringLiteral("__mkbranch"), QStringLiteral("carol"));
    attach(mainC, QStringLiteral("__lock"), QStringLiteral("NONE"));
    selectElement(mainC);
    QListWidget *list = form().zanList[0];
    const auto click = [list](const QString &operation) {
        const QRect rect = list->visualItemRect(list->findItems(operation, Qt::MatchExactly).first());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    };
    const QString bobAll = QStringLiteral("bob,ALL");
    struct Step {
        std::function<void()> input;
        QString operation;
        QString users;
    };
    const QList<Step> steps{
        {[&] { click(QStringLiteral("mkbranch")); }, QStringLiteral("mkbranch"), QStringLiteral("carol")},
        {[&] { click(QStringLiteral("checkout")); }, QStringLiteral("checkout"), bobAll},
        {[&] { QTest::keyClick(list, Qt::Key_End); }, QStringLiteral("lock"), QString()},
        {[&] { QTest::keyClick(list, Qt::Key_Up); }, QStringLiteral("mkbranch"), QStringLiteral("carol")},
        {[&] { QTest::keyClick(list, Qt::Key_Home); }, QStringLiteral("checkout"), bobAll},
        {[&] { QTest::keyClick(list, Qt::Key_Down); }, QStringLiteral("mkbranch"), QStringLiteral("carol")},
        {[&] { click(QStringLiteral("checkout")); }, QStringLiteral("checkout"), bobAll},
    };
    for (const Step &step : steps) {
        step.input();
        EXPECT_EQ(form().userGroupLbl->text(), QStringLiteral("User(s) with \"%1\" privilege").arg(step.operation));
        EXPECT_EQ(entries(form().zanList[1]).join(QLatin1Char(',')), step.users) << step.operation.toStdString();
    }
    typeUser(QStringLiteral("carol"));
    EXPECT_EQ(valueOn(mainC, QStringLiteral("__checkout")), QStringLiteral("bob,ALL,carol"));
    EXPECT_EQ(valueOn(QStringLiteral("src\\main.c"), QStringLiteral("__")), QStringLiteral("<absent>"));
    EXPECT_TRUE(prompter.records.isEmpty()) << prompter.texts().join(QLatin1Char('|')).toStdString();
}

// A privileged operation copied onto an element by an apply: the window shows and edits the
// VOB root's value, never the element's stale copy.
TEST_F(Operations, PrivilegedOperationShowsAndEditsTheEnforcedValue)
{
    attach(QString(), QStringLiteral("__mktype"), QStringLiteral("bob,carol"));
    attach(mainC, QStringLiteral("__mktype"), QStringLiteral("bob"));
    selectElement(mainC);
    EXPECT_EQ(entries(form().zanList[1]), (QStringList{QStringLiteral("bob"), QStringLiteral("carol")}));
    typeUser(QStringLiteral("eve"));
    EXPECT_EQ(valueOn(QString(), QStringLiteral("__mktype")), QStringLiteral("bob,carol,eve"));
    EXPECT_EQ(valueOn(mainC, QStringLiteral("__mktype")), QStringLiteral("bob"));
}
