#include "groups/GroupsController.h"

#include "shell/MainContext.h"

GroupsController::GroupsController(MainContext &context) : m_ctx(context) {}
