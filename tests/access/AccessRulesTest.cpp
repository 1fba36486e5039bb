#include "access/AccessAttributeFormat.h"
#include "access/OperationsCatalogue.h"
#include "support/QtPrinters.h"
#include "util/TextRoutines.h"

#include <gtest/gtest.h>

namespace Format = AccessAttributeFormat;
namespace Catalogue = OperationsCatalogue;

TEST(OperationsCatalogue, PrivilegedTestIsACaseSensitiveSubstringTest)
{
    const QString defaults = QStringLiteral("mktype,rntype,rmtype,chevent,modtype,rmelem,rmhlink,rmtype,rntype,mkattype,"
                                            "mktrtype,mkeltype,mkhltype,mklbtype,mktrtype");
    QStringList privileged;
    for (const QString &operation : Catalogue::offeredOperations(true)) {
        if (Catalogue::isPrivileged(operation, defaults))
            privileged << operation;
    }
    EXPECT_EQ(privileged.join(QLatin1Char(',')),
              QStringLiteral("chevent,mktype,rntype,rmtype,rmelem,modtype,rmhlink,mkattype,mktrtype,mkeltype,mkhltype,mklbtype"));
    EXPECT_TRUE(Catalogue::isPrivileged(QStringLiteral("reserve"), QStringLiteral("unreserve")));
    EXPECT_FALSE(Catalogue::isPrivileged(QStringLiteral("mktype"), QStringLiteral("MKTYPE")));
    EXPECT_TRUE(Catalogue::isPrivileged(QString(), QString()));
}

TEST(AccessAttributeFormat, ValuesRoundTripWithTheMarkerAndEmptyPieces)
{
    EXPECT_EQ(Format::joinUsers({QStringLiteral("bob"), QStringLiteral("ALL")}), QStringLiteral("bob,ALL"));
    EXPECT_EQ(Format::joinUsers({}), QStringLiteral("NONE"));
    EXPECT_EQ(Format::splitUsers(QStringLiteral("a,,b")), (QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")}));
    EXPECT_EQ(Format::splitUsers(QStringLiteral("NONE,x")), QStringList{QStringLiteral("x")});
    EXPECT_EQ(Format::splitUsers(QStringLiteral("none, bob ,Bob,bob")),
              (QStringList{QStringLiteral("none"), QStringLiteral(" bob "), QStringLiteral("Bob")}));
    EXPECT_EQ(Format::splitGroups(QString()), QStringList());
}

TEST(AccessAttributeFormat, StorableNamesAndPurgedTypes)
{
    EXPECT_TRUE(Format::isStorableUserName(QStringLiteral("none")));
    for (const QString &bad : {QStringLiteral("NONE"), QStringLiteral("bob,eve"), QString(), QStringLiteral("  ")})
        EXPECT_FALSE(Format::isStorableUserName(bad)) << bad.toStdString();
    EXPECT_TRUE(Format::isPurgedType(QStringLiteral("foreign__type")));
    EXPECT_TRUE(Format::isPurgedType(QStringLiteral("QX_GROUPS")));
    EXPECT_FALSE(Format::isPurgedType(QStringLiteral("qx_groups")));
    EXPECT_FALSE(Format::isOperationType(QStringLiteral("QX_GROUPS")));
}

TEST(AccessAttributeFormat, TypeComment)
{
    EXPECT_EQ(Format::typeComment(QStringLiteral("3/4/25")),
              QStringLiteral("Created by VuVoziruv Evarori on 3/4/25 * * DO NOT DELETE * *"));
}
