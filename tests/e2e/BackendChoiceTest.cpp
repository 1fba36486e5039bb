// Which backend the programs get, and what it takes from a sandbox lying around.
#include "support/EmulatorBackend.h"
#include "support/FakePlatform.h"
#include "support/TempSandbox.h"

#include "clearcase/ClearCaseFactory.h"
#include "clearcase/sandbox/SandboxCleartool.h"

#include <QFile>
#include <gtest/gtest.h>

// A real cleartool borrows nothing of a sandbox, even one in the folder the sandbox would use;
// the emulator, by its name or as the sandbox's own cleartool, borrows its drives.
TEST(BackendChoice, OnlyTheEmulatorBorrowsTheSandboxDrives)
{
    TempSandbox sandbox;
    const QString realCleartool = QDir(sandbox.folder()).filePath(QStringLiteral("real-cleartool"));
    QFile script(realCleartool);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nn=0\nwhile IFS= read -r line; do n=$((n+1)); [ \"$line\" = exit ] && exit 0\n"
                 "case \"$line\" in zan-end-*) echo \"cleartool: Error: Unrecognized command: \\\"$line\\\"\" >&2 ;;\n"
                 "*) echo '\\proj' ;; esac; echo \"Command $n returned status 0\"; done\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString wrapper = QDir(SandboxCleartool::install(sandbox.folder(), emulatorProgram())).filePath(QStringLiteral("cleartool"));

    const struct {
        QString program;
        bool borrows;
    } rows[] = {{realCleartool, false}, {emulatorProgram(), true}, {wrapper, true}};
    for (const auto &row : rows) {
        FakePlatform platform;
        platform.environment = {{QStringLiteral("ZAN_CLEARCASE"), QStringLiteral("cleartool")},
                                {QStringLiteral("ZAN_CLEARTOOL"), row.program},
                                {QStringLiteral("ZAN_SANDBOX"), sandbox.folder()}};
        const auto clearCase = ClearCaseFactory::create(platform);
        EXPECT_EQ(platform.driveMap().contains(QLatin1Char('m')), row.borrows) << row.program.toStdString();
    }
}
