#include "access/AccessAttributeFormat.h"
#include "access/OperationsCatalogue.h"
#include "access/OperationsController.h"
#include "util/TextRoutines.h"

#include <gtest/gtest.h>

namespace Format = AccessAttributeFormat;
namespace Catalogue = OperationsCatalogue;

namespace {
const QString defaultPrivileged = QStringLiteral(
    "mktype,rntype,rmtype,chevent,modtype,rmelem,rmhlink,rmtype,rntype,mkattype,mktrtype,mkeltype,mkhltype,mklbtype,mktrtype");
}

TEST(OperationsCatalogue, ListsKeepTheirRepeatsAndThePickerOffersEachNameOnce)
{
    EXPECT_EQ(TextRoutines::commaSplit(Catalogue::elementOperations()).size(), 12);
    EXPECT_EQ(TextRoutines::commaSplit(Catalogue::typeOperations()).size(), 14);
    EXPECT_EQ(TextRoutines::commaSplit(Catalogue::ucmOperations()).size(), 23);

    const QStringList base = Catalogue::offeredOperations(false);
    EXPECT_EQ(base.size(), 11 + 13);
    EXPECT_EQ(base.count(QStringLiteral("lock")), 1);
    EXPECT_EQ(base.count(QStringLiteral("mktrtype")), 1);
    EXPECT_FALSE(base.contains(QStringLiteral("deliver_start")));
    EXPECT_EQ(base.first(), QStringLiteral("checkout"));

    const QStringList withUcm = Catalogue::offeredOperations(true);
    EXPECT_EQ(withUcm.size(), 11 + 13 + 23);
    EXPECT_EQ(withUcm.last(), QStringLiteral("rmfolder"));
}

TEST(OperationsCatalogue, PrivilegedTestIsACaseSensitiveSubstringTest)
{
    EXPECT_TRUE(Catalogue::isPrivileged(QStringLiteral("chevent"), defaultPrivileged));
    EXPECT_FALSE(Catalogue::isPrivileged(QStringLiteral("chtype"), defaultPrivileged));
    EXPECT_FALSE(Catalogue::isPrivileged(QStringLiteral("checkout"), defaultPrivileged));
    EXPECT_TRUE(Catalogue::isPrivileged(QStringLiteral("reserve"), QStringLiteral("unreserve")));
    EXPECT_FALSE(Catalogue::isPrivileged(QStringLiteral("mktype"), QStringLiteral("MKTYPE")));
    EXPECT_TRUE(Catalogue::isPrivileged(QString(), QString()));
    EXPECT_TRUE(Catalogue::isPrivileged(QString(), defaultPrivileged));
    EXPECT_FALSE(Catalogue::isPrivileged(QStringLiteral("chevent"), QString()));

    // With the default list every type operation except chtype is privileged, and nothing else.
    QStringList privileged;
    for (const QString &operation : Catalogue::offeredOperations(true)) {
        if (Catalogue::isPrivileged(operation, defaultPrivileged))
            privileged << operation;
    }
    EXPECT_EQ(privileged.join(QLatin1Char(',')),
              QStringLiteral("chevent,mktype,rntype,rmtype,rmelem,modtype,rmhlink,mkattype,mktrtype,mkeltype,mkhltype,mklbtype"));
}

TEST(AccessAttributeFormat, UsersValueJoinsWithCommasOrSaysNone)
{
    EXPECT_EQ(Format::typeName(QStringLiteral("checkout")), QStringLiteral("__checkout"));
    EXPECT_EQ(Format::joinUsers({QStringLiteral("bob"), QStringLiteral("ALL")}), QStringLiteral("bob,ALL"));
    EXPECT_EQ(Format::joinUsers({}), QStringLiteral("NONE"));
    EXPECT_EQ(Format::joinUsers({QStringLiteral("a"), QString(), QStringLiteral("b")}), QStringLiteral("a,,b"));
}

