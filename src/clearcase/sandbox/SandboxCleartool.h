#pragma once

#include <QString>

// The sandbox's own "cleartool": a wrapper in <sandbox>/bin that runs the emulator with the
// sandbox pinned, so that scripts started without ZAN_SANDBOX (the installed security
// trigger) still reach it.
class SandboxCleartool
{
public:
    // Writes the wrapper for the emulator program; returns the bin folder, to be put first on
    // the PATH of such scripts. Throws ZanError on failure.
    static QString install(const QString &sandboxFolder, const QString &emulatorProgram);

    // The installed wrapper of the sandbox folder, "" when there is none.
    static QString installedIn(const QString &sandboxFolder);

    // Whether the program is the emulator: cleartool-sim itself, or the wrapper installed
    // in the sandbox folder.
    static bool isEmulator(const QString &program, const QString &sandboxFolder);
};
