// Applying one base element's settings (three operations plus groups) to thousands of
// checked elements, and purging them again, through the core both the window and zanctl run,
// over each backend (the cleartool co-process drives the emulator), beside SQLite's own time for the same
// writes. Usage: bench_access_apply [sandbox|cleartool] [--runs R] [count...]
// (default: both backends, 5000 and 10000, 5 runs). Each figure printed is the median of the
// runs.
#include "access/AccessApplier.h"
#include "access/AccessAttributeFormat.h"
#include "access/AccessEditor.h"
#include "clearcase/CCase.h"
#include "clearcase/cleartool/CleartoolClearCase.h"
#include "clearcase/sandbox/SandboxClearCase.h"
#include "clearcase/sandbox/SandboxSeed.h"
#include "clearcase/sandbox/SandboxStore.h"
#include "support/EmulatorBackend.h"
#include "support/FakePlatform.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <cstdio>

namespace {

const QString vobTag = SandboxSeed::projVob;
const QString vobRoot = QStringLiteral("m:\\bob_dev\\proj");
const QStringList operations{QStringLiteral("checkout"), QStringLiteral("checkin"), QStringLiteral("mkbranch")};

struct Timing {
    qint64 applyMs = 0;
    qint64 purgeMs = 0;
    double applyTrips = 0; // cleartool commands per target
    double purgeTrips = 0;
    bool verified = false;
};

// The same number of attribute upserts into a bare SQLite table (WAL, synchronous=NORMAL),
// one transaction per target: the floor a sandbox apply is measured against.
qint64 sqliteFloorMs(int count, int attributesPerTarget)
{
    QTemporaryDir dir;
    qint64 elapsed = 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("floor"));
        db.setDatabaseName(dir.filePath(QStringLiteral("floor.db")));
        db.open();
        QSqlQuery query(db);
        query.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        query.exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
        query.exec(QStringLiteral("CREATE TABLE attributes(element INTEGER, type TEXT, value TEXT, PRIMARY KEY(element, type))"));
        query.prepare(QStringLiteral("INSERT INTO attributes VALUES(?, ?, ?) ON CONFLICT(element, type) DO UPDATE SET value = excluded.value"));
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < count; ++i) {
            db.transaction();
            for (int a = 0; a < attributesPerTarget; ++a) {
                query.addBindValue(i);
                query.addBindValue(QStringLiteral("__op%1").arg(a));
                query.addBindValue(QStringLiteral("bob,alice,ALL"));
                query.exec();
            }
            db.commit();
        }
        elapsed = clock.elapsed();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("floor"));
    return elapsed;
}

QString targetName(int i)
{
    return QStringLiteral("bench/f_%1.c").arg(i, 5, 10, QLatin1Char('0'));
}

Timing run(int count, bool overCleartool)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/sandbox");
    {
        SandboxStore store(folder);
        store.transaction([&] {
            store.addElement(vobTag, QStringLiteral("bench"), true);
            for (int i = 0; i < count; ++i)
                store.addElement(vobTag, targetName(i), false);
            for (const QString &operation : operations) {
                store.addAttributeType(vobTag, {QStringLiteral("__") + operation, 8, QStringLiteral("bench"), {}});
                store.attachAttribute(vobTag, QStringLiteral("src/main.c"), QStringLiteral("__") + operation,
                                      QStringLiteral("bob,alice,ALL"), QStringLiteral("bench"), false);
            }
            store.addAttributeType(vobTag, {QStringLiteral("QX_GROUPS"), 8, QStringLiteral("bench"), {}});
            store.attachAttribute(vobTag, QStringLiteral("src/main.c"), QStringLiteral("QX_GROUPS"),
                                  QStringLiteral("dev,qa"), QStringLiteral("bench"), false);
        });
    }

    FakePlatform platform;
    std::unique_ptr<ClearCase> clearCase;
    CleartoolClearCase *cleartool = nullptr;
    if (overCleartool) {
        auto backend = emulatorBackend(folder);
        cleartool = backend.get();
        clearCase = std::move(backend);
    } else {
        clearCase = SandboxClearCase::open(platform, folder);
    }
    const ElementLocation base{vobRoot + QStringLiteral("\\src\\main.c"), vobRoot, vobTag};
    QStringList targets;
    for (int i = 0; i < count; ++i)
        targets << vobRoot + QLatin1Char('\\') + QString(targetName(i)).replace(QLatin1Char('/'), QLatin1Char('\\'));
    const auto valueOnLast = [&](const QString &type) {
        return AccessAttributeFormat::valueOf(clearCase->attributes(CCase::versionOf(targets.last())), type);
    };

    Timing timing;
    QElapsedTimer clock;
    clearCase->requireVob(vobTag); // the co-process starts outside the timing
    const auto commands = [&cleartool] { return cleartool ? cleartool->commandCount() : 0; };
    int before = commands();
    clock.start();
    // What the window's Apply All Checked and zanctl apply both run.
    AccessEditor(*clearCase).ensureAttributeType(base, AccessAttributeFormat::groupsTypeName);
    const AccessApplier::Outcome applied = AccessApplier(*clearCase).apply(base, operations, targets);
    timing.applyMs = clock.elapsed();
    timing.applyTrips = double(commands() - before) / count;
    timing.verified = applied.failures.isEmpty() && valueOnLast(QStringLiteral("__mkbranch")) == QStringLiteral("bob,alice,ALL") &&
                      valueOnLast(QStringLiteral("QX_GROUPS")) == QStringLiteral("dev,qa");

    before = commands();
    clock.restart();
    AccessApplier(*clearCase).purge(base, targets);
    timing.purgeMs = clock.elapsed();
    timing.purgeTrips = double(commands() - before) / count;
    timing.verified = timing.verified && valueOnLast(QStringLiteral("__mkbranch")).isEmpty();
    return timing;
}

