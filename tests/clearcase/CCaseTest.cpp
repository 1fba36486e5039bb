#include "clearcase/CCase.h"
#include "clearcase/sandbox/SandboxSeed.h"
#include "clearcase/sandbox/SandboxStore.h"
#include "support/FakePlatform.h"
#include "support/ScriptedPrompter.h"
#include "support/TempSandbox.h"
#include "util/ZanError.h"

#include <QListWidget>
#include <gtest/gtest.h>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QStringList itemsOf(const QListWidget &list)
{
    QStringList items;
    for (int i = 0; i < list.count(); ++i)
        items << list.item(i)->text();
    return items;
}

class CCaseTest : public ::testing::Test
{
protected:
    TempSandbox sandbox;
    FakePlatform platform;
    int eventRuns = 0;
    ScriptedPrompter prompter;
    std::unique_ptr<ClearCase> backend = sandbox.open(platform);
    CCase ccase{[this]() -> ClearCase & { return *backend; }, prompter, platform};
    QListWidget list;

    void SetUp() override { platform.everyProcessEvents = [this] { ++eventRuns; }; }
    static QString elem(const QString &relative) { return QStringLiteral("m:\\bob_dev\\proj\\") + relative; }
    static QString projRoot() { return QStringLiteral("m:\\bob_dev\\proj"); }

    void attach(const QString &type, const QString &value, const QString &path)
    {
        ASSERT_TRUE(ccase.makeAttype(SandboxSeed::projVob, type, QStringLiteral("test")));
        ASSERT_TRUE(ccase.addCCAttrToElem(type, value, path, SandboxSeed::projVob, false));
    }
};

} // namespace

TEST_F(CCaseTest, AttributeListHoldsOperationTokensOnce)
{
    attach(QStringLiteral("__checkout"), QStringLiteral("bob"), elem(SandboxSeed::mainC));
    attach(QStringLiteral("Old__checkout"), QStringLiteral("x"), elem(SandboxSeed::mainC));
    attach(QStringLiteral("__Checkout"), QStringLiteral("y"), elem(SandboxSeed::mainC));
    attach(QStringLiteral("QX_GROUPS"), QStringLiteral("dev"), elem(SandboxSeed::mainC));
    attach(QStringLiteral("__mkbranch"), QStringLiteral("NONE"), elem(SandboxSeed::mainC));
    list.addItem(QStringLiteral("stale"));

    ccase.getAttrListOnElem(ItemList(&list), elem(SandboxSeed::mainC), true, true, QStringLiteral("_"), QString());
    EXPECT_EQ(itemsOf(list), (QStringList{QStringLiteral("checkout"), QStringLiteral("mkbranch")}));

    ccase.getAttrListOnElem(ItemList(&list), elem(SandboxSeed::mainC), true, false, QStringLiteral("_"), QString());
    EXPECT_EQ(itemsOf(list), (QStringList{QStringLiteral("checkout"), QStringLiteral("QX_GROUPS"), QStringLiteral("mkbranch")}));
    EXPECT_EQ(prompter.count(), 0);

    // The VOB root's list is read from its "\." directory.
    attach(QStringLiteral("__mktype"), QStringLiteral("NONE"), projRoot() + QStringLiteral("\\."));
    ccase.getAttrListOnElem(ItemList(&list), projRoot(), true, true, QStringLiteral("_"), SandboxSeed::projVob);
    EXPECT_EQ(itemsOf(list), QStringList{QStringLiteral("mktype")});
}

TEST_F(CCaseTest, AttributeListOfABadPath)
{
    list.addItem(QStringLiteral("stale"));
    ccase.getAttrListOnElem(ItemList(&list), elem(SandboxSeed::privateFile), false, true, QStringLiteral("_"), QString());
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.last().text, QStringLiteral("ERROR::Not a vob object: \"m:\\bob_dev\\proj\\src\\private.tmp@@/main/0\".")
                                        + kCrLf + QStringLiteral("ccase:getAttrListOnElem"));
    EXPECT_EQ(prompter.last().title, QStringLiteral("Error..."));
    EXPECT_EQ(prompter.last().icon, Prompter::Icon::Critical);
    EXPECT_EQ(itemsOf(list), QStringList{QStringLiteral("stale")});

    // Skipping errors leaves no operations of an earlier element behind.
    ccase.getAttrListOnElem(ItemList(&list), elem(SandboxSeed::privateFile), true, true, QStringLiteral("_"), QString());
    EXPECT_EQ(prompter.count(), 1);
    EXPECT_EQ(list.count(), 0);
}

