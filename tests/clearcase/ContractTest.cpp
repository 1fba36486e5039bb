// The same expectations of every ClearCase role, run against each backend.
#include "ElementTrigger.h"
#include "support/EmulatorBackend.h"
#include "support/ErrorText.h"
#include "support/FakePlatform.h"
#include "support/TempSandbox.h"

#include "clearcase/sandbox/SandboxSeed.h"
#include "clearcase/sandbox/SandboxStore.h"
#include "support/QtPrinters.h"
#include "util/ZanError.h"

#include <gtest/gtest.h>

namespace {

// The type trigger line exactly as the installer builds it (two blanks before -c).
QString typeTriggerLine(const QString &vobTag)
{
    return QStringLiteral("mktrtype -type -preop MODIFY_TYPE -nusers \"user1\" -attype -all -brtype -all -eltype -all -hltype -all "
                          "-lbtype -all -trtype -all -exec \"ccperl \\\\myhost\\triggers\\_qx_security_trigger.pl m user1,user2\"  "
                          "-c \"Created by Zan Utility on 12/5/2006 * * DO NOT MODIFY OR DELETE * *\" _KORVANE_SECURITY2@")
           + vobTag;
}

QString valueOf(ClearCase &clearCase, const QString &version, const QString &typeName)
{
    for (const AttributeInfo &attribute : clearCase.attributes(version)) {
        if (attribute.typeName == typeName)
            return attribute.value;
    }
    return QStringLiteral("<missing>");
}

// The sandbox backend, or the cleartool backend driving the emulator over the same kind of sandbox.
template <SiteStyle::Kind K, bool ViaCleartool>
struct Backend {
    static constexpr bool refusesUnsafeValues = ViaCleartool;
    static constexpr SiteStyle::Kind kind = K;
    ClearCase &clearCase() { return *backend; }
    // The backend works in the style of the site it was given.
    std::unique_ptr<ClearCase> open()
    {
        std::unique_ptr<ClearCase> opened = ViaCleartool ? emulatorBackend(sandbox.folder()) : sandbox.open(platform);
        QStringList tags;
        for (const QString &tag : SandboxSeed::vobTags)
            tags << SandboxSeed::vobTag(tag, K);
        opened->setSiteStyle(SiteStyle(K, tags));
        return opened;
    }
    TempSandbox sandbox{K};
    FakePlatform platform;
    std::unique_ptr<ClearCase> backend = open();
};

} // namespace

template <typename Site>
class ClearCaseContract : public ::testing::Test
{
protected:
    ClearCase &cc() { return backend.clearCase(); }
    SandboxStore &store() { return backend.sandbox.store(); }

    // The seeded site's names in the style the test runs in.
    const SiteStyle &site() { return cc().siteStyle(); }
    QString tagOf(const QString &seedTag) { return SandboxSeed::vobTag(seedTag, site().kind()); }
    QString elementPath(QString relative, const QString &view = SandboxSeed::bobDev)
    {
        const QString root = site().isUnix() ? QStringLiteral("/view/%1/vobs/proj").arg(view) : QStringLiteral("m:\\%1\\proj").arg(view);
        relative.replace(QLatin1Char('\\'), site().separator());
        return relative.isEmpty() ? root : site().join(root, relative);
    }
    QString versionOf(const QString &relative) { return SiteStyle::versionOf(elementPath(relative)); }

    Site backend;
    const QString proj = tagOf(SandboxSeed::projVob);
    const QString pvob = tagOf(SandboxSeed::projPvob);
};

using Backends = ::testing::Types<Backend<SiteStyle::Kind::Windows, false>, Backend<SiteStyle::Kind::Windows, true>,
                                  Backend<SiteStyle::Kind::Unix, false>, Backend<SiteStyle::Kind::Unix, true>>;
class BackendNames
{
public:
    template <typename T>
    static std::string GetName(int)
    {
        const std::string style = T::kind == SiteStyle::Kind::Unix ? "_unix" : "_windows";
        return (T::refusesUnsafeValues ? "cleartool" : "sandbox") + style;
    }
};
TYPED_TEST_SUITE(ClearCaseContract, Backends, BackendNames);

