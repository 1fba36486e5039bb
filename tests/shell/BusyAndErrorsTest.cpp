#include "ShellFixture.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

TEST(BusyState, WorkingTextProgressBarAndTimerFollowTheStateAndTheBarWraps)
{
    ShellFixture f;
    f.busy.setBusy(true, QStringLiteral("Loading"));
    EXPECT_EQ(f.form.statusPanel->text(), QStringLiteral("Working...Loading"));
    EXPECT_TRUE(MainWindow::isShown(f.form.ProgressBar1));
    EXPECT_TRUE(f.form.progBarTimer->isActive());
    EXPECT_EQ(f.form.progBarTimer->interval(), 1);
    EXPECT_TRUE(f.platform.hourglass);

    f.busy.tick();
    f.busy.tick();
    EXPECT_EQ(f.form.ProgressBar1->value(), 2);

    f.busy.setBusy(false, QStringLiteral("ignored"));
    EXPECT_EQ(f.form.statusPanel->text(), QStringLiteral("Status"));
    EXPECT_FALSE(MainWindow::isShown(f.form.ProgressBar1));
    EXPECT_FALSE(f.form.progBarTimer->isActive());
    EXPECT_EQ(f.form.progBarTimer->interval(), 0);
    EXPECT_EQ(f.form.ProgressBar1->value(), 0);
    EXPECT_FALSE(f.platform.hourglass);

    // The progress climbs to the maximum and starts again at one.
    f.busy.setBusy(true);
    f.form.ProgressBar1->setValue(99);
    f.busy.tick();
    EXPECT_EQ(f.form.ProgressBar1->value(), 100);
    f.busy.tick();
    EXPECT_EQ(f.form.ProgressBar1->value(), 1);
}

TEST(ErrorReporter, BothFormsLeaveTheBusyState)
{
    ShellFixture f;
    f.busy.setBusy(true);
    f.errors.reportWithSupportLine(ZanError(5, QStringLiteral("views"), QStringLiteral("view not found")),
                                   QStringLiteral("Could not Load all views.  Snapshot views are not supported."));
    EXPECT_FALSE(f.busy.isBusy());
    ASSERT_EQ(f.prompter.count(), 1);
    EXPECT_EQ(f.prompter.last().title, QStringLiteral("ERROR..."));
    EXPECT_EQ(f.prompter.last().icon, Prompter::Icon::Exclamation);
    EXPECT_EQ(f.prompter.last().text,
              QStringLiteral("ERROR::view not found\r\nCould not Load all views.  Snapshot views are not supported.\r\n"
                             "Report Bug to support@korvane.com"));

    // The boxed form too.
    f.busy.setBusy(true);
    f.errors.reportBoxed(ZanError(76, QStringLiteral("tree"), QStringLiteral("Path not found")),
                         QStringLiteral("Error encountered::refreshBut_C()"));
    EXPECT_FALSE(f.busy.isBusy());
    EXPECT_EQ(f.form.statusPanel->text(), QStringLiteral("Status"));
    EXPECT_EQ(f.prompter.last().title, QStringLiteral("Error..."));
    EXPECT_TRUE(f.prompter.last().text.contains(QStringLiteral("\r\n* Error encountered::refreshBut_C()\r\n")));
}

TEST(DetailWindow, ShowsOnlyTheLastTextAndReopensAfterClosing)
{
    ShellFixture f;
    f.detail.setTitle(QStringLiteral("Config spec for view: bob_dev"));
    EXPECT_EQ(f.detail.windowTitle(), QStringLiteral("Detail: Config spec for view: bob_dev"));
    f.detail.setDetail(QStringLiteral("first"));
    f.detail.setDetail(QStringLiteral("second"));
    EXPECT_EQ(f.detail.mainTxt->toPlainText(), QStringLiteral("second"));
    EXPECT_TRUE(MainWindow::isShown(&f.detail));

    f.detail.closeImage->click();
    EXPECT_FALSE(MainWindow::isShown(&f.detail));
    f.detail.setDetail(QStringLiteral("third"));
    EXPECT_TRUE(MainWindow::isShown(&f.detail));
    EXPECT_EQ(f.detail.mainTxt->toPlainText(), QStringLiteral("third"));
}
