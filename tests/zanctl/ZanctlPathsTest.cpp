// Paths as an administrator types them and versions as the site writes them: on a Windows
// site "/" is taken for "\" and versions read @@\main\0; relative paths start from the
// current folder when it lies in a view.
#include "ZanctlFixture.h"

using ZanctlPaths = ZanctlFixture;

TEST_P(ZanctlPaths, SlashesAndRelativePathsNameTheSameElement)
{
    set(mainC, "__checkout", "bob");
    const QString shown = mainC + "\n  checkout: bob\n  groups: none\n";
    const QString rootShown = root + "\\.\n  no operation set\n  groups: none\n";
    const QString src = platform.hostPath(root + "\\src");
    const struct {
        QString folder;
        QString typed;
        QString out;
    } cases[] = {
        {"", "m:/bob_dev/proj/src/main.c", shown},
        {"", "M:/bob_dev/proj/src\\main.c", shown},
        {src, "main.c", shown},
        {src, "./main.c", shown},
        {src, "..\\src\\main.c", shown},
        {src, "..", rootShown},
        {platform.hostPath(root), ".", rootShown},
        {platform.hostPath(root + "\\docs"), "../src/main.c", shown},
    };
    for (const auto &c : cases) {
        currentFolder = c.folder;
        const Run run = zanctl({"show", c.typed});
        EXPECT_EQ(run.out, c.out) << c.folder.toStdString() << " " << c.typed.toStdString() << "\n" << run.err.toStdString();
    }
    currentFolder = src;
    EXPECT_EQ(zanctl({"apply", "--from", "main.c", "util.c"}).out, "settings of " + mainC + " applied to 1 target(s)\n");
    // Versions read as the site writes them.
    const Run explained = zanctl({"explain", "eve", "checkout", "util.c"});
    EXPECT_TRUE(explained.out.contains("  __checkout on " + utilC + "@@\\main\\0 = \"bob\": eve is not listed (allowed: bob)\n"))
        << explained.out.toStdString();
    EXPECT_FALSE(explained.out.contains("@@/"));

    // The view's folders are links into the VOB storage: the shell's $PWD keeps the view's spelling.
    const QString before = QDir::currentPath(), shellBefore = qEnvironmentVariable("PWD");
    ASSERT_TRUE(QDir::setCurrent(src));
    ASSERT_NE(QDir::currentPath(), src) << "the sandbox's view folder is expected to be a link";
    qputenv("PWD", src.toLocal8Bit());
    currentFolder.clear();
    const Run fromShell = zanctl({"show", "main.c"});
    QDir::setCurrent(before);
    qputenv("PWD", shellBefore.toLocal8Bit());
    EXPECT_EQ(fromShell.out, mainC + "\n  checkout: bob\n  groups: none\n") << fromShell.err.toStdString();

    currentFolder = settings.path(); // in no view
    EXPECT_EQ(zanctl({"show", "main.c"}).err,
              "zanctl show: \"main.c\" is not a path in a VOB (a view path such as m:\\view\\vob\\dir\\file).\n");
}

INSTANTIATE_TEST_SUITE_P(Backends, ZanctlPaths, ::testing::Bool(), backendName);
