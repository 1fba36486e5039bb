// The main access-control flows once more with the cleartool backend driving the emulator
// through its co-process (every other access test runs on the sandbox directly).
#include "AccessFixture.h"

#include <QPushButton>

namespace {
const QString mainC = SandboxSeed::mainC;
const QString utilC = SandboxSeed::utilC;
}

class BackendFlows : public AccessFixture
{
protected:
    BackendFlows() { overCleartool = true; }
};

TEST_F(BackendFlows, OperationsUsersGroupsApplyAndPurgeOverCleartool)
{
    EXPECT_TRUE(ctx().ccase.clearCase().description().startsWith(QStringLiteral("cleartool ")));
    ctx().registry.saveToReg(QStringLiteral("QXGROUPS"), QStringLiteral("g"));
    ctx().registry.saveToReg(QStringLiteral("g"), QStringLiteral("a,b"));

    selectElement(mainC);
    openPicker();
    addOperation(QStringLiteral("checkout"));
    EXPECT_EQ(valueOn(mainC, QStringLiteral("__checkout")), QStringLiteral("NONE"));
    openPicker();
    form().zanSubList->addItem(QStringLiteral("checkout"));
    addOperation(QStringLiteral("checkout"));
    EXPECT_EQ(entries(form().zanList[0]), QStringList{QStringLiteral("checkout")});

    typeUser(QStringLiteral("bob"));
    typeUser(QStringLiteral("ALL"));
    EXPECT_EQ(valueOn(mainC, QStringLiteral("__checkout")), QStringLiteral("bob,ALL"));
    form().zanList[1]->selectAll();
    form().zanBut[3]->click();
    EXPECT_EQ(valueOn(mainC, QStringLiteral("__checkout")), QStringLiteral("NONE"));

    typeUser(QStringLiteral("b"));
    typeUser(QStringLiteral("c"));
    form().zanBut[5]->click();
    form().selectGroupCombo->setCurrentIndex(1);
    emit form().selectGroupCombo->activated(1);
    EXPECT_EQ(valueOn(mainC, QStringLiteral("__checkout")), QStringLiteral("b,c,a"));
    EXPECT_EQ(valueOn(mainC, QStringLiteral("QX_GROUPS")), QStringLiteral("g"));

    openPicker();
    addOperation(QStringLiteral("checkin"));
    selectOperation(QStringLiteral("checkin"));
    form().zanBut[1]->click();
    EXPECT_EQ(valueOn(mainC, QStringLiteral("__checkin")), QStringLiteral("<absent>"));
    EXPECT_EQ(valueOn(mainC, QStringLiteral("QX_GROUPS")), QStringLiteral("g"));

    form().selectedList->addItems({elementPath(mainC), elementPath(utilC)});
    form().applyAllCheckedBut->setEnabled(true);
    form().applyAllCheckedBut->click();
    EXPECT_EQ(valueOn(utilC, QStringLiteral("__checkout")), QStringLiteral("b,c,a"));
    EXPECT_EQ(valueOn(utilC, QStringLiteral("QX_GROUPS")), QStringLiteral("g"));

    form().deleteAllCheckedBut->setEnabled(true);
    form().deleteAllCheckedBut->click();
    EXPECT_EQ(valueOn(utilC, QStringLiteral("__checkout")), QStringLiteral("<absent>"));
    EXPECT_EQ(valueOn(mainC, QStringLiteral("QX_GROUPS")), QStringLiteral("<absent>"));

    selectElement(QString());
    openPicker();
    addOperation(QStringLiteral("mktype"));
    EXPECT_EQ(valueOn(QString(), QStringLiteral("__mktype")), QStringLiteral("NONE"));

    // Only the apply and purge questions were asked; no backend reported an error.
    EXPECT_EQ(prompter.count(), 2) << prompter.texts().join(QLatin1Char('|')).toStdString();
}