TEST_F(CCaseTest, AttributeValueAndPresenceCompareTypeNamesExactly)
{
    attach(QStringLiteral("__Checkout"), QStringLiteral("alice"), elem(SandboxSeed::utilC));
    EXPECT_EQ(ccase.getAttrValueOnElem(QStringLiteral("__checkout"), elem(SandboxSeed::utilC)), QString());
    EXPECT_FALSE(ccase.isAttrOnElem(QStringLiteral("__checkout"), elem(SandboxSeed::utilC)));

    attach(QStringLiteral("__checkout"), QStringLiteral("bob,carol"), elem(SandboxSeed::utilC));
    EXPECT_EQ(ccase.getAttrValueOnElem(QStringLiteral("__checkout"), elem(SandboxSeed::utilC)), QStringLiteral("bob,carol"));
    EXPECT_EQ(ccase.getAttrValueOnElem(QStringLiteral("__Checkout"), elem(SandboxSeed::utilC)), QStringLiteral("alice"));
    EXPECT_TRUE(ccase.isAttrOnElem(QStringLiteral("__checkout"), elem(SandboxSeed::utilC)));
    EXPECT_EQ(prompter.count(), 0);
}

TEST_F(CCaseTest, MakeAttypeCreatesOnlyMissingTypes)
{
    const int before = int(backend->attributeTypeNames(SandboxSeed::projVob).size());
    EXPECT_TRUE(ccase.makeAttype(SandboxSeed::projVob, QStringLiteral("__rmelem"), QStringLiteral("first")));
    EXPECT_TRUE(ccase.makeAttype(SandboxSeed::projVob, QStringLiteral("__rmelem"), QStringLiteral("second")));
    EXPECT_TRUE(ccase.makeAttype(SandboxSeed::projVob, QStringLiteral("HlinkToText"), QStringLiteral("x")));
    const QList<SandboxAttributeType> types = sandbox.store().attributeTypes(SandboxSeed::projVob);
    ASSERT_EQ(types.size(), before + 1);
    EXPECT_EQ(types.last().name, QStringLiteral("__rmelem"));
    EXPECT_EQ(types.last().comment, QStringLiteral("first"));
    EXPECT_EQ(types.last().valueType, 8);
    EXPECT_EQ(prompter.count(), 0);
}

TEST_F(CCaseTest, AddAttributeReplacesOnlyWhenAsked)
{
    attach(QStringLiteral("__checkin"), QStringLiteral("NONE"), elem(SandboxSeed::mainC));
    EXPECT_EQ(sandbox.store().attributeComment(SandboxSeed::projVob, QStringLiteral("src/main.c"), QStringLiteral("__checkin")),
              QStringLiteral("Korvane Zan Tool: Do NOT REMOVE"));

    EXPECT_FALSE(ccase.addCCAttrToElem(QStringLiteral("__checkin"), QStringLiteral("bob"), elem(SandboxSeed::mainC),
                                       SandboxSeed::projVob, false));
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_TRUE(prompter.last().text.endsWith(kCrLf + QStringLiteral("addCCAttrToElem()::")));
    EXPECT_TRUE(prompter.last().text.startsWith(QStringLiteral("ERROR::")));
    EXPECT_EQ(prompter.last().icon, Prompter::Icon::Information);
    EXPECT_EQ(prompter.last().title, QStringLiteral("Error..."));
    EXPECT_EQ(ccase.getAttrValueOnElem(QStringLiteral("__checkin"), elem(SandboxSeed::mainC)), QStringLiteral("NONE"));

    EXPECT_TRUE(ccase.addCCAttrToElem(QStringLiteral("__checkin"), QStringLiteral("bob,\"o'neil\""), elem(SandboxSeed::mainC),
                                      SandboxSeed::projVob, true));
    EXPECT_EQ(ccase.getAttrValueOnElem(QStringLiteral("__checkin"), elem(SandboxSeed::mainC)), QStringLiteral("bob,\"o'neil\""));
}

