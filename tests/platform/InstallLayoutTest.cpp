#include "platform/InstallLayout.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Data files are found next to the program first, then under <prefix>/share/zan-utility;
// with neither, the path next to the program is named.
TEST(InstallLayout, FindsDataBesideTheProgramThenUnderShare)
{
    const QString script = QStringLiteral("_qx_security_trigger.pl");
    const QStringList beside{QStringLiteral("bin/") + script, QStringLiteral("bin/help/main.html")};
    const QStringList shared{QStringLiteral("share/zan-utility/trigger/") + script, QStringLiteral("share/zan-utility/help/main.html")};
    const struct {
        QStringList present, expected;
    } cases[] = {{beside, beside}, {shared, shared}, {beside + shared, beside}, {{}, beside}};
    for (const auto &c : cases) {
        QTemporaryDir prefix;
        QDir root(prefix.path());
        root.mkpath(QStringLiteral("bin/help"));
        root.mkpath(QStringLiteral("share/zan-utility/trigger"));
        root.mkpath(QStringLiteral("share/zan-utility/help"));
        for (const QString &file : c.present)
            QFile(root.filePath(file)).open(QIODevice::WriteOnly);
        const InstallLayout layout(root.filePath(QStringLiteral("bin")));
        SCOPED_TRACE(c.present.join(QLatin1Char(' ')).toStdString());
        EXPECT_EQ(layout.triggerScript(script), root.filePath(c.expected[0]));
        EXPECT_EQ(layout.helpDocument(), root.filePath(c.expected[1]));
    }
}

// Files the user saves (configuration files, audit reports) go next to a program that runs
// from a folder of its own; installed in the system, to the user's documents folder, else home.
TEST(InstallLayout, UserFilesGoBesideAProgramOfItsOwnElseToTheDocuments)
{
    QTemporaryDir own, home;
    const QByteArray before = qgetenv("HOME");
    qputenv("HOME", home.path().toLocal8Bit());
    qunsetenv("XDG_DOCUMENTS_DIR");
    EXPECT_EQ(InstallLayout(own.path()).userFilesFolder(), own.path());
    const QString documents = QDir(home.path()).filePath(QStringLiteral("Documents"));
    EXPECT_EQ(InstallLayout(QStringLiteral("/usr/bin")).userFilesFolder(), home.path()); // no documents folder yet
    ASSERT_TRUE(QDir().mkpath(documents));
    EXPECT_EQ(InstallLayout(QStringLiteral("/usr/bin")).userFilesFolder(), documents);
    qputenv("HOME", before);
}