TEST(AccessAttributeFormat, ReadingBackKeepsEmptyPiecesAndDropsOnlyTheExactMarker)
{
    EXPECT_EQ(Format::splitUsers(QStringLiteral("a,,b")), (QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")}));
    EXPECT_EQ(Format::splitUsers(QStringLiteral("NONE,x")), QStringList{QStringLiteral("x")});
    EXPECT_EQ(Format::splitUsers(QStringLiteral("NONE")), QStringList());
    EXPECT_EQ(Format::splitUsers(QString()), QStringList());
    EXPECT_EQ(Format::splitUsers(QStringLiteral("none, bob ,Bob,bob")),
              (QStringList{QStringLiteral("none"), QStringLiteral(" bob "), QStringLiteral("Bob")}));
    EXPECT_EQ(Format::splitGroups(QString()), QStringList());
    EXPECT_EQ(Format::splitGroups(QStringLiteral("dev,qa")), (QStringList{QStringLiteral("dev"), QStringLiteral("qa")}));
}

TEST(AccessAttributeFormat, UserNamesThatWouldChangeTheValueAreNotStorable)
{
    EXPECT_TRUE(Format::isStorableUserName(QStringLiteral("bob")));
    EXPECT_TRUE(Format::isStorableUserName(QStringLiteral("none")));
    EXPECT_FALSE(Format::isStorableUserName(QStringLiteral("NONE")));
    EXPECT_FALSE(Format::isStorableUserName(QStringLiteral("bob,eve")));
    EXPECT_FALSE(Format::isStorableUserName(QString()));
    EXPECT_FALSE(Format::isStorableUserName(QStringLiteral("  ")));
}

TEST(AccessAttributeFormat, PurgesTakeEveryTypeWithTheMarkerAndTheGroupsType)
{
    EXPECT_TRUE(Format::isOperationType(QStringLiteral("__checkout")));
    EXPECT_TRUE(Format::isOperationType(QStringLiteral("Old__checkout")));
    EXPECT_FALSE(Format::isOperationType(QStringLiteral("QX_GROUPS")));
    EXPECT_TRUE(Format::isPurgedType(QStringLiteral("QX_GROUPS")));
    EXPECT_TRUE(Format::isPurgedType(QStringLiteral("foreign__type")));
    EXPECT_FALSE(Format::isPurgedType(QStringLiteral("qx_groups")));
    EXPECT_FALSE(Format::isPurgedType(QStringLiteral("HlinkFromText")));
}

TEST(AccessAttributeFormat, ValueLookupIsExact)
{
    const QList<AttributeInfo> attributes{{QStringLiteral("__Checkout"), QStringLiteral("x")},
                                          {QStringLiteral("__checkout"), QStringLiteral("bob")},
                                          {QStringLiteral("__checkout"), QStringLiteral("later")}};
    EXPECT_EQ(Format::valueOf(attributes, QStringLiteral("__checkout")), QStringLiteral("bob"));
    EXPECT_EQ(Format::valueOf(attributes, QStringLiteral("__checkin")), QString());
}

TEST(AccessAttributeFormat, PrivilegedSettingsLiveOnTheVobRootDirectory)
{
    const QString root = QStringLiteral("m:\\bob_dev\\proj");
    const QString file = QStringLiteral("m:\\bob_dev\\proj\\src\\main.c");
    EXPECT_EQ(Format::vobRootElement(root), QStringLiteral("m:\\bob_dev\\proj\\."));
    EXPECT_EQ(Format::attributeTarget(true, file, root), QStringLiteral("m:\\bob_dev\\proj\\."));
    EXPECT_EQ(Format::attributeTarget(false, file, root), file);
    EXPECT_EQ(Format::elementPath(root, root), QStringLiteral("m:\\bob_dev\\proj\\."));
    EXPECT_EQ(Format::elementPath(file, root), file);
}

TEST(AccessAttributeFormat, TextsWrittenIntoTheVob)
{
    EXPECT_EQ(Format::typeComment(QStringLiteral("3/4/25")),
              QStringLiteral("Created by VuVoziruv Evarori on 3/4/25 * * DO NOT DELETE * *"));
    EXPECT_EQ(Format::groupsTypeName, QStringLiteral("QX_GROUPS"));
    EXPECT_EQ(OperationsController::stopMessage(QStringLiteral("chevent")),
              QStringLiteral("Operation \"chevent\" can only be applied \r\nto the VOB root (VOB folder).  Select the  \r\n"
                             "VOB root.  This applies to the entire VOB, \r\nnot per element."));
}