TEST_F(CCaseTest, ExistenceTestsCompareNamesExactlyAndAreSilent)
{
    EXPECT_TRUE(ccase.isAttypeExist(QStringLiteral("HlinkFromText"), SandboxSeed::toolsVob));
    EXPECT_FALSE(ccase.isAttypeExist(QStringLiteral("hlinkfromtext"), SandboxSeed::toolsVob));
    EXPECT_FALSE(ccase.isAttypeExist(QStringLiteral("HlinkFromText"), QStringLiteral("\\nosuchvob")));

    EXPECT_TRUE(ccase.isCCElement(elem(SandboxSeed::mainC)));
    EXPECT_TRUE(ccase.isCCElement(elem(SandboxSeed::lostFound)));
    EXPECT_TRUE(ccase.isCCElement(elem(SandboxSeed::dotDotFile)));
    EXPECT_TRUE(ccase.isCCElement(elem(SandboxSeed::fileOneTxt)));
    EXPECT_FALSE(ccase.isCCElement(elem(SandboxSeed::privateFile)));
    EXPECT_FALSE(ccase.isCCElement(elem(SandboxSeed::atAtFile)));
    EXPECT_FALSE(ccase.isCCElement(QStringLiteral("m:\\Team_BOB_int\\proj\\src\\main.c")));

    backend->createTriggerType(SandboxSeed::projVob, {QStringLiteral("_KORVANE_SECURITY1"), 2, 1, {2}, {}, {{TriggerTypeDefinition::AllClients, QStringLiteral("perl x.pl")}}, QString()});
    EXPECT_TRUE(ccase.isTrTypeExist(QStringLiteral("_KORVANE_SECURITY1"), SandboxSeed::projVob));
    EXPECT_FALSE(ccase.isTrTypeExist(QStringLiteral("_korvane_security1"), SandboxSeed::projVob));
    EXPECT_FALSE(ccase.isTrTypeExist(QStringLiteral("_KORVANE_SECURITY1"), SandboxSeed::toolsVob));
    EXPECT_TRUE(ccase.isUcmProjectVob(SandboxSeed::projPvob, true));
    EXPECT_FALSE(ccase.isUcmProjectVob(SandboxSeed::projVob, false));
    EXPECT_EQ(prompter.count(), 0);

    EXPECT_FALSE(ccase.isUcmProjectVob(SandboxSeed::projVob, true));
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.last().text, QStringLiteral("Error::VOB \"\\proj\" is not a UCM project VOB.") + kCrLf
                                        + QStringLiteral("Couldn't get trigger info."));
    EXPECT_EQ(prompter.last().title, QStringLiteral("Error.."));
    EXPECT_EQ(prompter.last().icon, Prompter::Icon::Critical);
}

TEST_F(CCaseTest, RoutineFailuresShowTheirOwnMessages)
{
    const QString noVob = QStringLiteral("\\nosuchvob");
    const QString noVobText = QStringLiteral("No matching entries found for VOB tag \"\\nosuchvob\".");
    const QString outside = QStringLiteral("m:\\bob_dev\\nosuchvob\\a.c");
    const QString outsideText = QStringLiteral("Unable to access \"m:\\bob_dev\\nosuchvob\\a.c@@/main/0\": No such file or directory.");

    EXPECT_FALSE(ccase.isTrTypeExist(QStringLiteral("t"), noVob));
    EXPECT_EQ(prompter.last().text, QStringLiteral("ERROR::") + noVobText + kCrLf + QStringLiteral("ccase:isTrTypeExist"));
    EXPECT_EQ(ccase.getAttrValueOnElem(QStringLiteral("__checkout"), outside), QString());
    EXPECT_EQ(prompter.last().text, QStringLiteral("ERROR::") + outsideText + kCrLf + QStringLiteral("ccase:getAttrValueOnElem"));
    EXPECT_FALSE(ccase.isAttrOnElem(QStringLiteral("__checkout"), outside));
    EXPECT_EQ(prompter.last().text, QStringLiteral("ERROR::") + outsideText + kCrLf + QStringLiteral("ccase:isAttrOnElem"));
    EXPECT_FALSE(ccase.makeAttype(noVob, QStringLiteral("__x"), QString()));
    EXPECT_EQ(prompter.last().text, QStringLiteral("ERROR::") + noVobText + kCrLf + QStringLiteral("ccase:makeAttype"));
    EXPECT_FALSE(ccase.addCCAttrToElem(QStringLiteral("__nosuchtype"), QStringLiteral("v"), elem(SandboxSeed::mainC),
                                       SandboxSeed::projVob, false));
    EXPECT_EQ(prompter.last().text, QStringLiteral("ERROR::Attribute type not found: \"__nosuchtype\".") + kCrLf
                                        + QStringLiteral("addCCAttrToElem()::"));

    ASSERT_EQ(prompter.count(), 5);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(prompter.records.at(i).title, QStringLiteral("Error..."));
        EXPECT_EQ(prompter.records.at(i).icon, Prompter::Icon::Critical);
        EXPECT_EQ(prompter.records.at(i).buttons, Prompter::Buttons::Ok);
    }
}

