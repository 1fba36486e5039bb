#include "browser/ViewsController.h"

#include "shell/MainContext.h"

ViewsController::ViewsController(MainContext &context) : m_ctx(context) {}
