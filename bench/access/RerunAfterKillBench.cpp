// A zanctl apply over the cleartool co-process (driving the emulator) killed with SIGKILL
// halfway through, then run again: the rerun's time beside a first apply's over the same
// targets. Usage: bench_access_rerun [count...] (default 5000 and 20000). One line per count:
//   rerun targets=<n> first_s=<t1> rerun_s=<t2> ratio=<t2/t1>
// followed by " UNREPAIRED=<k>" when the rerun left targets without the new settings.
#include "support/KilledRerun.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QList<int> counts;
    for (const QString &argument : app.arguments().mid(1))
        counts << argument.toInt();
    if (counts.isEmpty())
        counts = {5000, 20000};
    int status = 0;
    for (int count : counts) {
        QTemporaryDir dir;
        KilledRerun run(dir.path(), count);
        run.setBase(QStringLiteral("first"));
        const KilledRerun::Run first = run.apply();
        run.setBase(QStringLiteral("second"));
        run.applyKilledAfter(int(first.seconds * 500));
        const KilledRerun::Run rerun = run.apply();
        const int unrepaired = run.unrepaired(QStringLiteral("second"));
        std::printf("rerun targets=%d first_s=%.2f rerun_s=%.2f ratio=%.2f", count, first.seconds, rerun.seconds,
                    rerun.seconds / first.seconds);
        if (first.status != 0 || rerun.status != 0 || unrepaired != 0) {
            std::printf(" UNREPAIRED=%d first_status=%d rerun_status=%d", unrepaired, first.status, rerun.status);
            status = 1;
        }
        std::printf("\n");
        std::fflush(stdout);
    }
    return status;
}