TEST_F(CCaseTest, ViewsListFiltersAndReportsEachView)
{
    QStringList status;
    const auto sink = [&status](const QString &text) { status << text; };
    ccase.getViewsList(false, false, ItemList(&list), sink);
    EXPECT_EQ(itemsOf(list), SandboxSeed::viewTags);
    EXPECT_EQ(status.first(), QStringLiteral("Adding view --> bob_dev"));
    EXPECT_EQ(status.size(), SandboxSeed::viewTags.size());
    EXPECT_EQ(eventRuns, SandboxSeed::viewTags.size());

    // Tags already present (in any case) stay and are not added twice.
    list.clear();
    list.addItem(QStringLiteral("BOB_DEV"));
    status.clear();
    ccase.getViewsList(false, true, ItemList(&list), sink);
    EXPECT_EQ(itemsOf(list), (QStringList{QStringLiteral("BOB_DEV"), SandboxSeed::teamBobInt}));
    EXPECT_TRUE(status.contains(QStringLiteral("Adding view --> robert_dev")));
    EXPECT_FALSE(status.contains(QStringLiteral("Adding view --> bob_dev")));

    list.clear();
    platform.login = QString();
    ccase.getViewsList(false, true, ItemList(&list), sink);
    EXPECT_EQ(itemsOf(list), SandboxSeed::viewTags);
    EXPECT_EQ(prompter.count(), 0);

    // Only the views of this host, whatever the case of its name.
    list.clear();
    sandbox.store().addView({QStringLiteral("remote_view"), QStringLiteral("buildsrv"), QStringLiteral("bob"), false, false,
                             SandboxSeed::defaultConfigSpec});
    platform.computer = QStringLiteral("TestHost Office");
    ccase.getViewsList(true, false, ItemList(&list), {});
    EXPECT_EQ(itemsOf(list), SandboxSeed::viewTags);
    list.clear();
    ccase.getViewsList(false, false, ItemList(&list), {});
    EXPECT_TRUE(itemsOf(list).contains(QStringLiteral("remote_view")));
}

TEST(CCaseFailures, ViewsListReportsABackendThatCannotStart)
{
    FakePlatform platform;
    ScriptedPrompter prompter;
    CCase ccase([]() -> ClearCase & { throw ZanError(ZanError::StoreFailure, QStringLiteral("Sandbox"), QStringLiteral("store is locked")); },
                prompter, platform);
    QListWidget list;
    list.addItem(QStringLiteral("kept"));
    ccase.getViewsList(false, false, ItemList(&list), {});
    ASSERT_EQ(prompter.count(), 1);
    EXPECT_EQ(prompter.last().text, QStringLiteral("Error::store is locked") + kCrLf + QStringLiteral("getViewsList()"));
    EXPECT_EQ(prompter.last().title, QStringLiteral("Error.."));
    EXPECT_EQ(prompter.last().icon, Prompter::Icon::Critical);
    EXPECT_EQ(list.count(), 1);
    EXPECT_FALSE(ccase.isCCElement(QStringLiteral("m:\\v\\proj\\a.c")));
    EXPECT_FALSE(ccase.isAttypeExist(QStringLiteral("t"), QStringLiteral("\\proj")));
    EXPECT_EQ(prompter.count(), 1);
}
