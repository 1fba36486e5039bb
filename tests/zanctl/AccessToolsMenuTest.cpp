// The Tools menu of the main window: the same verdict and reasons as zanctl explain, and
// the audit of the selected VOB written as an HTML page and opened.
#include "access/AccessToolsController.h"
#include "support/AppFixture.h"

#include <QAction>
#include <QFile>

using AccessToolsMenu = AppFixture;

TEST_F(AccessToolsMenu, ExplainAccessAsksAndShowsTheVerdictWithItsReasons)
{
    const QString mainC = vobRoot + QStringLiteral("\\src\\main.c");
    attach(QStringLiteral("src\\main.c"), QStringLiteral("__checkout"), QStringLiteral("bob"));
    prompter.inputs << QStringLiteral("eve") << QStringLiteral("checkout") << mainC;
    form().explainAccess->trigger();
    ASSERT_EQ(prompter.last().title, AccessToolsController::explainTitle);
    const QString shown = prompter.last().text;
    EXPECT_TRUE(shown.startsWith(QStringLiteral("allow\r\n"))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("__checkout on %1@@/main/0 = \"bob\": eve is not listed (allowed: bob)").arg(mainC)));
    EXPECT_TRUE(shown.contains(QStringLiteral("by the settings: deny\r\nnot enforced: the security triggers are not installed")));

    prompter.clear();
    prompter.inputs << QStringLiteral("eve"); // then cancelled
    form().explainAccess->trigger();
    EXPECT_EQ(prompter.count(), 2) << "asked for the operation, nothing shown";
}

TEST_F(AccessToolsMenu, AuditReportWritesTheSelectedVobsPageAndOpensIt)
{
    form().auditReport->trigger();
    expectLastMessage(QStringLiteral("Select a VOB in the tree first: the report covers the selected VOB."),
                      AccessToolsController::auditTitle, Prompter::Icon::Exclamation);

    selectVob(vobTag, vobRoot);
    const QString page = QDir(settingsDir.path()).filePath(QStringLiteral("proj.html"));
    prompter.inputs << page;
    form().auditReport->trigger();
    EXPECT_EQ(platform.openedDocuments, QStringList{page});
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("<!DOCTYPE html>"));
}
