#include "clearcase/CCase.h"
#include "clearcase/sandbox/SandboxSeed.h"
#include "clearcase/sandbox/SandboxStore.h"
#include "support/FakePlatform.h"
#include "support/MessageTable.h"
#include "support/TempSandbox.h"
#include "util/ZanError.h"

#include <QListWidget>

namespace {

namespace Seed = SandboxSeed;

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
    static QString elem(const QString &relative) { return "m:\\bob_dev\\proj\\" + relative; }
    QStringList operationsOn(const QString &path, bool toolOnly = true, const QString &rootMarker = QString())
    {
        ccase.getAttrListOnElem(ItemList(&list), path, true, toolOnly, "_", rootMarker);
        return entriesOf(list);
    }
    void attach(const QString &type, const QString &value, const QString &path)
    {
        ASSERT_TRUE(ccase.makeAttype(Seed::projVob, type, "test"));
        ASSERT_TRUE(ccase.addCCAttrToElem(type, value, path, Seed::projVob, false));
    }
};

} // namespace

TEST_F(CCaseTest, AttributeListHoldsOperationTokensOnce)
{
    for (const char *type : {"__checkout", "Old__checkout", "__Checkout", "QX_GROUPS", "__mkbranch"})
        attach(type, "x", elem(Seed::mainC));
    list.addItem("stale");
    EXPECT_EQ(operationsOn(elem(Seed::mainC)), (QStringList{"checkout", "mkbranch"}));
    EXPECT_EQ(operationsOn(elem(Seed::mainC), false), (QStringList{"checkout", "QX_GROUPS", "mkbranch"}));
    // The VOB root's list is read from its "\." directory.
    attach("__mktype", "NONE", "m:\\bob_dev\\proj\\.");
    EXPECT_EQ(operationsOn("m:\\bob_dev\\proj", true, Seed::projVob), QStringList{"mktype"});
    // Skipping errors leaves no operations of an earlier element behind.
    EXPECT_TRUE(operationsOn(elem(Seed::privateFile)).isEmpty());
    EXPECT_EQ(prompter.count(), 0);
}

TEST_F(CCaseTest, AttributesAndTypesCompareNamesExactly)
{
    attach("__Checkout", "alice", elem(Seed::utilC));
    EXPECT_EQ(ccase.getAttrValueOnElem("__checkout", elem(Seed::utilC)), QString());
    EXPECT_FALSE(ccase.isAttrOnElem("__checkout", elem(Seed::utilC)));
    attach("__checkout", "bob,carol", elem(Seed::utilC));
    EXPECT_EQ(ccase.getAttrValueOnElem("__checkout", elem(Seed::utilC)), "bob,carol");
    EXPECT_EQ(ccase.getAttrValueOnElem("__Checkout", elem(Seed::utilC)), "alice");
    EXPECT_TRUE(ccase.isAttrOnElem("__checkout", elem(Seed::utilC)));

    // Types are made only when missing, as text types; the attribute carries the tool's comment.
    const int before = int(backend->attributeTypeNames(Seed::projVob).size());
    for (const auto &[type, comment] : {std::pair{"__rmelem", "first"}, {"__rmelem", "second"}, {"HlinkToText", "x"}})
        EXPECT_TRUE(ccase.makeAttype(Seed::projVob, type, comment));
    const QList<SandboxAttributeType> types = sandbox.store().attributeTypes(Seed::projVob);
    ASSERT_EQ(types.size(), before + 1);
    EXPECT_EQ(types.last().name + "/" + types.last().comment + "/" + QString::number(types.last().valueType), "__rmelem/first/8");
    EXPECT_EQ(sandbox.store().attributeComment(Seed::projVob, "src/util.c", "__checkout"), "Korvane Zan Tool: Do NOT REMOVE");
    EXPECT_TRUE(ccase.addCCAttrToElem("__checkout", "bob,\"o'neil\"", elem(Seed::utilC), Seed::projVob, true));
    EXPECT_EQ(ccase.getAttrValueOnElem("__checkout", elem(Seed::utilC)), "bob,\"o'neil\"");

    EXPECT_TRUE(ccase.isAttypeExist("HlinkFromText", Seed::toolsVob));
    EXPECT_FALSE(ccase.isAttypeExist("hlinkfromtext", Seed::toolsVob));
    EXPECT_FALSE(ccase.isAttypeExist("HlinkFromText", "\\nosuchvob"));
    backend->createTriggerType(Seed::projVob, {"_KORVANE_SECURITY1", 2, 1, {2}, {}, {{TriggerTypeDefinition::AllClients, "perl x.pl"}}, {}});
    EXPECT_TRUE(ccase.isTrTypeExist("_KORVANE_SECURITY1", Seed::projVob));
    EXPECT_FALSE(ccase.isTrTypeExist("_korvane_security1", Seed::projVob));
    EXPECT_FALSE(ccase.isTrTypeExist("_KORVANE_SECURITY1", Seed::toolsVob));
    EXPECT_TRUE(ccase.isUcmProjectVob(Seed::projPvob, true));
    EXPECT_FALSE(ccase.isUcmProjectVob(Seed::projVob, false));
    // Which paths are elements is the backends' rule (contract suite); the routine only asks.
    EXPECT_TRUE(ccase.isCCElement(elem(Seed::mainC)));
    EXPECT_FALSE(ccase.isCCElement(elem(Seed::privateFile)));
    EXPECT_EQ(prompter.count(), 0);
}

