#pragma once

#include <QString>
#include <QStringList>

// The ClearCase operation names the tool offers, and the privileged-operation rule.
// Plain QtCore so that the enforcement script's tests and command-line tools share it.
namespace OperationsCatalogue {

// The three catalogue lists, comma-separated, exactly as offered (repeats included).
QString elementOperations();
QString typeOperations();
QString ucmOperations();

// The operations the picker offers, each once (duplicates compared ignoring case), in
// catalogue order: element operations, type operations, then the UCM ones if asked for.
QStringList offeredOperations(bool includeUcm);

// What the picker offers an element that carries `carried`: the offered operations without
// the carried ones (compared exactly, as the element's attribute names are).
QStringList offeredFor(const QStringList &carried, bool includeUcm);

// The privileged-operations list in force when none is stored or recorded.
QString defaultPrivilegedList();

// True when the operation text occurs anywhere in the privileged list, case-sensitive.
// The list is one text, not a set of names: "reserve" is privileged when the list holds
// "unreserve", and the empty operation is always privileged.
bool isPrivileged(const QString &operation, const QString &privilegedList);

} // namespace OperationsCatalogue
