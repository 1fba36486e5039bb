#pragma once

#include "clearcase/ClearCase.h"

#include <memory>

class Platform;

// Chooses and creates the backend: ZAN_CLEARCASE=sandbox|cleartool; by default cleartool
// when a cleartool executable is on the PATH, else the sandbox. The sandbox also sets the
// platform's drive map so that its view drive is reachable.
class ClearCaseFactory
{
public:
    static std::unique_ptr<ClearCase> create(Platform &platform);
};
