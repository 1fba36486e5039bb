#include "triggers/TriggerLocationsController.h"

#include "shell/MainContext.h"

TriggerLocationsController::TriggerLocationsController(MainContext &context) : m_ctx(context) {}
