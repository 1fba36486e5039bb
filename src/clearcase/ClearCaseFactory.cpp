// Placeholder until the sandbox lands.
#include "clearcase/ClearCaseFactory.h"

#include "util/ZanError.h"

std::unique_ptr<ClearCase> ClearCaseFactory::create(Platform &)
{
    throw ZanError(ZanError::ClearCaseFailure, QStringLiteral("ClearCase"), QStringLiteral("No ClearCase backend is available"));
}
