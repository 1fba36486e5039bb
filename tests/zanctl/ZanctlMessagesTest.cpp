// What an administrator reads from zanctl: typos answered with the nearest name, help on
// request, and apply and purge telling exactly which targets failed or are missing.
#include "ZanctlFixture.h"

#include "clearcase/sandbox/SandboxStore.h"
#include "shell/SettingsStore.h"

namespace {

struct Expected {
    QStringList arguments;
    int status;
    QString err;
};

} // namespace

using ZanctlMessages = ZanctlFixture;

TEST_P(ZanctlMessages, ATypoIsAUsageErrorNamingTheNearestName)
{
    const QList<Expected> cases = {
        {{"chekc"}, 2, "zanctl: unknown command \"chekc\" (see zanctl --help)\n"},
        {{"shwo", mainC}, 2, "zanctl: unknown command \"shwo\"; did you mean \"show\"? (see zanctl --help)\n"},
        {{"explain", "bob", "chekout", mainC}, 2,
         "zanctl explain: \"chekout\" is not an operation of the catalogue; did you mean \"checkout\"? (see zanctl explain --help)\n"},
        {{"explain", "bob", "frobnicate", mainC}, 2,
         "zanctl explain: \"frobnicate\" is not an operation of the catalogue (see zanctl explain --help)\n"},
        {{"show", "--jsno", mainC}, 2, "zanctl show: Unknown option 'jsno'. Did you mean --json? (see zanctl show --help)\n"},
        {{"apply", "--dyr-run", mainC}, 2, "zanctl apply: Unknown option 'dyr-run'. Did you mean --dry-run? (see zanctl apply --help)\n"},
        {{"export", "--bogus", "-"}, 2, "zanctl export: Unknown option 'bogus'.\n"},
    };
    for (const Expected &c : cases) {
        const Run run = zanctl(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(run.err, c.err);
        EXPECT_EQ(run.out, "");
    }
}

TEST_P(ZanctlMessages, HelpOnACommandIsItsOwnHelp)
{
    for (const QString &command : QStringList{"show", "explain", "audit", "apply", "purge", "lint", "export", "import"}) {
        const Run help = zanctl({"help", command});
        EXPECT_EQ(help.status, 0);
        EXPECT_TRUE(help.out.startsWith("Usage: zanctl " + command + " [options] ")) << help.out.toStdString();
        const Run own = zanctl({command, "--help"});
        EXPECT_EQ(help.out, own.out);
        EXPECT_EQ(help.err + own.err, "");
    }
    EXPECT_EQ(zanctl({"help", "shwo"}).err, "zanctl: unknown command \"shwo\"; did you mean \"show\"? (see zanctl --help)\n");
}

INSTANTIATE_TEST_SUITE_P(Sandbox, ZanctlMessages, ::testing::Values(false),
                         [](const ::testing::TestParamInfo<bool> &) { return std::string("Sandbox"); });
