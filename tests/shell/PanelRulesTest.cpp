// The access panel's rules without a window: the working state and its stop rule, which
// typed user joins a list, what adding a group merges, and what the picker offers.
#include "access/AccessListRules.h"
#include "access/OperationsCatalogue.h"
#include "shell/WorkingState.h"
#include "support/QtPrinters.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace AccessListRules;
using Outcome = UserAddition::Outcome;

TEST(WorkingState, SignalsOnlyChangesAndStopsPrivilegedOperationsAwayFromTheRoot)
{
    WorkingState state;
    EXPECT_EQ(state.privilegedList(), OperationsCatalogue::defaultPrivilegedList());
    QSignalSpy moved(&state, &WorkingState::locationChanged);
    QSignalSpy stop(&state, &WorkingState::stopChanged);
    for (int i = 0; i < 2; ++i) {
        state.setVobTag("\\proj");
        state.setVobRoot("m:\\bob_dev\\proj");
        state.setStopShown(false);
    }
    EXPECT_EQ(moved.count(), 2);
    EXPECT_EQ(stop.count(), 0);

    state.setPrivilegedList("rmelem,mktype");
    const QString element = "m:\\bob_dev\\proj\\main.c", root = state.location().rootElement();
    const struct {
        QString element, operation;
        bool stops;
    } cases[] = {
        {element, "rmelem", true}, {root, "rmelem", false}, {element, "checkout", false},
        {element, "type", true}, // the list is one text: "mktype" holds "type"
        {element, "", true},
    };
    for (const auto &c : cases) {
        state.setElement(c.element);
        EXPECT_EQ(state.stopsAt(c.operation), c.stops) << c.element.toStdString() << " " << c.operation.toStdString();
    }
}

TEST(AccessListRules, TypedUserIsAddedRefusedOrNotAddedWithItsReason)
{
    const QStringList users{"bob", "carol"};
    const struct {
        QString user;
        Outcome outcome;
        QString reason;
    } cases[] = {
        {"dave", Outcome::Added, ""},
        {"none", Outcome::Added, ""}, // only the marker itself is no name
        {"dave,eve", Outcome::Refused, "A user name cannot contain a comma:\r\ndave,eve"},
        {"bob,", Outcome::Refused, "A user name cannot contain a comma:\r\nbob,"},
        {"<select_or_enter_user>", Outcome::NotAdded,
         "No user added: type the user's name over the hint, or pick a user from the list."},
        {"da<ve", Outcome::NotAdded, "No user added: \"da<ve\" is not a user name."},
        {"NONE", Outcome::NotAdded, "No user added: NONE marks a list that allows nobody; it is not a user name."},
        {"  ", Outcome::NotAdded, "No user added: the name is empty."},
        {"", Outcome::NotAdded, "No user added: the name is empty."},
        {"CAROL", Outcome::NotAdded, "No user added: carol is already in the list."},
    };
    for (const auto &c : cases) {
        const UserAddition addition = addUser(c.user, users);
        EXPECT_EQ(addition.outcome, c.outcome) << c.user.toStdString();
        EXPECT_EQ(addition.reason, c.reason);
        EXPECT_EQ(addition.users, c.outcome == Outcome::Added ? users + QStringList{c.user} : users);
    }
}

TEST(AccessListRules, AddingAGroupListsItOnceAndMergesItsMembersIgnoringCase)
{
    const struct {
        QString group, members;
        QStringList groups, users;
        GroupMerge expected;
    } cases[] = {
        {"dev", "bob,CAROL", {}, {"carol"}, {{"dev"}, true, {"carol", "bob"}}},
        {"DEV", "bob", {"dev"}, {}, {{"dev"}, false, {"bob"}}},
        {"qa", "", {"dev"}, {"bob"}, {{"dev", "qa"}, true, {"bob"}}},
        {"qa", "eve,eve", {}, {}, {{"qa"}, true, {"eve"}}},
    };
    for (const auto &c : cases) {
        const GroupMerge merge = mergeGroup(c.group, c.members, c.groups, c.users);
        EXPECT_EQ(merge.groups, c.expected.groups) << c.group.toStdString();
        EXPECT_EQ(merge.groupAdded, c.expected.groupAdded);
        EXPECT_EQ(merge.users, c.expected.users);
    }
}

TEST(OperationsCatalogue, PickerOffersWhatTheElementDoesNotCarryYet)
{
    const struct {
        QStringList carried;
        bool ucm;
        int offered;
    } cases[] = {
        {{}, false, 24}, {{}, true, 47}, {{"checkout", "lock"}, false, 22},
        {{"Checkout"}, false, 24}, // attribute names compare exactly
        {{"deliver_start"}, true, 46}, {{"deliver_start"}, false, 24},
    };
    for (const auto &c : cases) {
        const QStringList offer = OperationsCatalogue::offeredFor(c.carried, c.ucm);
        EXPECT_EQ(offer.size(), c.offered) << c.carried.join(',').toStdString();
        for (const QString &operation : c.carried)
            EXPECT_FALSE(offer.contains(operation)) << operation.toStdString();
    }
    EXPECT_EQ(OperationsCatalogue::offeredFor({}, false).first(), "checkout");
}
