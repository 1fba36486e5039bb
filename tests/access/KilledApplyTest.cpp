// An apply killed midway leaves every target with all of its attributes from one apply or
// none of them: each chunk is one store transaction.
#include "support/FakePlatform.h"
#include "support/TempSandbox.h"

#include "access/AccessApplier.h"
#include "clearcase/sandbox/SandboxClearCase.h"
#include "clearcase/sandbox/SandboxSeed.h"
#include "clearcase/sandbox/SandboxStore.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

const char *const folderVariable = "ZAN_KILLED_APPLY_FOLDER";
const QString vobRoot = QStringLiteral("m:\\bob_dev\\proj");
const QStringList typeNames{QStringLiteral("__checkout"), QStringLiteral("__checkin"), QStringLiteral("__lock"),
                            QStringLiteral("QX_GROUPS")};
constexpr int targetCount = 600;

QString target(int i) { return QStringLiteral("crash/f_%1.c").arg(i); }

} // namespace

// Run by the test below in a child process: applies round after round until killed.
TEST(KilledApplyWriter, AppliesUntilKilled)
{
    const QString folder = qEnvironmentVariable(folderVariable);
    if (folder.isEmpty())
        GTEST_SKIP() << "runs only as the child of KilledApply";
    FakePlatform platform;
    const auto clearCase = SandboxClearCase::open(platform, folder);
    QStringList targets;
    for (int i = 0; i < targetCount; ++i)
        targets << vobRoot + QLatin1Char('\\') + QString(target(i)).replace(QLatin1Char('/'), QLatin1Char('\\'));
    const ElementLocation base{vobRoot + QStringLiteral("\\src\\main.c"), vobRoot, SandboxSeed::projVob};
    for (int round = 1;; ++round) {
        for (const QString &typeName : typeNames)
            clearCase->store().attachAttribute(SandboxSeed::projVob, QStringLiteral("src/main.c"), typeName,
                                               QString::number(round), QString(), true);
        AccessApplier(*clearCase, 50).apply(base, {QStringLiteral("checkout"), QStringLiteral("checkin"), QStringLiteral("lock")},
                                            targets);
        if (round == 2) {
            std::fputs("ready\n", stdout);
            std::fflush(stdout);
        }
    }
}

TEST(KilledApply, EveryTargetHasAllItsAttributesFromOneApplyOrNone)
{
    TempSandbox sandbox;
    sandbox.store().transaction([&] {
        sandbox.store().addElement(SandboxSeed::projVob, QStringLiteral("crash"), true);
        for (int i = 0; i < targetCount; ++i)
            sandbox.store().addElement(SandboxSeed::projVob, target(i), false);
        for (const QString &typeName : typeNames)
            sandbox.store().addAttributeType(SandboxSeed::projVob, {typeName, 8, QString(), {}});
    });
    QProcess writer;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(folderVariable), sandbox.folder());
    writer.setProcessEnvironment(environment);
    writer.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=KilledApplyWriter.*")});
    ASSERT_TRUE(writer.waitForStarted());
    QByteArray output;
    const QDeadlineTimer deadline(180000);
    while (!output.contains("ready") && !deadline.hasExpired() && writer.state() == QProcess::Running) {
        writer.waitForReadyRead(500);
        output += writer.readAllStandardOutput();
    }
    ASSERT_TRUE(output.contains("ready")) << output.toStdString();
    writer.waitForReadyRead(150); // somewhere inside a later round
    writer.kill();
    ASSERT_TRUE(writer.waitForFinished());

    SandboxStore reopened(sandbox.folder());
    QSet<QString> rounds;
    for (int i = 0; i < targetCount; ++i) {
        QList<AttributeInfo> attributes = reopened.attributes(SandboxSeed::projVob, target(i));
        attributes.removeIf([](const AttributeInfo &a) { return a.typeName == QLatin1String("QX_EDITING"); }); // the writer's mark
        ASSERT_EQ(attributes.size(), typeNames.size()) << target(i).toStdString();
        for (const AttributeInfo &attribute : attributes)
            EXPECT_EQ(attribute.value, attributes.first().value) << target(i).toStdString();
        rounds.insert(attributes.first().value);
    }
    EXPECT_LE(rounds.size(), 2);
}
