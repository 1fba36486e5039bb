#include "clearcase/emulator/CleartoolEmulator.h"

#include "clearcase/emulator/EmulatorCommands.h"
#include "clearcase/emulator/PartialFailure.h"
#include "clearcase/sandbox/SandboxCleartool.h"
#include "clearcase/sandbox/SandboxStore.h"
#include "platform/QtPlatform.h"
#include "util/ZanError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <iostream>
#include <string>

#ifdef Q_OS_WIN
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

namespace {

void write(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

// Every diagnostic line reads "cleartool: Error: ..." (or Warning), whatever raised it.
QString errorLines(const QString &description)
{
    QString text;
    for (const QString &line : description.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        text += (line.startsWith(QLatin1String("cleartool: ")) ? line : QStringLiteral("cleartool: Error: ") + line) + QLatin1Char('\n');
    return text;
}

} // namespace

CleartoolEmulator::CleartoolEmulator(EmulatorCommands &commands) : m_commands(commands) {}

int CleartoolEmulator::execute(const QStringList &words, std::FILE *out, std::FILE *err)
{
    try {
        write(out, m_commands.run(words));
        return 0;
    } catch (const PartialFailure &e) {
        write(out, e.output());
        write(err, errorLines(e.description()));
        return 1;
    } catch (...) {
        write(err, errorLines(ZanError::current(QStringLiteral("cleartool")).description()));
        return 1;
    }
}

int CleartoolEmulator::runSingle(const QStringList &words, std::FILE *out, std::FILE *err)
{
    return execute(words, out, err);
}

int CleartoolEmulator::runSession(std::istream &in, std::FILE *out, std::FILE *err, bool statusLines, bool prompt)
{
    int number = 0;
    std::string raw;
    for (;;) {
        if (prompt)
            write(out, QStringLiteral("cleartool %1> ").arg(number + 1));
        if (!std::getline(in, raw))
            break;
        QString line = QString::fromLocal8Bit(raw.data(), qsizetype(raw.size()));
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed() == QLatin1String("exit") || line.trimmed() == QLatin1String("quit"))
            break;
        ++number;
        // A blank line is an empty command that succeeds: it still gets its status line.
        int status = line.trimmed().isEmpty() ? 0 : 1;
        try {
            if (status != 0)
                status = execute(m_commands.split(line), out, err);
        } catch (...) {
            write(err, errorLines(ZanError::current(QStringLiteral("cleartool")).description()));
        }
        if (statusLines)
            write(out, QStringLiteral("Command %1 returned status %2\n").arg(number).arg(status));
    }
    return 0;
}

int CleartoolEmulator::main(const QStringList &arguments)
{
    try {
        SandboxStore store(SandboxStore::defaultFolder());
        QtPlatform platform;
        // The acting user records what is created (a type's owner) and signs describe's %u.
        const QString user = qEnvironmentVariable("CLEARCASE_USER");
        EmulatorCommands commands(store, user.isEmpty() ? platform.loginName() : user, platform.computerName().toLower());
        CleartoolEmulator emulator(commands);
        if (arguments.isEmpty() || arguments.first() == QLatin1String("-status")) {
            const bool status = !arguments.isEmpty();
            // A session reads long command lines; C stdio's character-by-character reads of a
            // synchronised std::cin cost more than the commands' own work.
            std::ios::sync_with_stdio(false);
            return emulator.runSession(std::cin, stdout, stderr, status, isatty(fileno(stdin)) != 0);
        }
        return emulator.runSingle(arguments, stdout, stderr);
    } catch (...) {
        write(stderr, errorLines(ZanError::current(QStringLiteral("cleartool")).description()));
        return 1;
    }
}

QString CleartoolEmulator::defaultEmulatorProgram()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("cleartool-sim"));
}

QString CleartoolEmulator::installAsCleartool(const QString &sandboxFolder, const QString &emulatorProgram)
{
    return SandboxCleartool::install(sandboxFolder, emulatorProgram);
}
