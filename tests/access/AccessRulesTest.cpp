#include "access/AccessAttributeFormat.h"
#include "access/OperationsCatalogue.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace Format = AccessAttributeFormat;
namespace Catalogue = OperationsCatalogue;

TEST(OperationsCatalogue, PrivilegedTestIsACaseSensitiveSubstringTest)
{
    QStringList privileged;
    for (const QString &operation : Catalogue::offeredOperations(true)) {
        if (Catalogue::isPrivileged(operation, Catalogue::defaultPrivilegedList()))
            privileged << operation;
    }
    EXPECT_EQ(privileged.join(','), "chevent,mktype,rntype,rmtype,rmelem,modtype,rmhlink,mkattype,mktrtype,mkeltype,mkhltype,mklbtype");
    EXPECT_TRUE(Catalogue::isPrivileged("reserve", "unreserve"));
    EXPECT_FALSE(Catalogue::isPrivileged("mktype", "MKTYPE"));
    EXPECT_TRUE(Catalogue::isPrivileged(QString(), QString()));
}

TEST(AccessAttributeFormat, ValuesNamesAndTypes)
{
    EXPECT_EQ(Format::joinUsers({"bob", "ALL"}), "bob,ALL");
    EXPECT_EQ(Format::joinUsers({}), "NONE"); // an emptied list is stored as the marker; no window test empties one
    EXPECT_EQ(Format::splitUsers("none, bob ,Bob,bob"), (QStringList{"none", " bob ", "Bob"}));
    EXPECT_EQ(Format::splitGroups(QString()), QStringList());
    EXPECT_TRUE(Format::isStorableUserName("none"));
    EXPECT_TRUE(Format::isPurgedType("foreign__type"));
    EXPECT_TRUE(Format::isPurgedType("QX_GROUPS"));
    EXPECT_FALSE(Format::isPurgedType("qx_groups"));
    EXPECT_FALSE(Format::isOperationType("QX_GROUPS"));
    EXPECT_EQ(Format::typeComment("3/4/25"), "Created by VuVoziruv Evarori on 3/4/25 * * DO NOT DELETE * *");
}
