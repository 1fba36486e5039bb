#include "access/OperationsController.h"

#include "shell/MainContext.h"

OperationsController::OperationsController(MainContext &context) : m_ctx(context) {}
