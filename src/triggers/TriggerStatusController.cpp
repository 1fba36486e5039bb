#include "triggers/TriggerStatusController.h"

#include "shell/MainContext.h"

TriggerStatusController::TriggerStatusController(MainContext &context) : m_ctx(context) {}
