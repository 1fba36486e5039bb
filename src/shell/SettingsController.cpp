#include "shell/SettingsController.h"

#include "shell/MainContext.h"

SettingsController::SettingsController(MainContext &context) : m_ctx(context) {}
