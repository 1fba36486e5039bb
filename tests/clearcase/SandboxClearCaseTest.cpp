#include "clearcase/ClearCaseFactory.h"
#include "clearcase/sandbox/SandboxClearCase.h"
#include "clearcase/sandbox/SandboxSeed.h"
#include "clearcase/sandbox/SandboxStore.h"
#include "support/FakePlatform.h"
#include "support/TempSandbox.h"
#include "util/ZanError.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString errorOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const ZanError &e) {
        return e.description();
    }
    return QStringLiteral("<no error>");
}

class SandboxClearCaseTest : public ::testing::Test
{
protected:
    TempSandbox sandbox;
    FakePlatform platform;
    std::unique_ptr<ClearCase> cc = sandbox.open(platform);

    static QString version(const QString &path) { return path + QStringLiteral("@@/main/0"); }
    void makeType(const QString &vob, const QString &name) { cc->createAttributeType(vob, name, 8, QString()); }
};

} // namespace

TEST_F(SandboxClearCaseTest, SeedDescribesASmallSite)
{
    // Views, VOBs and types as every backend sees them are in the contract suite.
    EXPECT_EQ(cc->description(), QStringLiteral("sandbox at ") + QDir::toNativeSeparators(sandbox.folder()));
    for (const ViewInfo &view : cc->allViews())
        EXPECT_EQ(view.host, platform.computer);
    EXPECT_EQ(errorOf([&] { cc->viewByTag(QStringLiteral("nobody")); }),
              QStringLiteral("No matching entries found for view tag \"nobody\"."));

    for (const QString &vob : SandboxSeed::vobTags)
        EXPECT_EQ(cc->attributeTypeNames(vob), SandboxSeed::builtinAttributeTypes);
    EXPECT_GE(sandbox.store().elements(SandboxSeed::projVob).size(), 300);
}

TEST_F(SandboxClearCaseTest, DrivesAndStartedViewsAreFolders)
{
    const QMap<QChar, QString> drives = platform.driveMap();
    for (const QChar letter : {QLatin1Char('a'), QLatin1Char('c'), QLatin1Char('d'), QLatin1Char('m')}) {
        ASSERT_TRUE(drives.contains(letter));
        EXPECT_TRUE(QFileInfo(drives.value(letter)).isDir());
    }
    EXPECT_TRUE(QFileInfo(platform.hostPath(QStringLiteral("m:\\bob_dev\\proj\\src\\main.c"))).isFile());
    EXPECT_TRUE(QFileInfo(platform.hostPath(QStringLiteral("m:\\bob_dev\\proj_pvob\\projects"))).isDir());
    EXPECT_FALSE(QFileInfo::exists(platform.hostPath(QStringLiteral("m:\\Team_BOB_int"))));
    EXPECT_FALSE(QFileInfo::exists(platform.hostPath(QStringLiteral("m:\\alice_snap"))));
}

TEST_F(SandboxClearCaseTest, VobRootInEverySpelling)
{
    makeType(SandboxSeed::projVob, QStringLiteral("__mktype"));
    cc->attachAttribute(SandboxSeed::projVob, QStringLiteral("__mktype"), version(QStringLiteral("m:\\bob_dev\\proj\\.")),
                        QStringLiteral("NONE"), QString(), false);
    for (const QString &root : {QStringLiteral("m:\\bob_dev\\proj"), QStringLiteral("m:\\bob_dev\\proj\\"),
                                QStringLiteral("M:\\robert_dev\\proj\\.")}) {
        const QList<AttributeInfo> found = cc->attributes(version(root));
        ASSERT_EQ(found.size(), 1) << root.toStdString();
        EXPECT_EQ(found.first().value, QStringLiteral("NONE"));
        EXPECT_NO_THROW(cc->requireVersion(root));
    }
}

TEST_F(SandboxClearCaseTest, PathsThatAreNotElements)
{
    const QString privateFile = QStringLiteral("m:\\bob_dev\\proj\\src\\private.tmp");
    EXPECT_EQ(errorOf([&] { cc->requireVersion(version(privateFile)); }),
              QStringLiteral("Not a vob object: \"m:\\bob_dev\\proj\\src\\private.tmp@@/main/0\"."));
    for (const QString &path : {QStringLiteral("m:\\bob_dev\\proj\\src\\gone.c"), QStringLiteral("m:\\bob_dev"),
                                QStringLiteral("m:\\Team_BOB_int\\proj\\src\\main.c"), QStringLiteral("m:\\alice_snap\\proj"),
                                QStringLiteral("c:\\bob_dev\\proj\\src\\main.c"), QStringLiteral("\\\\srv\\share\\main.c"),
                                QStringLiteral("m:\\bob_dev\\proj\\src\\main.c@@/main/7"),
                                QStringLiteral("m:\\bob_dev\\proj\\..\\tools\\bin")}) {
        EXPECT_EQ(errorOf([&] { cc->requireVersion(path); }),
                  QStringLiteral("Unable to access \"%1\": No such file or directory.").arg(path));
    }
    EXPECT_NO_THROW(cc->requireVersion(QStringLiteral("m:\\bob_dev\\proj\\src\\include\\..\\main.c@@\\main\\0")));
}

