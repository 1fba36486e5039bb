#pragma once

#include <QString>
#include <QStringList>

#include <cstdio>
#include <istream>

class EmulatorCommands;

// The cleartool-sim program: cleartool's command-line behaviour over a sandbox store.
//   cleartool-sim <command> [args...]   runs one command; exit status 0 or 1
//   cleartool-sim -status               reads commands from stdin, one per line, and ends
//                                       each answer with "Command N returned status M"
//   cleartool-sim                       the same without status lines
// Interactive sessions end at "exit", "quit" or end of input; a prompt is shown only when
// stdin is a terminal. Errors go to stderr as "cleartool: Error: ..." lines.
class CleartoolEmulator
{
public:
    explicit CleartoolEmulator(EmulatorCommands &commands);

    // The whole program over the store named by ZAN_SANDBOX (else the default folder).
    static int main(const QStringList &arguments);

    int runSingle(const QStringList &words, std::FILE *out, std::FILE *err);
    int runSession(std::istream &in, std::FILE *out, std::FILE *err, bool statusLines, bool prompt);

    // Makes the emulator callable as "cleartool" from <sandboxFolder>/bin, with the
    // sandbox pinned so that scripts started without ZAN_SANDBOX still reach it. Returns the
    // bin folder, to be put first on the PATH of such scripts. Throws ZanError on failure.
    static QString installAsCleartool(const QString &sandboxFolder, const QString &emulatorProgram);
    // cleartool-sim next to the running program.
    static QString defaultEmulatorProgram();

private:
    // Runs one command; prints its output and errors; returns its status (0 or 1).
    int execute(const QStringList &words, std::FILE *out, std::FILE *err);

    EmulatorCommands &m_commands;
};
