// The groups type is made, once, wherever a group may be recorded, also in a VOB whose root
// was never selected in this program: selecting the root, adding a group to an element, and
// an apply copying the base's groups (here none: the targets get the empty value).
#include "access/AccessFixture.h"

#include <functional>

using GroupType = AccessFixture;

TEST_F(GroupType, RecordingAGroupMakesTheTypeFirst)
{
    const QString mainC = SandboxSeed::mainC, utilC = SandboxSeed::utilC;
    registry().saveToReg("QXGROUPS", "dev");
    registry().saveToReg("dev", "bob");
    const struct {
        const char *flow;
        std::function<void()> record;
        QString element, groups;
    } flows[] = {
        {"the VOB root selected, twice", [&] {
             state().selectVobRoot(vobTag);
             state().selectVobRoot(vobTag);
         }, mainC, "<absent>"},
        {"a group added to the element", [&] {
             clickButton(form().zanBut[5]);
             chooseInCombo(form().selectGroupCombo, "dev");
         }, mainC, "dev"},
        {"an apply to the checked elements", [&] {
             check({elementPath(mainC), elementPath(utilC)});
             prompter.answers.enqueue(Prompter::Answer::Yes);
             applyAllChecked();
         }, utilC, ""},
    };
    attach(mainC, "__checkout", "carol");
    for (const auto &f : flows) {
        SCOPED_TRACE(f.flow);
        sandbox.store().removeAttributeType(vobTag, "QX_GROUPS", true);
        selectElement(mainC);
        f.record();
        QStringList comments;
        for (const auto &type : sandbox.store().attributeTypes(vobTag)) {
            if (type.name == "QX_GROUPS")
                comments << type.comment;
        }
        ASSERT_EQ(comments.size(), 1);
        EXPECT_TRUE(comments[0].startsWith("Created by VuVoziruv Evarori on ") && comments[0].endsWith(" * * DO NOT DELETE * *"));
        EXPECT_EQ(valueOn(f.element, "QX_GROUPS"), f.groups);
    }
    EXPECT_EQ(prompter.texts().size(), 1) << prompter.texts().join('|').toStdString(); // the apply's question
}
