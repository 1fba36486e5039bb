#pragma once

#include "util/Prompter.h"

#include <QString>
#include <functional>

class ZanError;

// The message the ClearCase routines show when one of their steps fails: "ERROR::" + the
// error's description, a line break and the routine's name; title "Error...". The panel's
// controllers show it when an access-core step fails where such a routine used to run.
namespace RoutineErrorReport {

inline const QString makeAttype = QStringLiteral("ccase:makeAttype");
inline const QString addAttribute = QStringLiteral("addCCAttrToElem()::");
inline const QString readAttribute = QStringLiteral("ccase:getAttrValueOnElem");

// Attribute writes report with the information icon, every other routine as critical.
void show(Prompter &prompter, const ZanError &error, const QString &routine);

// Runs one access-core step; true when it succeeded, else the message above was shown.
bool run(Prompter &prompter, const QString &routine, const std::function<void()> &step);

} // namespace RoutineErrorReport
