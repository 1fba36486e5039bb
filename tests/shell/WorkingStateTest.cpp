// The working state's lists without a window: the element's operations, the one selected
// with its users, the element's groups, and the checked elements, with the signals the
// window's lists follow.
#include "shell/WorkingState.h"
#include "support/QtPrinters.h"

#include <QSignalSpy>
#include <functional>
#include <gtest/gtest.h>

TEST(WorkingState, TheElementsListsHoldEachNameOnceAndSelectOnlyAListedOperation)
{
    WorkingState state;
    QStringList signalled;
    const auto list = [&signalled](const QString &name) {
        return [&signalled, name](const QStringList &entries) { signalled << name + entries.join(','); };
    };
    QObject::connect(&state, &WorkingState::operationsChanged, list("operations:"));
    QObject::connect(&state, &WorkingState::operationSelected, [&](const QString &operation) { signalled << "selected:" + operation; });
    QObject::connect(&state, &WorkingState::usersChanged, list("users:"));
    QObject::connect(&state, &WorkingState::groupsChanged, list("groups:"));
    const struct {
        const char *step;
        std::function<void()> run;
        QString operations, operation, users, groups, emitted;
    } steps[] = {
        {"listed once, ignoring case", [&] { state.setOperations({"checkout", "Checkout", "lock"}); }, "checkout,lock", "", "", "",
         "operations:checkout,lock"},
        {"an operation not listed", [&] { state.selectOperation("rmelem"); }, "checkout,lock", "", "", "", ""},
        {"a listed one", [&] { state.selectOperation("lock"); }, "checkout,lock", "lock", "", "", "selected:lock"},
        {"the same again", [&] { state.selectOperation("lock"); }, "checkout,lock", "lock", "", "", ""},
        {"users once each", [&] { state.setUsers({"bob", "", "BOB", "carol", ""}); }, "checkout,lock", "lock", "bob,,carol", "",
         "users:bob,,carol"},
        {"the same users", [&] { state.setUsers({"bob", "", "carol"}); }, "checkout,lock", "lock", "bob,,carol", "", ""},
        {"members taken out exactly", [&] { state.removeUsers({"Carol", "bob", "eve"}); }, "checkout,lock", "lock", ",carol", "",
         "users:,carol"},
        {"groups once each", [&] { state.setGroups({"dev", "qa", "DEV"}); }, "checkout,lock", "lock", ",carol", "dev,qa",
         "groups:dev,qa"},
        {"a listed operation added", [&] { EXPECT_FALSE(state.addOperation("LOCK")); }, "checkout,lock", "lock", ",carol", "dev,qa", ""},
        {"a new one added", [&] { EXPECT_TRUE(state.addOperation("mkbranch")); }, "checkout,lock,mkbranch", "mkbranch", ",carol",
         "dev,qa", "operations:checkout,lock,mkbranch|selected:mkbranch"},
        {"another one removed", [&] { state.removeOperation("lock"); }, "checkout,mkbranch", "mkbranch", ",carol", "dev,qa",
         "operations:checkout,mkbranch"},
        {"the selected one removed", [&] { state.removeOperation("mkbranch"); }, "checkout", "", "", "dev,qa",
         "operations:checkout|selected:|users:"},
        // A node click lists the element's operations anew: its first is then selected anew.
        {"the same list again", [&] {
             state.selectOperation("checkout");
             state.setOperations({"checkout"});
         }, "checkout", "", "", "dev,qa", "selected:checkout|selected:"},
        {"purged", [&] { state.clearAccess(); }, "", "", "", "", "operations:|groups:"},
    };
    for (const auto &step : steps) {
        SCOPED_TRACE(step.step);
        signalled.clear();
        step.run();
        EXPECT_EQ(state.operations().join(','), step.operations);
        EXPECT_EQ(state.operation(), step.operation);
        EXPECT_EQ(state.users().join(','), step.users);
        EXPECT_EQ(state.groups().join(','), step.groups);
        EXPECT_EQ(signalled.join('|'), step.emitted);
    }
}

// Removals batched or not take the first exact entry; a list kept by the signals alone, as
// the window's checked-element list is, stays equal to the paths.
TEST(CheckedElements, RefusesCaseDuplicatesRemovesExactlyAndBatchesRemovals)
{
    WorkingState state;
    CheckedElements &checked = state.checked();
    QStringList mirror;
    QObject::connect(&checked, &CheckedElements::appended, [&](const QString &path) { mirror << path; });
    QObject::connect(&checked, &CheckedElements::removed, [&](int first, int count) { mirror.remove(first, count); });
    QObject::connect(&checked, &CheckedElements::cleared, [&] { mirror.clear(); });
    for (const char *path : {"x", "d", "d\\1", "y", "D", "d\\2", "z"})
        checked.appendIfNew(path);
    EXPECT_EQ(checked.paths(), (QStringList{"x", "d", "d\\1", "y", "d\\2", "z"}));

    checked.beginBatch();
    for (const char *path : {"d", "d\\1", "z", "Y", "absent"}) // "Y" differs in case: nothing to remove
        checked.removeFirst(path);
    EXPECT_EQ(checked.paths().size(), 6); // seen as gone before the list is touched
    EXPECT_EQ(checked.count(), 3);
    EXPECT_FALSE(checked.contains("D"));
    EXPECT_TRUE(checked.contains("Y"));
    checked.endBatch();
    EXPECT_EQ(checked.paths(), (QStringList{"x", "y", "d\\2"}));

    // An append while removals are pending keeps the order of events.
    checked.beginBatch();
    checked.removeFirst("x");
    EXPECT_TRUE(checked.appendIfNew("X"));
    checked.endBatch();
    EXPECT_EQ(checked.paths(), (QStringList{"y", "d\\2", "X"}));
    EXPECT_EQ(mirror, checked.paths());

    QSignalSpy cleared(&state, &WorkingState::checkedCleared);
    state.clearChecked();
    EXPECT_EQ(cleared.count(), 1);
    EXPECT_TRUE(checked.paths().isEmpty() && mirror.isEmpty());
    EXPECT_TRUE(checked.appendIfNew("y"));
}
