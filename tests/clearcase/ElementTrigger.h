#pragma once

#include "clearcase/ClearCase.h"

// The element trigger as the installation defines it, in interop mode with an empty admin list.
inline TriggerTypeDefinition elementTrigger()
{
    TriggerTypeDefinition definition;
    definition.name = QStringLiteral("_KORVANE_SECURITY1");
    definition.kind = 2;
    definition.firing = 1;
    definition.exemptUsers = {QStringLiteral("bob")};
    definition.operationKinds = {3, 2, 4};
    definition.actions = {{TriggerTypeDefinition::WindowsClients, QStringLiteral("ccperl \\\\host\\trig dir\\_qx_security_trigger.pl m ")},
                          {TriggerTypeDefinition::UnixClients, QStringLiteral("perl /net/host/trig/_qx_security_trigger.pl m ")}};
    definition.comment = QStringLiteral("Created by Zan Utility on 12/5/2006 * * DO NOT MODIFY OR DELETE * *");
    return definition;
}
