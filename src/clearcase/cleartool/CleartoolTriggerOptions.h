#pragma once

#include "clearcase/ClearCase.h"

#include <QString>
#include <QStringList>

// How the automation library's trigger codes become mktrtype options. The codes are the
// library's own enumerations (CCKindOfTrigger, CCTriggerFiring, CCTriggerOperationKind):
//
//   trigger kind  2 (all elements)        -element -all
//                 4 (all UCM objects)     -ucmobject -all
//                 0, 1, 3 (type trigger, attached element or UCM trigger) need an
//                 inclusion list or mktrigger and are refused
//   firing        1                       -preop
//                 2                       -postop
//   operation     1 MODIFY_TYPE   2 MODIFY_ELEM   3 MODIFY_DATA   4 MODIFY_MD
//                 88 MODIFY_UCM, and the single operations of the library's list
//                 (10 checkout, 12 mkbranch, 14 rmelem, ...), see operationKindName()
//   actions       all clients -exec, Windows clients -execwin, Unix clients -execunix
//
// The emulator reads the same table backwards.
namespace CleartoolTriggerOptions {

QStringList kindOptions(int kind);          // throws ZanError for a kind without a mapping
QString firingOption(int firing);           // throws ZanError for an unknown code
QString operationKindName(int code);        // throws ZanError for an unknown code
int operationKindCode(const QString &name); // -1 when the name is not in the table
QString actionOption(TriggerTypeDefinition::ActionTarget target);

// The whole mktrtype command line for a definition, every argument quoted; the type is
// created as name@vobTag. Throws ZanError for codes without a mapping or unsafe text.
QString mktrtypeCommand(const QString &vobTag, const TriggerTypeDefinition &definition, SiteStyle::Kind style);

} // namespace CleartoolTriggerOptions