TYPED_TEST(ClearCaseContract, ViewsAreListedWithTheirKindStateAndConfigSpec)
{
    const QList<ViewInfo> views = this->cc().allViews();
    QStringList tags;
    for (const ViewInfo &view : views) {
        tags << view.tag;
        EXPECT_FALSE(view.host.isEmpty()) << view.tag.toStdString();
        EXPECT_EQ(view.snapshot, view.tag == SandboxSeed::aliceSnap) << view.tag.toStdString();
    }
    EXPECT_EQ(tags, SandboxSeed::viewTags);

    const ViewInfo started = this->cc().viewByTag(SandboxSeed::bobDev);
    EXPECT_TRUE(started.active);
    EXPECT_FALSE(started.snapshot);
    EXPECT_EQ(started.configSpec, SandboxSeed::defaultConfigSpec);
    EXPECT_FALSE(this->cc().viewByTag(SandboxSeed::teamBobInt).active);
    EXPECT_TRUE(this->cc().viewByTag(SandboxSeed::aliceSnap).snapshot);
    EXPECT_TRUE(errorOf([&] { this->cc().viewByTag(QStringLiteral("no_such_view")); }).contains(QLatin1String("no_such_view")));
}

TYPED_TEST(ClearCaseContract, VobsAndUcmProjectVobs)
{
    EXPECT_NO_THROW(this->cc().requireVob(this->proj));
    EXPECT_NO_THROW(this->cc().requireVob(this->pvob));
    EXPECT_THROW(this->cc().requireVob(QStringLiteral("\\nosuch")), ZanError);
    EXPECT_NO_THROW(this->cc().requireUcmProjectVob(this->pvob));
    EXPECT_THROW(this->cc().requireUcmProjectVob(this->proj), ZanError);
    EXPECT_THROW(this->cc().requireUcmProjectVob(QStringLiteral("\\nosuch")), ZanError);
}

TYPED_TEST(ClearCaseContract, VersionsResolveOnlyForElementsInStartedViews)
{
    const QStringList elements = {this->versionOf(SandboxSeed::mainC), this->elementPath(SandboxSeed::mainC),
                                  this->versionOf(SandboxSeed::fileOneTxt), this->versionOf(SandboxSeed::dotDotFile),
                                  this->elementPath(QStringLiteral(".")), SiteStyle::versionOf(this->site().join(this->elementPath(QString()), QString())),
                                  this->versionOf(SandboxSeed::srcDir)};
    for (const QString &path : elements)
        EXPECT_NO_THROW(this->cc().requireVersion(path)) << path.toStdString();

    const QStringList notElements = {this->versionOf(SandboxSeed::privateFile), this->elementPath(SandboxSeed::privateFile),
                                     this->versionOf(QStringLiteral("src\\missing.c")), QStringLiteral("c:\\temp\\x.c@@/main/0"),
                                     this->elementPath(SandboxSeed::mainC, SandboxSeed::teamBobInt) + QStringLiteral("@@/main/0"),
                                     this->versionOf(SandboxSeed::atAtFile)};
    for (const QString &path : notElements)
        EXPECT_THROW(this->cc().requireVersion(path), ZanError) << path.toStdString();
}

// cleartool lists types in name order, the sandbox in creation order: the order is no part of it.
TYPED_TEST(ClearCaseContract, AttributeTypesAreCreatedOncePerVob)
{
    const auto sorted = [](QStringList names) {
        names.sort();
        return names;
    };
    for (const QString &seedTag : SandboxSeed::vobTags)
        EXPECT_EQ(sorted(this->cc().attributeTypeNames(this->tagOf(seedTag))), sorted(SandboxSeed::builtinAttributeTypes)) << seedTag.toStdString();
    const QStringList before = SandboxSeed::builtinAttributeTypes;

    this->cc().createAttributeType(this->proj, QStringLiteral("__checkout"), 8, QStringLiteral("Korvane Zan Tool: Do NOT REMOVE"));
    this->cc().createAttributeType(this->proj, QStringLiteral("QX_GROUPS"), 8, QString());
    EXPECT_EQ(sorted(this->cc().attributeTypeNames(this->proj)),
              sorted(before + QStringList({QStringLiteral("__checkout"), QStringLiteral("QX_GROUPS")})));
    EXPECT_FALSE(this->cc().attributeTypeNames(this->tagOf(SandboxSeed::toolsVob)).contains(QStringLiteral("__checkout")));
    EXPECT_THROW(this->cc().createAttributeType(this->proj, QStringLiteral("__checkout"), 8, QString()), ZanError);
    EXPECT_THROW(this->cc().createAttributeType(QStringLiteral("\\nosuch"), QStringLiteral("__x"), 8, QString()), ZanError);
}

