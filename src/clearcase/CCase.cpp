// Placeholder until the ClearCase routines land.
#include "clearcase/CCase.h"

CCase::CCase(ClearCaseSource clearCase, Prompter &prompter, Platform &platform)
    : m_clearCase(std::move(clearCase)), m_prompter(prompter), m_platform(platform)
{
}

ClearCase &CCase::clearCase() { return m_clearCase(); }
