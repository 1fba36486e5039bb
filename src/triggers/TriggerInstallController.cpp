#include "triggers/TriggerInstallController.h"

#include "shell/MainContext.h"

TriggerInstallController::TriggerInstallController(MainContext &context) : m_ctx(context) {}