TYPED_TEST(ClearCaseContract, AttributeValuesTravelUnchanged)
{
    const QString comment = QStringLiteral("Korvane Zan Tool: Do NOT REMOVE");
    this->cc().createAttributeType(this->proj, QStringLiteral("__checkout"), 8, comment);
    this->cc().createAttributeType(this->proj, QStringLiteral("__rmelem"), 8, comment);
    const QStringList versions = {this->versionOf(SandboxSeed::mainC), this->versionOf(SandboxSeed::fileOneTxt),
                                  SiteStyle::versionOf(this->site().join(this->elementPath(QString()), QString()))};
    const QStringList values = {QStringLiteral("NONE"), QStringLiteral("bob,ALL"), QStringLiteral("Anne Marie,Jörg,Ærø"),
                                QString(), QStringLiteral(" padded , list "),
                                // A backslash in a value cannot pass UNIX cleartool's parser safely.
                                this->site().isUnix() ? QStringLiteral("a*b?(c)[d]$;e") : QStringLiteral("a*b?(c)[d]\\e")};
    for (const QString &version : versions) {
        this->cc().attachAttribute(this->proj, QStringLiteral("__checkout"), version, QStringLiteral("NONE"), comment, false);
        for (const QString &value : values) {
            this->cc().attachAttribute(this->proj, QStringLiteral("__checkout"), version, value, comment, true);
            EXPECT_EQ(valueOf(this->cc(), version, QStringLiteral("__checkout")), value) << version.toStdString();
        }
        this->cc().attachAttribute(this->proj, QStringLiteral("__rmelem"), version, QStringLiteral("ALL"), comment, false);
        const QList<AttributeInfo> attributes = this->cc().attributes(version);
        ASSERT_EQ(attributes.size(), 2);
        EXPECT_EQ(attributes[0].typeName, QStringLiteral("__checkout"));
        EXPECT_EQ(attributes[1].typeName, QStringLiteral("__rmelem"));
    }
    EXPECT_EQ(this->store().attributes(this->proj, QStringLiteral("src/main.c")).first().value, values.last());
}

TYPED_TEST(ClearCaseContract, AttachingAndRemovingFollowTheRules)
{
    const QString version = this->versionOf(SandboxSeed::utilC);
    this->cc().createAttributeType(this->proj, QStringLiteral("__checkout"), 8, QString());
    EXPECT_TRUE(this->cc().attributes(version).isEmpty());

    this->cc().attachAttribute(this->proj, QStringLiteral("__checkout"), version, QStringLiteral("bob"), QStringLiteral("c"), false);
    // Without replace an existing value stays as it is.
    EXPECT_THROW(this->cc().attachAttribute(this->proj, QStringLiteral("__checkout"), version, QStringLiteral("eve"), QString(), false), ZanError);
    EXPECT_EQ(valueOf(this->cc(), version, QStringLiteral("__checkout")), QStringLiteral("bob"));
    EXPECT_THROW(this->cc().attachAttribute(this->proj, QStringLiteral("__nosuchtype"), version, QStringLiteral("x"), QString(), false), ZanError);
    EXPECT_THROW(this->cc().attachAttribute(this->proj, QStringLiteral("__checkout"), this->versionOf(SandboxSeed::privateFile),
                                            QStringLiteral("x"), QString(), false), ZanError);

    this->cc().removeAttribute(version, QStringLiteral("__checkout"), QString());
    EXPECT_TRUE(this->cc().attributes(version).isEmpty());
    EXPECT_THROW(this->cc().removeAttribute(version, QStringLiteral("__checkout"), QString()), ZanError);
    EXPECT_THROW(this->cc().attributes(this->versionOf(QStringLiteral("src\\missing.c"))), ZanError);
}