// Each routine shows its own message and returns its empty value; lists keep what they held.
TEST_F(CCaseTest, EachRoutineReportsInItsOwnWords)
{
    const QString noVob = "\\nosuchvob", outside = "m:\\bob_dev\\nosuchvob\\a.c";
    const QString noVobText = "No matching entries found for VOB tag \"\\nosuchvob\".";
    const QString outsideText = "Unable to access \"m:\\bob_dev\\nosuchvob\\a.c@@/main/0\": No such file or directory.";
    CCase noBackend([]() -> ClearCase & { throw ZanError(ZanError::StoreFailure, "Sandbox", "store is locked"); }, prompter, platform);
    const auto C = Prompter::Icon::Critical;
    expectMessages(prompter, {
        {"isTrTypeExist", [&] { EXPECT_FALSE(ccase.isTrTypeExist("t", noVob)); }, "ERROR::" + noVobText + "\r\nccase:isTrTypeExist",
         "Error...", C},
        {"getAttrListOnElem", [&] {
             list.addItem("stale");
             ccase.getAttrListOnElem(ItemList(&list), elem(Seed::privateFile), false, true, "_", QString());
             EXPECT_EQ(entriesOf(list), QStringList{"stale"});
         }, "ERROR::Not a vob object: \"m:\\bob_dev\\proj\\src\\private.tmp@@/main/0\".\r\nccase:getAttrListOnElem", "Error...", C},
        {"getAttrValueOnElem", [&] { EXPECT_EQ(ccase.getAttrValueOnElem("__checkout", outside), QString()); },
         "ERROR::" + outsideText + "\r\nccase:getAttrValueOnElem", "Error...", C},
        {"isAttrOnElem", [&] { EXPECT_FALSE(ccase.isAttrOnElem("__checkout", outside)); },
         "ERROR::" + outsideText + "\r\nccase:isAttrOnElem", "Error...", C},
        {"makeAttype", [&] { EXPECT_FALSE(ccase.makeAttype(noVob, "__x", QString())); }, "ERROR::" + noVobText + "\r\nccase:makeAttype",
         "Error...", C},
        {"addCCAttrToElem without the type", [&] {
             EXPECT_FALSE(ccase.addCCAttrToElem("__nosuchtype", "v", elem(Seed::mainC), Seed::projVob, false));
         }, "ERROR::Attribute type not found: \"__nosuchtype\".\r\naddCCAttrToElem()::", "Error...", Prompter::Icon::Information},
        {"addCCAttrToElem over a value without replacing", [&] {
             attach("__checkin", "NONE", elem(Seed::mainC));
             EXPECT_FALSE(ccase.addCCAttrToElem("__checkin", "bob", elem(Seed::mainC), Seed::projVob, false));
             EXPECT_EQ(ccase.getAttrValueOnElem("__checkin", elem(Seed::mainC)), "NONE");
         }, "ERROR::Attribute \"__checkin\" already exists on this version; use replace to change it.\r\naddCCAttrToElem()::",
         "Error...", Prompter::Icon::Information},
        {"isUcmProjectVob", [&] { EXPECT_FALSE(ccase.isUcmProjectVob(Seed::projVob, true)); },
         "Error::VOB \"\\proj\" is not a UCM project VOB.\r\nCouldn't get trigger info.", "Error..", C},
        {"getViewsList", [&] {
             list.clear();
             list.addItem("kept");
             noBackend.getViewsList(false, false, ItemList(&list), {});
             EXPECT_EQ(entriesOf(list), QStringList{"kept"});
             // The silent tests stay silent.
             EXPECT_FALSE(noBackend.isCCElement("m:\\v\\proj\\a.c") || noBackend.isAttypeExist("t", "\\proj"));
         }, "Error::store is locked\r\ngetViewsList()", "Error..", C},
    });
    EXPECT_EQ(prompter.count(), 9);
}

TEST_F(CCaseTest, ViewsListFiltersAndReportsEachView)
{
    QStringList status;
    const auto sink = [&status](const QString &text) { status << text; };
    ccase.getViewsList(false, false, ItemList(&list), sink);
    EXPECT_EQ(entriesOf(list), Seed::viewTags);
    EXPECT_EQ(status.size(), Seed::viewTags.size());
    EXPECT_EQ(eventRuns, Seed::viewTags.size());

    // Tags already present (in any case) stay and are not added twice.
    list.clear();
    list.addItem("BOB_DEV");
    status.clear();
    ccase.getViewsList(false, true, ItemList(&list), sink);
    EXPECT_EQ(entriesOf(list), (QStringList{"BOB_DEV", Seed::teamBobInt}));
    EXPECT_TRUE(status.contains("Adding view --> robert_dev"));
    EXPECT_FALSE(status.contains("Adding view --> bob_dev"));

    list.clear();
    platform.login = QString();
    ccase.getViewsList(false, true, ItemList(&list), sink);
    EXPECT_EQ(entriesOf(list), Seed::viewTags);

    // Only the views of this host, whatever the case of its name.
    list.clear();
    sandbox.store().addView({"remote_view", "buildsrv", "bob", false, false, Seed::defaultConfigSpec});
    platform.computer = "TestHost Office";
    ccase.getViewsList(true, false, ItemList(&list), {});
    EXPECT_EQ(entriesOf(list), Seed::viewTags);
    list.clear();
    ccase.getViewsList(false, false, ItemList(&list), {});
    EXPECT_TRUE(entriesOf(list).contains("remote_view"));
    EXPECT_EQ(prompter.count(), 0);
}
