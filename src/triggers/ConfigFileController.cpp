#include "triggers/ConfigFileController.h"

#include "shell/MainContext.h"

ConfigFileController::ConfigFileController(MainContext &context) : m_ctx(context) {}
