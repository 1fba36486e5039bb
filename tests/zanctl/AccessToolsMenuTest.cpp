// The Tools menu of the main window: the same verdict and reasons as zanctl explain, and
// the audit of the selected VOB written as an HTML page and opened.
#include "access/AccessToolsController.h"
#include "support/AppFixture.h"
#include "support/MouseClicks.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

// Opens Tools with a click on the menu bar, moves to the item with the arrow key and presses
// Enter, as a user does.
class AccessToolsMenu : public AppFixture
{
protected:
    void choose(QAction *item) { chooseMenuItem(form().menuBar(), form().tools, item); }
};

TEST_F(AccessToolsMenu, ExplainAccessAsksAndShowsTheVerdictWithItsReasons)
{
    const QString mainC = vobRoot + QStringLiteral("\\src\\main.c");
    attach(QStringLiteral("src\\main.c"), QStringLiteral("__checkout"), QStringLiteral("bob"));
    prompter.inputs << QStringLiteral("eve") << QStringLiteral("checkout") << mainC;
    choose(form().explainAccess);
    ASSERT_EQ(prompter.last().title, AccessToolsController::explainTitle);
    const QString shown = prompter.last().text;
    EXPECT_TRUE(shown.startsWith(QStringLiteral("allow\r\n"))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("__checkout on %1@@\\main\\0 = \"bob\": eve is not listed (allowed: bob)").arg(mainC)));
    EXPECT_TRUE(shown.contains(QStringLiteral("by the settings: deny\r\nnot enforced: the security triggers are not installed")));

    prompter.clear();
    prompter.inputs << QStringLiteral("eve"); // then cancelled
    choose(form().explainAccess);
    EXPECT_EQ(prompter.count(), 2) << "asked for the operation, nothing shown";
}

TEST_F(AccessToolsMenu, AuditReportWritesTheSelectedVobsPageAndOpensIt)
{
    choose(form().auditReport);
    expectLastMessage(QStringLiteral("Select a VOB in the tree first: the report covers the selected VOB."),
                      AccessToolsController::auditTitle, Prompter::Icon::Exclamation);

    selectVob(vobTag, vobRoot);
    const QString page = QDir(settingsDir.path()).filePath(QStringLiteral("proj.html"));
    prompter.inputs << page;
    choose(form().auditReport);
    EXPECT_EQ(platform.openedDocuments, QStringList{page});
    expectLastMessage(QStringLiteral("The audit report was written to ") + QDir::toNativeSeparators(page), AccessToolsController::auditTitle,
                      Prompter::Icon::Information);
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("<!DOCTYPE html>"));
}
