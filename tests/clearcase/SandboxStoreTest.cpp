#include "clearcase/sandbox/SandboxSeed.h"
#include "clearcase/sandbox/SandboxStore.h"
#include "support/ErrorText.h"
#include "support/TempSandbox.h"
#include "util/ZanError.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

const QString kWriterVariable = QStringLiteral("ZAN_TEST_CRASH_WRITER");
const QString kMainC = QStringLiteral("src/main.c");

// Long enough to span several database pages, so a torn write could not pass as whole.
QString crashValue(int n)
{
    return QStringLiteral("value-%1;").arg(n).repeated(2000);
}

// A second connection to the same database file, for what the store itself never does.
class RawConnection
{
public:
    explicit RawConnection(const QString &file) : m_name(QStringLiteral("raw-") + file)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(file);
        db.open();
    }
    ~RawConnection()
    {
        QSqlDatabase::database(m_name).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    bool exec(const QString &sql) { return QSqlQuery(QSqlDatabase::database(m_name)).exec(sql); }

private:
    QString m_name;
};

void writeFile(const QString &path, const QByteArray &content)
{
    QFile out(path);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(content);
}

QByteArray readFile(const QString &path)
{
    QFile in(path);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("<unreadable>");
}

} // namespace

// A store that cannot be opened is named and left exactly as it was: never repaired or seeded over.
TEST(SandboxStoreFailures, UnopenableStoresAreNamedAndLeftAlone)
{
    const QByteArray garbage = QByteArray("this is no database, but it must survive the attempt\n").repeated(40);
    struct Case {
        const char *name;
        std::function<void(const QString &folder)> damage;
        QStringList errorParts;
        QString keptFile;
        QByteArray keptContent;
        QString notCreated;
    };
    const QList<Case> cases{
        {"corrupt",
         [&](const QString &folder) { writeFile(folder + QStringLiteral("/clearcase.db"), garbage); },
         {QStringLiteral("The sandbox database "), QStringLiteral("damaged")}, QStringLiteral("clearcase.db"), garbage,
         QStringLiteral("vobs")},
        {"lost",
         [](const QString &folder) {
             SandboxStore(folder).addAttributeType(SandboxSeed::projVob, {QStringLiteral("__mine"), 8, QString(), {}});
             for (const QString &suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
                 QFile::remove(folder + QStringLiteral("/clearcase.db") + suffix);
             writeFile(folder + QStringLiteral("/vobs/proj/docs/readme.txt"), "edited by hand\n");
         },
         {QStringLiteral("clearcase.db is missing"), QStringLiteral("VOB trees")}, QStringLiteral("vobs/proj/docs/readme.txt"),
         "edited by hand\n", QStringLiteral("clearcase.db")},
        {"newer",
         [](const QString &folder) {
             const QString file = SandboxStore(folder).databasePath();
             RawConnection raw(file);
             ASSERT_TRUE(raw.exec(QStringLiteral("UPDATE meta SET value = '99' WHERE key = 'schema_version'")));
         },
         {QStringLiteral("newer version")}, QString(), QByteArray(), QString()},
    };
    for (const Case &c : cases) {
        QTemporaryDir dir;
        c.damage(dir.path());
        const QString error = errorOf([&] { SandboxStore store(dir.path()); });
        for (const QString &part : c.errorParts)
            EXPECT_TRUE(error.contains(part)) << c.name << ": " << error.toStdString();
        if (!c.keptFile.isEmpty()) {
            EXPECT_EQ(readFile(dir.filePath(c.keptFile)), c.keptContent) << c.name;
            EXPECT_FALSE(QFile::exists(dir.filePath(c.notCreated))) << c.name;
        }
    }
}

TEST(SandboxStoreFailures, LockedStoreNamesTheFileAndRecovers)
{
    TempSandbox sandbox;
    SandboxStore store(sandbox.folder(), 50);
    RawConnection blocker(store.databasePath());
    ASSERT_TRUE(blocker.exec(QStringLiteral("BEGIN EXCLUSIVE")));

    const SandboxAttributeType type{QStringLiteral("__checkout"), 8, QString(), {}};
    const QString error = errorOf([&] { store.addAttributeType(SandboxSeed::projVob, type); });
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(store.databasePath()))) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("locked by another program"))) << error.toStdString();
    // Readers, including a store opened meanwhile, go on while a writer holds the lock.
    SandboxStore reader(sandbox.folder(), 50);
    EXPECT_EQ(reader.views().size(), SandboxSeed::viewTags.size());
    EXPECT_FALSE(reader.attributeTypes(SandboxSeed::projVob).isEmpty());
    EXPECT_EQ(reader.triggerTypes(SandboxSeed::projVob).size(), store.triggerTypes(SandboxSeed::projVob).size());

    ASSERT_TRUE(blocker.exec(QStringLiteral("ROLLBACK")));
    store.addAttributeType(SandboxSeed::projVob, type);
    EXPECT_TRUE(store.hasAttributeType(SandboxSeed::projVob, QStringLiteral("__checkout")));
}

// Helper run in a child process by the crash test: writes attribute types and their
// attributes, each pair in one transaction, until it is killed.
TEST(SandboxCrashWriter, WritesUntilKilled)
{
    const QString folder = qEnvironmentVariable(kWriterVariable.toLatin1().constData());
    if (folder.isEmpty())
        GTEST_SKIP() << "runs only as the child of SandboxStoreCrash";
    SandboxStore store(folder);
    for (int n = 0;; ++n) {
        const QString type = QStringLiteral("__op%1").arg(n);
        store.transaction([&] {
            store.addAttributeType(SandboxSeed::projVob, {type, 8, QString(), {}});
            store.attachAttribute(SandboxSeed::projVob, kMainC, type, crashValue(n), QStringLiteral("crash test"), false);
        });
        if (n == 25) {
            std::fputs("ready\n", stdout);
            std::fflush(stdout);
        }
    }
}

