#pragma once

// An apply by zanctl, over the cleartool co-process (driving the emulator) or the sandbox
// backend, killed with SIGKILL midway and then run again, over a sandbox of `count` targets:
// the e2e test checks what the rerun repairs, the benchmark how long it takes beside a first
// apply.
#include "support/EmulatorBackend.h"

#include "access/AccessAttributeFormat.h"
#include "clearcase/sandbox/SandboxSeed.h"
#include "clearcase/sandbox/SandboxStore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <csignal>

class KilledRerun
{
public:
    struct Run {
        int status = -1;
        double seconds = 0;
    };

    // The sandbox lives in `folder`, zanctl's settings beside it; backend: "cleartool" or "sandbox".
    KilledRerun(const QString &folder, int count, const QString &backend = QStringLiteral("cleartool"))
        : m_folder(folder), m_count(count), m_store((QDir().mkpath(folder), folder + QStringLiteral("/sandbox")))
    {
        m_store.transaction([&] {
            m_store.addElement(SandboxSeed::projVob, QStringLiteral("crash"), true);
            for (int i = 0; i < count; ++i)
                m_store.addElement(SandboxSeed::projVob, relative(i), false);
            for (const QString &type : {QStringLiteral("__checkout"), QStringLiteral("__checkin"), QStringLiteral("QX_GROUPS")})
                m_store.addAttributeType(SandboxSeed::projVob, {type, 8, QString(), {}});
        });
        QFile list(targetsFile());
        list.open(QIODevice::WriteOnly);
        for (int i = 0; i < count; ++i)
            list.write((vobRoot + QLatin1Char('\\') + QString(relative(i)).replace(QLatin1Char('/'), QLatin1Char('\\'))).toUtf8() + '\n');
        m_environment = QProcessEnvironment::systemEnvironment();
        m_environment.insert(QStringLiteral("ZAN_CLEARCASE"), backend);
        m_environment.insert(QStringLiteral("ZAN_CLEARTOOL"), emulatorProgram());
        m_environment.insert(QStringLiteral("ZAN_SANDBOX"), m_store.folder());
        m_environment.insert(QStringLiteral("ZAN_SETTINGS"), folder + QStringLiteral("/settings"));
        m_environment.insert(QStringLiteral("CLEARCASE_USER"), QStringLiteral("bob"));
    }

    // Gives the base element this value for every setting an apply copies.
    void setBase(const QString &value)
    {
        for (const QString &type : {QStringLiteral("__checkout"), QStringLiteral("__checkin"), QStringLiteral("QX_GROUPS")})
            m_store.attachAttribute(SandboxSeed::projVob, QStringLiteral("src/main.c"), type, value, QString(), true);
    }

    Run apply()
    {
        QProcess zanctl;
        QElapsedTimer clock;
        start(zanctl);
        clock.start();
        zanctl.waitForFinished(-1);
        return {zanctl.exitStatus() == QProcess::NormalExit ? zanctl.exitCode() : -1, clock.elapsed() / 1000.0};
    }

    // Starts an apply, kills it with SIGKILL after `afterMs`; returns its co-process's pid (0: none).
    qint64 applyKilledAfter(int afterMs)
    {
        QProcess zanctl;
        start(zanctl);
        QThread::msleep(afterMs);
        const qint64 coProcess = childOf(zanctl.processId());
        ::kill(pid_t(zanctl.processId()), SIGKILL);
        zanctl.waitForFinished(10000);
        return coProcess;
    }

    // Targets that lack the value on any copied setting, or still carry an edit mark.
    int unrepaired(const QString &value)
    {
        int count = 0;
        for (int i = 0; i < m_count; ++i) {
            const QList<AttributeInfo> attributes = m_store.attributes(SandboxSeed::projVob, relative(i));
            bool repaired = AccessAttributeFormat::valueOf(attributes, QStringLiteral("QX_EDITING")).isEmpty();
            for (const QString &type : {QStringLiteral("__checkout"), QStringLiteral("__checkin"), QStringLiteral("QX_GROUPS")})
                repaired = repaired && AccessAttributeFormat::valueOf(attributes, type) == value;
            count += repaired ? 0 : 1;
        }
        return count;
    }

    // Whether the process is gone (or only a zombie waiting to be reaped).
    static bool ended(qint64 pid)
    {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            return true;
        const QByteArray fields = stat.readAll();
        const qsizetype state = fields.lastIndexOf(')') + 2;
        return state < fields.size() && fields.at(state) == 'Z';
    }

    inline static const QString vobRoot = QStringLiteral("m:\\bob_dev\\proj");

private:
    static QString relative(int i) { return QStringLiteral("crash/f_%1.c").arg(i); }
    QString targetsFile() const { return m_folder + QStringLiteral("/targets.txt"); }

    void start(QProcess &zanctl)
    {
        zanctl.setProcessEnvironment(m_environment);
        zanctl.setStandardOutputFile(QProcess::nullDevice());
        zanctl.setStandardErrorFile(m_folder + QStringLiteral("/zanctl.err"), QIODevice::Append);
        zanctl.start(QDir(QFileInfo(emulatorProgram()).path()).filePath(QStringLiteral("zanctl")),
                     {QStringLiteral("apply"), QStringLiteral("--from"), vobRoot + QStringLiteral("\\src\\main.c"),
                      QStringLiteral("--targets-from"), targetsFile()});
        zanctl.waitForStarted();
    }

    // The first child of a process, from /proc (0 when it has none).
    static qint64 childOf(qint64 parent)
    {
        for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
            QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
            if (entry.toLongLong() <= 0 || !stat.open(QIODevice::ReadOnly))
                continue;
            const QByteArray fields = stat.readAll();
            const QList<QByteArray> after = fields.mid(fields.lastIndexOf(')') + 2).split(' ');
            if (after.size() > 1 && after[1].toLongLong() == parent)
                return entry.toLongLong();
        }
        return 0;
    }

    QString m_folder;
    int m_count;
    SandboxStore m_store;
    QProcessEnvironment m_environment;
};