qint64 median(QList<qint64> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

qint64 median(const QList<Timing> &timings, qint64 Timing::*field)
{
    QList<qint64> values;
    for (const Timing &timing : timings)
        values << timing.*field;
    return median(values);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    QList<int> counts;
    QList<bool> backends; // over cleartool or not
    int runs = 5;
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        if (argument == QLatin1String("sandbox") || argument == QLatin1String("cleartool"))
            backends << (argument == QLatin1String("cleartool"));
        else if (argument == QLatin1String("--runs") && i + 1 < argc)
            runs = qMax(1, QString::fromLocal8Bit(argv[++i]).toInt());
        else
            counts << argument.toInt();
    }
    if (backends.isEmpty())
        backends = {false, true};
    if (counts.isEmpty())
        counts = {5000, 10000};

    QTextStream out(stdout);
    const auto line = [&out](const char *what, int count, const char *backend, qint64 ms, double trips, qint64 floor) {
        out << what << " N=" << count << " backend=" << backend << " ms=" << ms
            << " roundtrips_per_target=" << QString::number(trips, 'f', 3) << " sqlite_floor_ms=" << floor
            << " ratio=" << QString::number(double(ms) / double(qMax<qint64>(floor, 1)), 'f', 2) << "\n";
        out.flush();
    };
    // Runs interleave counts, backends and the floor, so the machine's load falls on all alike.
    QList<QList<qint64>> floors(counts.size());
    QList<QList<QList<Timing>>> timings(counts.size(), QList<QList<Timing>>(backends.size()));
    for (int r = 0; r < runs; ++r) {
        for (qsizetype c = 0; c < counts.size(); ++c) {
            floors[c] << sqliteFloorMs(counts.at(c), int(operations.size()) + 1);
            for (qsizetype b = 0; b < backends.size(); ++b)
                timings[c][b] << run(counts.at(c), backends.at(b));
        }
    }
    bool allVerified = true;
    for (qsizetype c = 0; c < counts.size(); ++c) {
        const qint64 floor = median(floors.at(c));
        for (qsizetype b = 0; b < backends.size(); ++b) {
            const char *backend = backends.at(b) ? "cleartool" : "sandbox";
            const QList<Timing> &t = timings.at(c).at(b);
            line("apply", counts.at(c), backend, median(t, &Timing::applyMs), t.first().applyTrips, floor);
            line("purge", counts.at(c), backend, median(t, &Timing::purgeMs), t.first().purgeTrips, floor);
            if (std::any_of(t.cbegin(), t.cend(), [](const Timing &one) { return !one.verified; })) {
                out << "NOT VERIFIED: " << backend << " N=" << counts.at(c) << "\n";
                allVerified = false;
            }
        }
    }
    return allVerified ? 0 : 1;
}