TYPED_TEST(ClearCaseContract, ValuesWithQuotesAreStoredOrRefusedButNeverMangled)
{
    const QString version = this->versionOf(SandboxSeed::mainC);
    this->cc().createAttributeType(this->proj, QStringLiteral("__checkout"), 8, QString());
    this->cc().attachAttribute(this->proj, QStringLiteral("__checkout"), version, QStringLiteral("NONE"), QString(), false);
    QString stored = QStringLiteral("NONE");
    for (const QString &value : {QStringLiteral("say \"hi\""), QStringLiteral("o'neil,bob"), QStringLiteral("two\nlines")}) {
        const QString error = errorOf([&] {
            this->cc().attachAttribute(this->proj, QStringLiteral("__checkout"), version, value, QString(), true);
        });
        const bool unixPassesSingleQuotes = TypeParam::kind == SiteStyle::Kind::Unix && value.contains(QLatin1Char('\''));
        if (TypeParam::refusesUnsafeValues && !unixPassesSingleQuotes) {
            EXPECT_TRUE(error.startsWith(QLatin1String("Cannot pass "))) << error.toStdString();
            EXPECT_EQ(valueOf(this->cc(), version, QStringLiteral("__checkout")), stored);
        } else {
            EXPECT_EQ(error, QStringLiteral("<no error>"));
            EXPECT_EQ(valueOf(this->cc(), version, QStringLiteral("__checkout")), stored = value);
        }
    }
}

TYPED_TEST(ClearCaseContract, TriggerTypesAreCreatedDescribedAndRemoved)
{
    this->cc().createTriggerType(this->proj, elementTrigger());
    EXPECT_EQ(this->cc().triggerTypeNames(this->proj), QStringList{QStringLiteral("_KORVANE_SECURITY1")});
    EXPECT_THROW(this->cc().createTriggerType(this->proj, elementTrigger()), ZanError);

    const auto stored = this->store().findTriggerType(this->proj, QStringLiteral("_KORVANE_SECURITY1"));
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->kind, 2);
    EXPECT_EQ(stored->firing, 1);
    EXPECT_EQ(stored->operations, (QStringList{QStringLiteral("MODIFY_DATA"), QStringLiteral("MODIFY_ELEM"), QStringLiteral("MODIFY_MD")}));
    EXPECT_EQ(stored->exemptUsers, QStringList{QStringLiteral("bob")});
    ASSERT_EQ(stored->actions.size(), 2);
    EXPECT_EQ(stored->actions[0].target, TriggerTypeDefinition::WindowsClients);
    EXPECT_EQ(stored->actions[0].command, elementTrigger().actions[0].command);
    EXPECT_EQ(stored->actions[1].command, elementTrigger().actions[1].command);
    EXPECT_EQ(stored->comment, elementTrigger().comment);

    const QString detail = this->cc().runCommand(QStringLiteral("desc -l trtype:_KORVANE_SECURITY1@") + this->proj);
    EXPECT_TRUE(detail.contains(QLatin1String("all element trigger"))) << detail.toStdString();
    EXPECT_TRUE(detail.contains(QLatin1String("pre-operation"))) << detail.toStdString();
    // Replacing a definition keeps nothing of the old one.
    this->cc().runCommand(QStringLiteral("mktrtype -replace -element -all -preop checkout -exec x -nc _KORVANE_SECURITY1@") + this->proj);
    EXPECT_TRUE(this->store().findTriggerType(this->proj, QStringLiteral("_KORVANE_SECURITY1"))->exemptUsers.isEmpty());

    TriggerTypeDefinition ucm;
    ucm.name = QStringLiteral("_UCM_KORVANE_SECURITY");
    ucm.kind = 4;
    ucm.firing = 1;
    ucm.operationKinds = {88};
    ucm.actions = {{TriggerTypeDefinition::AllClients, QStringLiteral("ccperl \\\\h\\t\\_qx_security_trigger.pl m a,b")}};
    this->cc().createTriggerType(this->pvob, ucm);
    const auto storedUcm = this->store().findTriggerType(this->pvob, ucm.name);
    ASSERT_TRUE(storedUcm.has_value());
    EXPECT_EQ(storedUcm->kind, 4);
    EXPECT_EQ(storedUcm->operations, QStringList{QStringLiteral("MODIFY_UCM")});
    EXPECT_EQ(storedUcm->actions[0].command, ucm.actions[0].command);
    EXPECT_TRUE(storedUcm->comment.isEmpty());

    this->cc().removeTriggerType(this->proj, QStringLiteral("_KORVANE_SECURITY1"));
    EXPECT_TRUE(this->cc().triggerTypeNames(this->proj).isEmpty());
    EXPECT_THROW(this->cc().removeTriggerType(this->proj, QStringLiteral("_KORVANE_SECURITY1")), ZanError);
    EXPECT_THROW(this->cc().triggerTypeNames(QStringLiteral("\\nosuch")), ZanError);
}

