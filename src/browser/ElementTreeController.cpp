#include "browser/ElementTreeController.h"

#include "shell/MainContext.h"

ElementTreeController::ElementTreeController(MainContext &context) : m_ctx(context) {}
