#include "browser/UcmController.h"

#include "shell/MainContext.h"

UcmController::UcmController(MainContext &context) : m_ctx(context) {}
