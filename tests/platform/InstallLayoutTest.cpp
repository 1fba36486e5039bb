#include "platform/InstallLayout.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Data files are found next to the program first, then under <prefix>/share/zan-utility;
// with neither, the path next to the program is named.
TEST(InstallLayout, FindsDataBesideTheProgramThenUnderShare)
{
    const QString script = QStringLiteral("_qx_security_trigger.pl");
    struct Case {
        bool beside, installed;
        QString expectedScript, expectedHelp; // relative to the prefix
    };
    const Case cases[] = {
        {true, false, QStringLiteral("bin/") + script, QStringLiteral("bin/help/main.html")},
        {false, true, QStringLiteral("share/zan-utility/trigger/") + script, QStringLiteral("share/zan-utility/help/main.html")},
        {true, true, QStringLiteral("bin/") + script, QStringLiteral("bin/help/main.html")},
        {false, false, QStringLiteral("bin/") + script, QStringLiteral("bin/help/main.html")},
    };
    for (const Case &c : cases) {
        QTemporaryDir prefix;
        QDir root(prefix.path());
        const auto place = [&root](const QString &path) {
            root.mkpath(QFileInfo(root.filePath(path)).path());
            QFile(root.filePath(path)).open(QIODevice::WriteOnly);
        };
        root.mkpath(QStringLiteral("bin"));
        if (c.beside) {
            place(QStringLiteral("bin/") + script);
            place(QStringLiteral("bin/help/main.html"));
        }
        if (c.installed) {
            place(QStringLiteral("share/zan-utility/trigger/") + script);
            place(QStringLiteral("share/zan-utility/help/main.html"));
        }
        const InstallLayout layout(root.filePath(QStringLiteral("bin")));
        SCOPED_TRACE(testing::Message() << "beside " << c.beside << ", installed " << c.installed);
        EXPECT_EQ(layout.triggerScript(script), root.filePath(c.expectedScript));
        EXPECT_EQ(layout.helpDocument(), root.filePath(c.expectedHelp));
    }
}
