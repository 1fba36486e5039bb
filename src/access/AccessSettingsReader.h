#pragma once

#include "access/AccessSettings.h"
#include "clearcase/ClearCase.h"

#include <optional>

// Reads an element's access settings through the ClearCase interface. Failures are thrown
// as ZanError; nothing here reports to the user.
//
//   read(location, privilegedList)  the element's operations, each with where its enforced
//                                   setting lives (privileged -> VOB root) and that value,
//                                   the privileged settings of the VOB, and the groups.
//   enforcedValue(location, op, privilegedList)
//                                   the value an edit of op starts from ("" when unset).
//   recordedPrivilegedList(vob)     the list recorded on the VOB root ("QX_PRIVOPER"),
//                                   empty optional when none is recorded.
//   privilegedListInForce(vob, fallback)
//                                   the recorded list, else fallback (the default list).
//   operationsOn(attributes)        the operation names of "__" attributes, in order.
class AccessSettingsReader
{
public:
    explicit AccessSettingsReader(ClearCase &clearCase) : m_clearCase(clearCase) {}

    ElementSettings read(const ElementLocation &location, const QString &privilegedList);
    QString enforcedValue(const ElementLocation &location, const QString &operation, const QString &privilegedList);
    std::optional<QString> recordedPrivilegedList(const ElementLocation &vob);
    QString privilegedListInForce(const ElementLocation &vob, const QString &fallback);

    QList<AttributeInfo> attributesOf(const QString &element);
    static QStringList operationsOn(const QList<AttributeInfo> &attributes);

private:
    ClearCase &m_clearCase;
};