TYPED_TEST(ClearCaseContract, ProgramCommandLinesRunAsWrittenAndAreDescribedLikeCleartool)
{
    EXPECT_EQ(this->cc().runCommand(typeTriggerLine(this->proj)), QStringLiteral("Created trigger type \"_KORVANE_SECURITY2\".\n"));
    const auto stored = this->store().findTriggerType(this->proj, QStringLiteral("_KORVANE_SECURITY2"));
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->kind, 0);
    EXPECT_EQ(stored->inclusions.size(), 6);
    EXPECT_EQ(stored->exemptUsers, QStringList{QStringLiteral("user1")});
    ASSERT_EQ(stored->actions.size(), 1);
    EXPECT_EQ(stored->actions[0].command, QStringLiteral("ccperl \\\\myhost\\triggers\\_qx_security_trigger.pl m user1,user2"));
    EXPECT_EQ(stored->comment, QStringLiteral("Created by Zan Utility on 12/5/2006 * * DO NOT MODIFY OR DELETE * *"));

    const QStringList lines = this->cc().runCommand(QStringLiteral("desc -l trtype:_KORVANE_SECURITY2@") + this->proj).split(QLatin1Char('\n'));
    EXPECT_EQ(lines.first(), QStringLiteral("trigger type \"_KORVANE_SECURITY2\""));
    EXPECT_TRUE(lines.value(1).startsWith(QLatin1String("  created ")) && lines.value(1).endsWith(QLatin1String(" by bob")))
        << lines.value(1).toStdString();
    for (const char *expected : {"  \"Created by Zan Utility on 12/5/2006 * * DO NOT MODIFY OR DELETE * *\"", "  type trigger",
                                 "  pre-operation MODIFY_TYPE",
                                 "  action: -exec \"ccperl \\\\myhost\\triggers\\_qx_security_trigger.pl m user1,user2\"",
                                 "  excluded users: user1"})
        EXPECT_TRUE(lines.contains(QLatin1String(expected))) << expected;
    EXPECT_EQ(lines.last(), QString()) << "the description ends with a line end";

    // Lines cleartool would refuse change nothing.
    const QString at = QStringLiteral(" T@") + this->proj;
    for (const QString &line : {QStringLiteral("mktrtype -type -preop MODIFY_TYPE -attype -all -nc") + at,            // no action
                                QStringLiteral("mktrtype -type -preop MODIFY_TYPE -exec x -nc") + at,                 // no inclusion list
                                QStringLiteral("mktrtype -type -preop MODIFY_NOTHING -attype -all -exec x -nc") + at, // unknown kind
                                QStringLiteral("mktrtype -type -attype -all -exec x -nc") + at,                       // no firing
                                QStringLiteral("mktrtype -type -preop MODIFY_TYPE -attype -all -exec x -nc T"),       // no VOB
                                QStringLiteral("mktrtype -type -preop MODIFY_TYPE -attype -all -exec x -nc T@\\novob"),
                                QStringLiteral("mktrtype -type -preop MODIFY_TYPE -attype -all -exec x -bogus") + at,
                                QStringLiteral("mktrtype -type -preop MODIFY_TYPE -attype -all -exec"),               // option without value
                                QStringLiteral("desc -l trtype:_NOPE@") + this->proj}) {
        const QString error = errorOf([&] { this->cc().runCommand(line); });
        EXPECT_TRUE(error.startsWith(QLatin1String("cleartool: Error: "))) << line.toStdString() << " -> " << error.toStdString();
    }
    EXPECT_EQ(this->cc().triggerTypeNames(this->proj), QStringList{QStringLiteral("_KORVANE_SECURITY2")});

    // An interop line keeps both actions in order.
    const QString tools = this->tagOf(SandboxSeed::toolsVob);
    this->cc().runCommand(QStringLiteral("mktrtype -type -preop MODIFY_TYPE -attype -all -execwin \"ccperl \\\\h\\t\\s.pl m \" "
                                         "-execunix \"perl /net/h/t/s.pl m \" -c \"c\" _KORVANE_SECURITY2@") + tools);
    const QString interop = this->cc().runCommand(QStringLiteral("describe -long trtype:_KORVANE_SECURITY2@") + tools);
    const qsizetype windowsAction = interop.indexOf(QLatin1String("  action: -execwin \"ccperl \\\\h\\t\\s.pl m \""));
    EXPECT_GE(windowsAction, 0) << interop.toStdString();
    EXPECT_GT(interop.indexOf(QLatin1String("  action: -execunix \"perl /net/h/t/s.pl m \"")), windowsAction);
    EXPECT_FALSE(interop.contains(QLatin1String("excluded users")));

    EXPECT_THROW(this->cc().requireVersion(this->elementPath(SandboxSeed::mainC, SandboxSeed::teamBobInt)), ZanError);
    this->cc().runCommand(QStringLiteral("startview ") + SandboxSeed::teamBobInt);
    EXPECT_TRUE(this->cc().viewByTag(SandboxSeed::teamBobInt).active);
    EXPECT_NO_THROW(this->cc().requireVersion(this->elementPath(SandboxSeed::mainC, SandboxSeed::teamBobInt)));
}

