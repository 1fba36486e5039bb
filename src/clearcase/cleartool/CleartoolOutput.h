#pragma once

#include "clearcase/ClearCase.h"

#include <QList>
#include <QString>
#include <QStringList>

// Readers for the cleartool outputs the backend relies on. They go by field names and
// line shapes, never by column positions.
namespace CleartoolOutput {

// Non-empty lines, each without trailing blanks.
QStringList lines(const QString &text);

// "lsview -long": one record per "Tag:" line. Host from "Server host:" (else "View on
// host:"), snapshot when "View attributes:" names it, active when "Active: YES".
// The config spec is not part of this output.
QList<ViewInfo> parseViewRecords(const QString &text);

// "lsvob -long": true when "Vob registry attributes:" names ucmvob.
bool isUcmProjectVobRecord(const QString &text);

// "describe -aattr -all": the "name = value" lines under "Attributes:". String values lose
// the double quotes cleartool prints around them; other values are kept as printed.
QList<AttributeInfo> parseAttributes(const QString &text);

} // namespace CleartoolOutput
