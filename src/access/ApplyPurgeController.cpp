#include "access/ApplyPurgeController.h"

#include "shell/MainContext.h"

ApplyPurgeController::ApplyPurgeController(MainContext &context) : m_ctx(context) {}
