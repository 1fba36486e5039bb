#include "triggers/TriggerLocationsController.h"
#include "triggers/TriggerPaths.h"
#include "TriggerTabFixture.h"

namespace {

const QString placeholder = QStringLiteral("<trigger_location>");

class TriggerLocationsTest : public TriggerTabFixture
{
protected:
    TriggerLocationsController &locations() { return controller<TriggerLocationsController>(); }
    QLineEdit *windowsField() { return form().trigLocationTxt; }
    QLineEdit *unixField() { return form().trigLocationUnixTxt; }
    bool unixControlsShown()
    {
        const bool shown = MainWindow::isShown(unixField());
        EXPECT_EQ(shown, MainWindow::isShown(form().trigLbl[5]));
        EXPECT_EQ(shown, MainWindow::isShown(form().checkboxUnixOrWindowsLocation));
        return shown;
    }
    int interopNotes() { return int(prompter.texts().count(TriggerLocationsController::interopNote())); }
};

} // namespace

// On a UNIX site without interop the one location is the UNIX clients' and is captioned so;
// with interop the second field is the UNIX one, under the window's own captions.
TEST_F(TriggerLocationsTest, SharedInteropLocationFollowsTheWindowsFieldOnEveryKeystroke)
{
    EXPECT_FALSE(unixControlsShown());
    EXPECT_EQ(form().trigLbl[4]->text(), unixSite() ? QStringLiteral("Unix clients:") : QStringLiteral("Windows:"));
    setTicked(form().interopSupportCB, true);
    EXPECT_EQ(form().trigLbl[4]->text(), QStringLiteral("Windows:"));
    EXPECT_EQ(form().trigLbl[5]->text(), QStringLiteral("Unix:"));
    ASSERT_EQ(prompter.count(), 1);
    expectLastMessage(QStringLiteral("Note: by default, the trigger are expected to be stored on the unix platform in the interop\r\n"
                                     "mode.  Copy the trigger to a directory on unix accessible by both windows and unix clients"),
                      QStringLiteral("Interop Requirements..."), Prompter::Icon::Information);
    EXPECT_TRUE(unixControlsShown());
    EXPECT_EQ(unixField()->text(), placeholder);
    EXPECT_TRUE(unixField()->isReadOnly());

    windowsField()->clear();
    const QString typed = QStringLiteral("\\\\srv\\share\\trig");
    for (int i = 0; i < typed.size(); ++i) {
        typeInto(windowsField(), typed.mid(i, 1));
        EXPECT_EQ(unixField()->text(), TriggerPaths::toUnixPath(typed.left(i + 1)));
    }
    EXPECT_EQ(unixField()->text(), QStringLiteral("/net/srv/share/trig"));

    windowsField()->setText(placeholder);
    EXPECT_EQ(unixField()->text(), placeholder);

    windowsField()->setText(typed);
    setTicked(form().interopSupportCB, false);
    EXPECT_FALSE(unixControlsShown());
    EXPECT_EQ(unixField()->text(), QStringLiteral("/net/srv/share/trig"));
    windowsField()->setText(QStringLiteral("\\\\other\\trig"));
    EXPECT_EQ(unixField()->text(), QStringLiteral("/net/srv/share/trig"));

    // The note comes each time interop goes on, only for a VOB not stored as interop.
    setTicked(form().interopSupportCB, true);
    EXPECT_EQ(interopNotes(), 2);
    setTicked(form().interopSupportCB, false);
    registry().saveToReg(QStringLiteral("Interopproj"), QStringLiteral("1"));
    setTicked(form().interopSupportCB, true);
    EXPECT_EQ(interopNotes(), 2);
}

TEST_F(TriggerLocationsTest, SeparateUnixLocationKeepsItsWindowsFormAndRefusesBackslashes)
{
    windowsField()->setText(QStringLiteral("\\\\win\\trig"));
    setTicked(form().interopSupportCB, true);
    setTicked(form().checkboxUnixOrWindowsLocation, true);
    EXPECT_FALSE(unixField()->isReadOnly());
    windowsField()->setText(QStringLiteral("\\\\other\\trig"));
    EXPECT_EQ(unixField()->text(), QStringLiteral("/net/win/trig")); // no longer follows the Windows field

    unixField()->clear();
    typeInto(unixField(), QStringLiteral("/net/unix1/trig"));
    EXPECT_EQ(form().txtUnixWork->text(), QStringLiteral("\\\\unix1\\trig"));

    prompter.clear();
    QTest::keyClick(unixField(), Qt::Key_Backslash);
    ASSERT_EQ(prompter.count(), 1);
    expectLastMessage(QStringLiteral("Path must be in Unix format (e.g., /net/unixserver/triggers)"),
                      QStringLiteral("Must use Unix style paths..."), Prompter::Icon::Exclamation);
    EXPECT_EQ(unixField()->text(), QStringLiteral("/net/unix1/trig/"));

    setTicked(form().checkboxUnixOrWindowsLocation, false);
    EXPECT_TRUE(unixField()->isReadOnly());
    prompter.clear();
    QTest::keyClick(unixField(), Qt::Key_Backslash);
    EXPECT_EQ(prompter.count(), 0);
}