TEST(SandboxStoreCrash, KilledWriterLeavesWholeAttributesOrNone)
{
    TempSandbox sandbox;
    sandbox.store().startView(SandboxSeed::teamBobInt);
    QProcess writer;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(kWriterVariable, sandbox.folder());
    writer.setProcessEnvironment(environment);
    writer.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=SandboxCrashWriter.*")});
    ASSERT_TRUE(writer.waitForStarted());

    QByteArray output;
    const QDeadlineTimer deadline(120000);
    while (!output.contains("ready") && !deadline.hasExpired() && writer.state() == QProcess::Running) {
        writer.waitForReadyRead(500);
        output += writer.readAllStandardOutput();
    }
    ASSERT_TRUE(output.contains("ready")) << output.toStdString();
    writer.kill();
    ASSERT_TRUE(writer.waitForFinished());

    // Reopened, the store keeps what was written and is not seeded again.
    SandboxStore reopened(sandbox.folder());
    EXPECT_EQ(reopened.views().size(), SandboxSeed::viewTags.size());
    EXPECT_TRUE(reopened.view(SandboxSeed::teamBobInt).active);
    QSet<QString> types;
    for (const SandboxAttributeType &type : reopened.attributeTypes(SandboxSeed::projVob)) {
        if (type.name.startsWith(QStringLiteral("__op")))
            types.insert(type.name);
    }
    const QList<AttributeInfo> attributes = reopened.attributes(SandboxSeed::projVob, kMainC);
    EXPECT_GE(attributes.size(), 26);
    EXPECT_EQ(attributes.size(), types.size());
    for (const AttributeInfo &attribute : attributes) {
        EXPECT_TRUE(types.contains(attribute.typeName)) << attribute.typeName.toStdString();
        EXPECT_EQ(attribute.value, crashValue(attribute.typeName.mid(4).toInt())) << attribute.typeName.toStdString();
    }
    // The store is writable again after the crash.
    reopened.addAttributeType(SandboxSeed::projVob, {QStringLiteral("__after"), 8, QString(), {}});
}

// The batch statements pass their paths to SQLite as one JSON array: names with quotes,
// backslashes, control characters and non-ASCII letters (all legal in a UNIX file name) must
// come back as the same elements, and a path that is no element must not match one.
TEST(SandboxStoreBatches, PathsOfAnyCharactersMapBackToTheirElements)
{
    TempSandbox sandbox;
    SandboxStore &store = sandbox.store();
    const QString vob = SandboxSeed::projVob;
    const QStringList odd{QStringLiteral("q/say \"hi\".c"), QStringLiteral("q/back\\slash.c"), QStringLiteral("q/tab\there.c"),
                          QStringLiteral("q/J\u00f6rg,\u00fc.c"), QStringLiteral("q/plain.c")};
    store.transaction([&] {
        store.addElement(vob, QStringLiteral("q"), true);
        for (const QString &path : odd)
            store.addElement(vob, path, false);
        store.addAttributeType(vob, {QStringLiteral("Note"), 8, QString(), {}});
    });
    const QStringList asked = odd + QStringList{QStringLiteral("q/say \\\"hi\\\".c"), QStringLiteral("q/nosuch.c")};
    EXPECT_EQ(store.existingElements(vob, asked), QSet<QString>(odd.cbegin(), odd.cend()));

    store.attachAttributes(vob, odd, {{QStringLiteral("Note"), QStringLiteral("v\"1\\")}}, QString());
    const QList<QList<AttributeInfo>> read = store.attributesOf(vob, odd);
    for (qsizetype i = 0; i < odd.size(); ++i)
        EXPECT_EQ(read.at(i).value(0).value, QStringLiteral("v\"1\\")) << odd.at(i).toStdString();
    EXPECT_EQ(store.elementsCarrying(vob, asked, QStringLiteral("Note")), QSet<QString>(odd.cbegin(), odd.cend()));

    store.transaction([&] { store.removeFromFoundElements(vob, odd.mid(0, 2), QStringLiteral("Note")); });
    EXPECT_EQ(store.elementsCarrying(vob, odd, QStringLiteral("Note")), QSet<QString>(odd.cbegin() + 2, odd.cend()));
    store.transaction([&] { store.replaceOnFoundElements(vob, odd, QStringLiteral("Note"), QStringLiteral("w"), QString()); });
    EXPECT_EQ(store.attributes(vob, odd.at(0)).value(0).value, QStringLiteral("w"));
    EXPECT_EQ(store.attributes(vob, odd.at(4)).size(), 1);

    store.setLatestVersion(vob, odd.at(1), 3);
    store.setCheckedOut(vob, odd.at(2), SandboxSeed::bobDev, QStringLiteral("Bob"), true);
    const QList<SandboxStore::VersionState> states = store.versionStates(vob, odd.mid(0, 3), SandboxSeed::bobDev, QStringLiteral("bob"));
    ASSERT_EQ(states.size(), 3);
    EXPECT_EQ(states[0].latest, 0);
    EXPECT_FALSE(states[0].checkedOut);
    EXPECT_EQ(states[1].latest, 3);
    EXPECT_TRUE(states[2].checkedOut);
}
