#include "access/AccessListController.h"

#include "shell/MainContext.h"

AccessListController::AccessListController(MainContext &context) : m_ctx(context) {}