TEST_F(TriggerLocationsTest, PerVobSettingsAreKeyedByTheLastTagComponentAndNotByThePlaceholder)
{
    const QString deepTag = unixSite() ? QStringLiteral("/vobs/team/proj") : QStringLiteral("\\vobs\\proj");
    selectVob(deepTag, viewPath + deepTag);
    windowsField()->setText(QStringLiteral("\\\\srv\\trig"));
    setTicked(form().interopSupportCB, true);
    form().adminUsersTxt->setText(QStringLiteral("ann,bob"));
    locations().processVobTrigSettings(true, false);
    EXPECT_EQ(registry().readFromReg(QStringLiteral("NTLocproj")), QStringLiteral("\\\\srv\\trig"));
    EXPECT_EQ(registry().readFromReg(QStringLiteral("UnixLocproj")), QStringLiteral("/net/srv/trig"));
    EXPECT_EQ(registry().readFromReg(QStringLiteral("Interopproj")), QStringLiteral("1"));
    EXPECT_EQ(registry().readFromReg(QStringLiteral("WinUnixLocproj")), QStringLiteral("0"));

    // The placeholder is never stored over a real list.
    form().adminUsersTxt->setText(QStringLiteral("<admin_users_list>"));
    locations().processVobTrigSettings(true, false);
    EXPECT_EQ(registry().readFromReg(QStringLiteral("AdminListproj")), QStringLiteral("ann,bob"));

    // A VOB without stored settings shows interop off and the placeholders.
    selectVob(tagOf(QStringLiteral("\\tools")), viewPath + tagOf(QStringLiteral("\\tools")));
    locations().processVobTrigSettings(false, false);
    EXPECT_FALSE(form().interopSupportCB->isChecked());
    EXPECT_EQ(windowsField()->text(), placeholder);
    EXPECT_EQ(unixField()->text(), placeholder);
    EXPECT_EQ(form().adminUsersTxt->text(), QStringLiteral("<admin_users_list>"));

    selectVob(deepTag, viewPath + deepTag);
    locations().processVobTrigSettings(false, false);
    EXPECT_TRUE(form().interopSupportCB->isChecked());
    EXPECT_EQ(windowsField()->text(), QStringLiteral("\\\\srv\\trig"));
    EXPECT_EQ(unixField()->text(), QStringLiteral("/net/srv/trig"));
    EXPECT_EQ(form().adminUsersTxt->text(), QStringLiteral("ann,bob"));

    // A flag that is no check-box state leaves the box alone.
    registry().saveToReg(QStringLiteral("Interopproj"), QStringLiteral("x"));
    registry().saveToReg(QStringLiteral("WinUnixLocproj"), QStringLiteral("2"));
    setTicked(form().checkboxUnixOrWindowsLocation, true);
    locations().processVobTrigSettings(false, false);
    EXPECT_TRUE(form().interopSupportCB->isChecked());
    EXPECT_TRUE(form().checkboxUnixOrWindowsLocation->isChecked());

    locations().processVobTrigSettings(false, true);
    EXPECT_EQ(storedSettingsOfProj(), 0);

    // The placeholder tag names no VOB: nothing is stored, loaded or deleted under it.
    registry().saveToReg(QStringLiteral("NTLoc<UNDEF>"), QStringLiteral("\\\\old\\trig"));
    const auto before = registry().allSettings();
    form().vobTagTxt->setText(QStringLiteral("<UNDEF>"));
    windowsField()->setText(QStringLiteral("\\\\srv\\trig"));
    locations().processVobTrigSettings(true, false);
    locations().processVobTrigSettings(false, false);
    EXPECT_EQ(windowsField()->text(), QStringLiteral("\\\\srv\\trig"));
    locations().processVobTrigSettings(false, true);
    EXPECT_EQ(registry().allSettings(), before);
}
