#include "groups/GroupNameRules.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

TEST(GroupNameRules, SettingKeysAreRecognisedIgnoringCase)
{
    for (const char *name : {"NUSERS", "nusers", "PrivOper", "QXGROUPS", "clearcase_override", "Interopproj", "NTLoc",
                             "ntlocproj", "UnixLocX", "WinUnixLocproj", "adminlistTools"})
        EXPECT_TRUE(GroupNameRules::isSettingKey(QLatin1String(name))) << name;
    for (const char *name : {"dev", "qa", "NUSERS2", "my NUSERS", "Inter", "proj"})
        EXPECT_FALSE(GroupNameRules::isSettingKey(QLatin1String(name))) << name;
}

TEST(GroupNameRules, CommasAndSettingNamesAreRefusedWithAReason)
{
    EXPECT_EQ(GroupNameRules::groupNameProblem(QStringLiteral("dev team")), QString());
    EXPECT_EQ(GroupNameRules::memberNameProblem(QStringLiteral("DOMAIN\\bob")), QString());

    EXPECT_EQ(GroupNameRules::groupNameProblem(QStringLiteral("dev,qa")),
              QStringLiteral("\"dev,qa\" contains a comma. Group and member names are stored as comma-separated lists, "
                             "so it would come back as several names."));
    EXPECT_EQ(GroupNameRules::memberNameProblem(QStringLiteral("bob,ann")), GroupNameRules::groupNameProblem(QStringLiteral("bob,ann")));
    EXPECT_EQ(GroupNameRules::groupNameProblem(QStringLiteral("Nusers")),
              QStringLiteral("\"Nusers\" cannot be used as a group name: the program keeps one of its own settings under that "
                             "name. Please choose another name."));
    // Members are values, never keys: a member may be called like a setting.
    EXPECT_EQ(GroupNameRules::memberNameProblem(QStringLiteral("NUSERS")), QString());

    EXPECT_EQ(GroupNameRules::memberKeyProblem(QStringLiteral("dev")), QString());
    EXPECT_EQ(GroupNameRules::memberKeyProblem(QString()), QStringLiteral("A group without a name cannot hold members."));
    EXPECT_FALSE(GroupNameRules::memberKeyProblem(QStringLiteral("QXGROUPS")).isEmpty());
}