TYPED_TEST(ClearCaseContract, BatchesCheckWriteReadAndRemoveManyVersions)
{
    const QStringList paths{this->elementPath(SandboxSeed::mainC), this->elementPath(SandboxSeed::privateFile), this->elementPath(SandboxSeed::utilC),
                            this->elementPath(SandboxSeed::fileOneTxt)};
    EXPECT_EQ(this->cc().existingVersions(paths), (QStringList{paths[0], paths[2], paths[3]}));
    EXPECT_EQ(this->cc().existingVersions({paths[0], paths[2]}), (QStringList{paths[0], paths[2]}));

    for (const QString &type : {QStringLiteral("__checkout"), QStringLiteral("QX_GROUPS")})
        this->cc().createAttributeType(this->proj, type, 8, QStringLiteral("t"));
    const QStringList versions{this->versionOf(SandboxSeed::mainC), this->versionOf(SandboxSeed::utilC), this->versionOf(SandboxSeed::fileOneTxt)};
    const QList<AttributeInfo> values{{QStringLiteral("__checkout"), QStringLiteral("bob,ALL")}, {QStringLiteral("QX_GROUPS"), QString()}};
    this->cc().attachAttributes(this->proj, values, versions, QStringLiteral("Korvane Zan Tool: Do NOT REMOVE"));
    this->cc().attachAttributes(this->proj, {{QStringLiteral("__checkout"), QStringLiteral("eve")}}, versions.mid(2), QStringLiteral("c"));
    const QList<QList<AttributeInfo>> read = this->cc().attributesOfVersions(versions);
    ASSERT_EQ(read.size(), 3);
    EXPECT_EQ(valueOf(this->cc(), versions[1], QStringLiteral("__checkout")), QStringLiteral("bob,ALL"));
    EXPECT_EQ(valueOf(this->cc(), versions[2], QStringLiteral("__checkout")), QStringLiteral("eve"));
    EXPECT_EQ(read[0].size(), read[1].size());

    // A batch with one bad version throws; callers then retry one at a time.
    EXPECT_THROW(this->cc().attachAttributes(this->proj, values, {versions[0], this->versionOf(SandboxSeed::privateFile)}, QStringLiteral("c")),
                 ZanError);
    this->cc().removeAttributes({{versions[0], {QStringLiteral("__checkout"), QStringLiteral("QX_GROUPS")}}, {versions[2], {QStringLiteral("QX_GROUPS")}}});
    EXPECT_EQ(valueOf(this->cc(), versions[0], QStringLiteral("__checkout")), QStringLiteral("<missing>"));
    EXPECT_EQ(valueOf(this->cc(), versions[2], QStringLiteral("__checkout")), QStringLiteral("eve"));
    EXPECT_EQ(valueOf(this->cc(), versions[2], QStringLiteral("QX_GROUPS")), QStringLiteral("<missing>"));

    // Where absent: a value already there stays, and a version that cannot take it throws nothing.
    this->cc().attachWhereAbsent(this->proj, {QStringLiteral("__checkout"), QStringLiteral("mark")},
                                 {versions[0], versions[1], versions[2], this->versionOf(SandboxSeed::privateFile)});
    const QStringList expected{QStringLiteral("mark"), QStringLiteral("bob,ALL"), QStringLiteral("eve")};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(valueOf(this->cc(), versions[i], QStringLiteral("__checkout")), expected[i]) << i;
}
