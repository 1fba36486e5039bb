// Targets by pattern (--under DIR --match GLOB --files-only) for apply, purge and audit,
// checked on the VOB afterwards. The seeded src folder also holds a view-private file,
// which is never a target.
#include "ZanctlFixture.h"

using ZanctlPattern = ZanctlFixture;

namespace {

const QString projVob = SandboxSeed::projVob;
const QString dotDotC = QStringLiteral("m:\\bob_dev\\proj\\a..b"); // an element at the top
// Every element of src, docs and "dir with blanks", as the store keys them; the base of the
// applies lies outside them.
const QStringList candidates = {"src", "src/main.c", "src/util.c", "src/include", "src/include/util.h", "docs", "docs/readme.txt",
                                "dir with blanks", "dir with blanks/file one.txt"};

} // namespace

TEST_P(ZanctlPattern, ApplyTouchesExactlyTheMatchingElements)
{
    const struct {
        QStringList pattern;
        QStringList touched;
    } cases[] = {
        {{"--under", root + "\\src", "--match", "**/*.c"}, {"src/main.c", "src/util.c"}},
        {{"--under", root + "\\src", "--match", "src/*"}, {"src/main.c", "src/util.c", "src/include"}},
        {{"--under", root + "\\src", "--files-only"}, {"src/main.c", "src/util.c", "src/include/util.h"}},
        {{"--under", root + "\\src\\", "--match", "SRC/INCLUDE/*.H"}, {"src/include/util.h"}}, // the Windows site ignores case
        {{"--under", root, "--match", "*.txt", "--match", "docs/*", "--match", "dir with blanks/file ?ne.txt"}, {"docs/readme.txt", "dir with blanks/file one.txt"}},
        {{"--under", root + "\\docs"}, {"docs", "docs/readme.txt"}},
    };
    set(dotDotC, "__checkout", "bob");
    for (const auto &c : cases) {
        for (const QString &element : candidates) {
            for (const AttributeInfo &attribute : sandbox.store().attributes(projVob, element))
                sandbox.store().removeAttribute(projVob, element, attribute.typeName);
        }
        const Run run = zanctl(QStringList{"apply", "--from", dotDotC} + c.pattern);
        EXPECT_EQ(run.status, 0) << c.pattern.join(' ').toStdString() << "\n" << run.err.toStdString();
        QStringList touched;
        for (const QString &element : candidates) {
            if (!sandbox.store().attributes(projVob, element).isEmpty())
                touched << element;
        }
        EXPECT_EQ(touched, c.touched) << c.pattern.join(' ').toStdString();
    }
}

// The audit lists only the matching elements' settings; the purge's dry run lists every
// target, changed or not, and the real run purges only those.
TEST_P(ZanctlPattern, AuditAndPurgeByPattern)
{
    set(mainC, "__checkout", "bob");
    set(root + "\\src\\include\\util.h", "__checkin", "carol");
    set(readme, "__checkout", "bob");
    const Run audit = zanctl({"audit", "--format", "csv", "--under", root + "\\src", "--match", "src/*.c"});
    EXPECT_EQ(audit.status, 0) << audit.err.toStdString();
    EXPECT_EQ(audit.out, "path,operation,value,groups,place\r\n" + root + "\\src\\main.c,checkout,bob,,element\r\n");
    EXPECT_EQ(audit.err, "");

    const QStringList pattern{"--under", root + "\\src", "--match", "**/*.[ch]", "--match", "src/*.c"};
    const Run dry = zanctl(QStringList{"purge", "--dry-run"} + pattern);
    EXPECT_EQ(dry.status, 0) << dry.err.toStdString();
    EXPECT_EQ(dry.out, root + "\\src\\main.c\n  checkout: removed (bob)\n" + root + "\\src\\util.c: no change\n"
                           "1 of 2 target(s) would change\n")
        << "[ is no wildcard";
    EXPECT_FALSE(sandbox.store().attributes(projVob, "src/main.c").isEmpty());

    EXPECT_EQ(zanctl(QStringList{"purge"} + pattern).status, 0);
    EXPECT_TRUE(sandbox.store().attributes(projVob, "src/main.c").isEmpty());
    EXPECT_FALSE(sandbox.store().attributes(projVob, "docs/readme.txt").isEmpty());
}

// A link back up the tree is listed, not followed. Directories come first, as the listing has them.
TEST_P(ZanctlPattern, ALinkUpTheTreeEndsTheWalk)
{
    const QString src = QDir(sandbox.store().driveFolder(SandboxSeed::viewDrive)).filePath("bob_dev/proj/src");
    ASSERT_TRUE(QFile::link("..", src + "/loop"));
    const Run run = zanctl({"purge", "--dry-run", "--under", root + "\\src", "--match", "**/util.*"});
    EXPECT_EQ(run.out, root + "\\src\\include\\util.h: no change\n" + utilC + ": no change\n0 of 2 target(s) would change\n")
        << run.err.toStdString();
}

TEST_P(ZanctlPattern, APatternNamingNothingOrMisusedEndsWithStatusTwo)
{
    const QString src = root + "\\src";
    const Step steps[] = {
        {{"apply", "--from", dotDotC, "--under", src, "--match", "*.cpp", "--match", "**/*.hpp"}, 2, "",
         "zanctl apply: no element at or below " + src + " matches \"*.cpp\" or \"**/*.hpp\"\n"},
        {{"purge", "--under", root + "\\docs", "--files-only", "--match", "docs"}, 2, "",
         "zanctl purge: no file at or below " + root + "\\docs matches \"docs\"\n"},
        {{"purge", "--dry-run", "--under", src, "--match", "src/private.tmp"}, 2, "",
         "zanctl purge: no element at or below " + src + " matches \"src/private.tmp\"\n"},
        {{"audit", "--under", root + "\\docs\\readme.txt"}, 2, "", "zanctl audit: " + root + "\\docs\\readme.txt is not a directory in a VOB\n"},
        {{"purge", "--files-only", mainC}, 2, "", "zanctl purge: --match and --files-only need --under DIR\n"},
        {{"audit", "--under", src, root}, 2, "", "zanctl audit: give either VOB or --under DIR (see zanctl audit --help)\n"},
        {{"purge"}, 2, "", "zanctl purge: no target given (TARGET..., --targets-from FILE or --under DIR)\n"},
    };
    expectSteps(steps);
}

INSTANTIATE_TEST_SUITE_P(Backends, ZanctlPattern, ::testing::Bool(), backendName);
