#pragma once

#include "platform/Platform.h"
#include "util/Prompter.h"

#include <QString>

// The system routines with the failure forms the program's handlers rely on: each reports
// its own failure to the user and returns its empty result.
class SystemRoutines
{
public:
    SystemRoutines(Platform &platform, Prompter &prompter);

    void setEnvVar(const QString &name, const QString &value);
    QString getLoginName();
    QString getComputerName();
    bool isFileExist(const QString &path, bool directories);
    qint64 runCommand(const QString &commandLine, int windowStyle);

private:
    Platform &m_platform;
    Prompter &m_prompter;
};
