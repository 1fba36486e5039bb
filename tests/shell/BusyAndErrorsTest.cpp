#include "ShellFixture.h"
#include "support/MouseClicks.h"
#include "shell/SettingsController.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTimer>
#include <QToolButton>

TEST(BusyState, WorkingTextProgressBarAndTimerFollowTheStateAndTheBarWraps)
{
    ShellFixture f;
    f.busy.setBusy(true, "Loading");
    EXPECT_EQ(f.form.statusPanel->text(), "Working...Loading");
    EXPECT_TRUE(MainWindow::isShown(f.form.ProgressBar1) && f.form.progBarTimer->isActive() && f.platform.hourglass);
    f.busy.tick();
    f.busy.tick();
    EXPECT_EQ(f.form.ProgressBar1->value(), 2);

    f.busy.setBusy(false, "ignored");
    EXPECT_EQ(f.form.statusPanel->text(), "Status");
    EXPECT_FALSE(MainWindow::isShown(f.form.ProgressBar1) || f.form.progBarTimer->isActive() || f.platform.hourglass);
    EXPECT_EQ(f.form.ProgressBar1->value(), 0);

    // The progress climbs to the maximum and starts again at one.
    f.busy.setBusy(true);
    f.form.ProgressBar1->setValue(99);
    f.busy.tick();
    EXPECT_EQ(f.form.ProgressBar1->value(), 100);
    f.busy.tick();
    EXPECT_EQ(f.form.ProgressBar1->value(), 1);
}

// Every report leaves the busy state; what failed keeps its empty result.
TEST(ShellMessages, EachFailureIsReportedInItsOwnWords)
{
    ShellFixture f;
    const auto E = Prompter::Icon::Exclamation, C = Prompter::Icon::Critical;
    const auto Ok = Prompter::Buttons::Ok;
    std::vector<MessageCase> cases{
        {"a handler fails with its own line", [&] {
             f.errors.reportWithSupportLine(ZanError(5, "views", "view not found"),
                                            "Could not Load all views.  Snapshot views are not supported.");
         }, "ERROR::view not found\r\nCould not Load all views.  Snapshot views are not supported.\r\nReport Bug to support@korvane.com",
         "ERROR...", E},
        {"a handler fails boxed", [&] { f.errors.reportBoxed(ZanError(76, "tree", "Path not found"), "Error encountered::refreshBut_C()"); },
         "* Error encountered::refreshBut_C()", "Error...", C, Ok, true},
        {"the store cannot be read", [&] {
             ASSERT_TRUE(QDir().mkpath(f.store.filePath()));
             EXPECT_EQ(f.registry.readFromReg("NUSERS"), QString());
             EXPECT_TRUE(f.prompter.last().text.contains(QDir::toNativeSeparators(f.store.filePath())));
         }, "* Error encountered!", "Error...", C, Ok, true},
        {"the store cannot be written", [&] { f.registry.saveToReg("NUSERS", "1"); }, "* Error encountered!", "Error...", C, Ok, true},
        {"the stored settings are damaged", [&] {
             QDir(f.store.filePath()).removeRecursively();
             QFile file(f.store.filePath());
             ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("\x01\x02 not a settings store") > 0);
             file.close();
             f.settings.processRegistrySettings(true, false);
             EXPECT_TRUE(f.prompter.last().text.contains(".corrupt-"));
             EXPECT_EQ(f.state.privilegedList(), SettingsController::defaultPrivOperations);
         }, "* Error encountered::processSecuritySettings()", "Error...", C, Ok, true},
    };
    for (MessageCase &c : cases)
        c.run = [&f, run = c.run] {
            f.busy.setBusy(true, "test");
            run();
            EXPECT_FALSE(f.busy.isBusy());
        };
    expectMessages(f.prompter, cases);

    // Deleting keys ignores store errors.
    QFile::remove(f.store.filePath());
    ASSERT_TRUE(QDir().mkpath(f.store.filePath()));
    f.registry.DeleteFromReg("NUSERS");
    f.registry.delFromReg(QVariant(QStringLiteral("NUSERS")));
    EXPECT_EQ(f.prompter.count(), int(cases.size()));
}

TEST(DetailWindow, ShowsOnlyTheLastTextAndReopensAfterClosing)
{
    ShellFixture f;
    f.detail.setDetail("first");
    f.detail.setDetail("second");
    EXPECT_EQ(f.detail.mainTxt->toPlainText(), "second");
    EXPECT_TRUE(MainWindow::isShown(&f.detail));

    clickButton(f.detail.closeImage);
    EXPECT_FALSE(MainWindow::isShown(&f.detail));
    f.detail.setDetail("third");
    EXPECT_TRUE(MainWindow::isShown(&f.detail));
    EXPECT_EQ(f.detail.mainTxt->toPlainText(), "third");
}

TEST(Registry, AnUnreadableStoreIsReportedOnceUntilItChanges)
{
    ShellFixture f;
    const auto activate = [&](int times, int messages) {
        for (int i = 0; i < times; ++i)
            emit f.form.activated();
        EXPECT_EQ(f.prompter.count(), messages);
    };
    ASSERT_TRUE(QDir().mkpath(f.store.filePath()));
    activate(3, 1);
    ASSERT_TRUE(QDir().rmdir(f.store.filePath()));
    activate(2, 1);
    ASSERT_TRUE(QDir().mkpath(f.store.filePath()));
    activate(2, 2);
}