TEST_F(SandboxClearCaseTest, AttributesBelongToTheElementNotTheView)
{
    const QString type = QStringLiteral("__checkout");
    EXPECT_EQ(errorOf([&] {
                  cc->attachAttribute(SandboxSeed::projVob, type, version(QStringLiteral("m:\\bob_dev\\proj\\src\\util.c")),
                                      QStringLiteral("bob"), QString(), false);
              }),
              QStringLiteral("Attribute type not found: \"__checkout\"."));
    makeType(SandboxSeed::projVob, type);
    EXPECT_EQ(errorOf([&] { makeType(SandboxSeed::projVob, type); }), QStringLiteral("Name \"__checkout\" already exists."));

    cc->attachAttribute(SandboxSeed::projVob, type, version(QStringLiteral("m:\\bob_dev\\proj\\src\\util.c")),
                        QStringLiteral("bob"), QString(), false);
    EXPECT_THROW(cc->attachAttribute(SandboxSeed::projVob, type, version(QStringLiteral("m:\\rel_view\\proj\\src\\util.c")),
                                     QStringLiteral("eve"), QString(), false),
                 ZanError);
    cc->attachAttribute(SandboxSeed::projVob, type, version(QStringLiteral("m:\\rel_view\\proj\\src\\util.c")),
                        QStringLiteral("bob,alice"), QString(), true);
    const QList<AttributeInfo> seen = cc->attributes(version(QStringLiteral("m:\\robert_dev\\proj\\src\\util.c")));
    ASSERT_EQ(seen.size(), 1);
    EXPECT_EQ(seen.first().typeName, type);
    EXPECT_EQ(seen.first().value, QStringLiteral("bob,alice"));
    EXPECT_TRUE(cc->attributes(version(QStringLiteral("m:\\bob_dev\\proj\\src\\main.c"))).isEmpty());

    // A type of one VOB is not attached to an element of another.
    makeType(SandboxSeed::toolsVob, type);
    EXPECT_THROW(cc->attachAttribute(SandboxSeed::toolsVob, type, version(QStringLiteral("m:\\bob_dev\\proj\\src\\main.c")),
                                     QStringLiteral("x"), QString(), false),
                 ZanError);

    cc->removeAttribute(version(QStringLiteral("m:\\bob_dev\\proj\\src\\util.c")), type, QString());
    EXPECT_TRUE(cc->attributes(version(QStringLiteral("m:\\bob_dev\\proj\\src\\util.c"))).isEmpty());
    EXPECT_EQ(errorOf([&] { cc->removeAttribute(version(QStringLiteral("m:\\bob_dev\\proj\\src\\util.c")), type, QString()); }),
              QStringLiteral("Attribute not found: \"__checkout\"."));
}

TEST_F(SandboxClearCaseTest, TriggerTypesRecordTheirCreatorAndNameTheirErrors)
{
    const TriggerTypeDefinition definition{QStringLiteral("_KORVANE_SECURITY1"), 2, 1, {2}, {}, {{TriggerTypeDefinition::AllClients, QStringLiteral("perl x.pl")}}, QString()};
    cc->createTriggerType(SandboxSeed::projVob, definition);
    EXPECT_EQ(errorOf([&] { cc->createTriggerType(SandboxSeed::projVob, definition); }),
              QStringLiteral("Name \"_KORVANE_SECURITY1\" already exists."));
    EXPECT_EQ(sandbox.store().findTriggerType(SandboxSeed::projVob, definition.name)->creator, platform.login);
    cc->removeTriggerType(SandboxSeed::projVob, definition.name);
    EXPECT_EQ(errorOf([&] { cc->removeTriggerType(SandboxSeed::projVob, definition.name); }),
              QStringLiteral("Trigger type not found: \"_KORVANE_SECURITY1\"."));
}

TEST(SandboxFactory, ChoosesTheBackendFromTheEnvironment)
{
    QTemporaryDir dir;
    FakePlatform platform;
    platform.environment.insert(QStringLiteral("ZAN_CLEARCASE"), QStringLiteral("Sandbox"));
    platform.environment.insert(QStringLiteral("ZAN_SANDBOX"), dir.path());
    platform.environment.insert(QStringLiteral("ZAN_DRIVES"), QStringLiteral("c=/elsewhere"));
    const std::unique_ptr<ClearCase> cc = ClearCaseFactory::create(platform);
    EXPECT_EQ(cc->description(), QStringLiteral("sandbox at ") + QDir::toNativeSeparators(dir.path()));
    EXPECT_EQ(platform.driveMap().value(QLatin1Char('c')), QStringLiteral("/elsewhere"));
    EXPECT_EQ(platform.driveMap().value(QLatin1Char('m')), dir.path() + QStringLiteral("/drives/m"));

    platform.environment.insert(QStringLiteral("ZAN_CLEARCASE"), QStringLiteral("clearcase-by-mail"));
    EXPECT_THROW(ClearCaseFactory::create(platform), ZanError);
}
