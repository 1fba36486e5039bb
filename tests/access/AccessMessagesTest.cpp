// Every message of the access panel, word for word: what the administrator does, then the
// message it ends with. Answering No or Cancel, or being refused, changes nothing.
#include "AccessFixture.h"
#include "support/MessageTable.h"

namespace {
const QString mainC = SandboxSeed::mainC;
const QString utilC = SandboxSeed::utilC;
const QString noGroupText = QStringLiteral("Must select a group(s) to delete from the users list.");
const QString noVobText = QStringLiteral("Must first select the VOB.  Currently, VOB is UNDEFINED");
} // namespace

using AccessMessages = AccessFixture;

TEST_F(AccessMessages, EachRefusalAndConfirmationKeepsItsWords)
{
    using enum Prompter::Icon;
    using enum Prompter::Buttons;
    attach(mainC, "__checkout", "bob");
    attach(utilC, "__checkout", "carol");
    selectElement(mainC);
    form().deleteAllCheckedBut->setEnabled(true);
    prompter.pressPreview = true; // "Preview…" beside a confirmation lists what it would change
    const auto checkAndAnswer = [this](const QStringList &paths, Prompter::Answer answer) {
        check(paths);
        prompter.answers.enqueue(answer);
    };
    std::vector<MessageCase> cases{
        {"apply to the checked elements", [&] {
             checkAndAnswer({elementPath(utilC), elementPath(mainC)}, Prompter::Answer::No);
             applyAllChecked();
         }, "NOTE: You are about to set access control for 2 element(s)\r\nbased on element: " + elementPath(mainC) +
            "\r\n\r\nAre you sure you want to continue?", "Set access control for all checked elements...", Exclamation, YesNo},
        {"apply to the VOB root", [&] {
             checkAndAnswer({vobRoot}, Prompter::Answer::No);
             applyAllChecked();
         }, "Are you sure you want to apply to the VOB root directory?\r\n---> " + vobRoot, "Apply to VOB Root", Exclamation, YesNo},
        {"apply with no VOB selected", [&] {
             checkAndAnswer({elementPath(utilC)}, Prompter::Answer::Yes);
             form().vobTagTxt->setText("<UNDEF>");
             applyAllChecked();
             form().vobTagTxt->setText(vobTag);
         }, "Must first select an element to be used as the basis\r\nfor applying access control for all the selected elements",
         "Select an element first...", Exclamation},
        // A node that is no element leaves no base: nothing may be blanked on the targets.
        {"apply with no element selected", [&] {
             form().selectedElemTxt->clear();
             applyAllChecked();
             form().selectedElemTxt->setText(elementPath(mainC));
         }, "Must first select an element to be used as the basis\r\nfor applying access control for all the selected elements",
         "Select an element first...", Exclamation},
        {"purge the checked elements", [&] {
             checkAndAnswer({elementPath(mainC), elementPath(utilC), vobRoot}, Prompter::Answer::Cancel);
             clickButton(form().deleteAllCheckedBut);
         }, "WARNING: \r\nYou are about to purge all operations and users from 3 element(s)\r\n\r\nAre you sure you want to do this?",
         "About to purge...", Exclamation, OkCancel},
        {"purge the element", [&] {
             prompter.answers.enqueue(Prompter::Answer::Cancel);
             clickButton(form().purgeFromElemBut);
         }, "WARNING: \r\nYou are about to purge all operations and users from the element \"" + elementPath(mainC) +
            "\"\r\nAre you sure you want to do this?", "About to purge...", Exclamation, OkCancel},
        // A comma would turn one name into two users when read back.
        {"enter a user name with a comma", [&] { typeUser("eve,mallory"); }, "A user name cannot contain a comma:\r\neve,mallory",
         "Invalid user name...", Exclamation},
        {"delete users with none selected", [&] {
             form().zanList[1]->clearSelection();
             clickButton(form().zanBut[3]);
         }, "Must select user(s) to delete.", "No user selected to delete...     ", Exclamation},
        {"delete a group's users with no group selected", [&] { clickButton(form().zanBut[4]); }, noGroupText, "No group selected...", Exclamation},
        {"remove a group with no group selected", [&] { clickButton(form().zanBut[10]); }, noGroupText, "No group selected...", Exclamation},
    };
    // Every button of the panel needs a VOB.
    static const char *const panelButtons[] = {"add operation", "delete operation", "add user", "delete users", "delete group's users",
                                               "add group", "remove group"};
    const int buttonIndex[] = {0, 1, 2, 3, 4, 5, 10};
    for (int i = 0; i < 7; ++i) {
        cases.push_back({panelButtons[i], [this, button = buttonIndex[i]] {
                             form().vobRootTxt->setText("UNDEFINED");
                             clickButton(form().zanBut[button]);
                         }, noVobText, "VOB Undefined", Exclamation});
    }
    expectMessages(prompter, cases);

    EXPECT_EQ(valueOn(mainC, "__checkout"), "bob");
    EXPECT_EQ(valueOn(utilC, "__checkout"), "carol");
    EXPECT_EQ(valueOn(utilC, "QX_GROUPS"), "<absent>");
    EXPECT_EQ(valueOn(QString(), "__checkout"), "<absent>");
    EXPECT_FALSE(MainWindow::isShown(form().zanSubList));
    ASSERT_EQ(prompter.previews.size(), 3);
    EXPECT_EQ(prompter.previews[0], elementPath(utilC) + "\n  checkout: gains bob; loses carol\n  groups: new (nobody)");
    EXPECT_EQ(prompter.previews[1], elementPath(mainC) + "\n  checkout: removed (bob)\n" + elementPath(utilC) +
                                        "\n  checkout: removed (carol)\n" + vobRoot + sep() + ".: no change");

    // Without views the panel's buttons say nothing.
    prompter.clear();
    form().mainList->clear();
    for (int button : buttonIndex)
        clickButton(form().zanBut[button]);
    EXPECT_EQ(prompter.count(), 0);
}
