#pragma once

#include "clearcase/ClearCase.h"

#include <QList>
#include <QString>
#include <QStringList>

// lshistory -minor of one object, asked for in a format whose fields and records are split
// by control characters (\037, \036), which no name, user or comment holds, so a comment
// with line breaks or any punctuation reads back whole; the comment comes last.
//
// The value an attribute event set is not taken from the output: real cleartool's %a shows
// the object's attributes as they are now, not as the event left them.
namespace CleartoolHistory {

// The quoted arguments of the lshistory command for an object (a version path or an object
// selector such as "trtype:T@\vob" or "vob:\vob").
QStringList arguments(const QString &object, SiteStyle::Kind style);

// The events in the output, oldest first. Throws a ZanError for a record it cannot read.
QList<HistoryEvent> parse(const QString &output);

} // namespace CleartoolHistory
