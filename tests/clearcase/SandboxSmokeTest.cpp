#include "clearcase/sandbox/SandboxSeed.h"
#include "clearcase/sandbox/SandboxStore.h"
#include "support/FakePlatform.h"
#include "support/TempSandbox.h"

#include <gtest/gtest.h>

TEST(SandboxSmoke, SeedsAndOpens)
{
    TempSandbox sandbox;
    FakePlatform platform;
    auto cc = sandbox.open(platform);
    EXPECT_EQ(cc->allViews().size(), SandboxSeed::viewTags.size());
    cc->requireVersion(QStringLiteral("m:\\bob_dev\\proj\\src\\main.c@@/main/0"));
}
