#include "access/AccessDecision.h"

#include "access/AccessAttributeFormat.h"
#include "access/OperationsCatalogue.h"
#include "triggers/TriggerCommandLines.h"
#include "util/TextRoutines.h"

namespace {

const QStringList typeKinds = {QStringLiteral("attribute"), QStringLiteral("branch"), QStringLiteral("element"),
                               QStringLiteral("hyperlink"), QStringLiteral("label"), QStringLiteral("trigger")};
const QStringList kindOperations = {QStringLiteral("mkattype"), QStringLiteral("mkbrtype"), QStringLiteral("mkeltype"),
                                    QStringLiteral("mkhltype"), QStringLiteral("mklbtype"), QStringLiteral("mktrtype")};
const QString mktype = QStringLiteral("mktype");

QString quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString listText(const QStringList &names)
{
    return names.isEmpty() ? QStringLiteral("none configured") : names.join(QStringLiteral(", "));
}

QString placeWords(AccessDecision::Place place)
{
    switch (place) {
    case AccessDecision::Place::VobRoot:
        return QStringLiteral("the VOB root directory");
    case AccessDecision::Place::ParentDirectory:
        return QStringLiteral("the directory that receives the name");
    case AccessDecision::Place::Element:
        break;
    }
    return QStringLiteral("the element itself");
}

QString whyThere(const AccessDecision::Request &request, const AccessDecision::Policy &policy)
{
    const QString list = policy.privilegedListRecorded ? QStringLiteral("the list recorded in the VOB")
                                                       : QStringLiteral("the default list (none recorded in the VOB)");
    if (request.typeTarget)
        return QStringLiteral("%1 acts on a type, so the VOB root directory governs").arg(request.operation);
    if (OperationsCatalogue::isPrivileged(request.operation, policy.privilegedList))
        return QStringLiteral("%1 is privileged by %2, so the VOB root directory governs").arg(request.operation, list);
    return QStringLiteral("%1 is not privileged by %2, so %3 governs")
        .arg(request.operation, list, placeWords(AccessDecision::governingPlace(request, policy.privilegedList)));
}

} // namespace

bool AccessDecision::isListed(const QString &user, const QStringList &names)
{
    for (const QString &name : names) {
        if (!name.isEmpty() && name.compare(user, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool AccessDecision::isToolAttributeType(const QString &typeName)
{
    return typeName.startsWith(AccessAttributeFormat::operationMarker) || typeName == AccessAttributeFormat::groupsTypeName ||
           typeName == AccessAttributeFormat::privilegedListTypeName;
}

bool AccessDecision::isToolTriggerType(const QString &typeName)
{
    return typeName == TriggerCommandLines::elementTriggerName || typeName == TriggerCommandLines::typeTriggerName ||
           typeName == TriggerCommandLines::ucmTriggerName;
}

bool AccessDecision::isTypeOperation(const QString &operation)
{
    static const QStringList others = {mktype, QStringLiteral("rmtype"), QStringLiteral("rntype"), QStringLiteral("modtype")};
    return others.contains(operation) || kindOperations.contains(operation);
}

bool AccessDecision::isNameCreating(const QString &operation)
{
    return operation == QLatin1String("mkelem") || operation == QLatin1String("mkslink") || operation == QLatin1String("lnname");
}

QString AccessDecision::kindOperation(const QString &typeKind)
{
    const QString kind = typeKind.trimmed().toLower();
    for (int i = 0; i < typeKinds.size(); ++i) {
        if (kind == typeKinds.at(i) + QStringLiteral(" type"))
            return kindOperations.at(i);
    }
    return QString();
}

AccessDecision::Request AccessDecision::fromCatalogueOperation(const QString &user, const QString &operation)
{
    Request request;
    request.user = user;
    request.operation = operation;
    request.typeTarget = isTypeOperation(operation);
    const int kind = kindOperations.indexOf(operation);
    if (kind >= 0) {
        request.operation = mktype;
        request.typeKind = typeKinds.at(kind) + QStringLiteral(" type");
    }
    return request;
}

AccessDecision::Place AccessDecision::governingPlace(const Request &request, const QString &privilegedList)
{
    if (request.typeTarget || OperationsCatalogue::isPrivileged(request.operation, privilegedList))
        return Place::VobRoot;
    return isNameCreating(request.operation) ? Place::ParentDirectory : Place::Element;
}

QStringList AccessDecision::governingTypes(const Request &request)
{
    QStringList types{AccessAttributeFormat::typeName(request.operation)};
    const QString kind = request.operation == mktype ? kindOperation(request.typeKind) : QString();
    if (!kind.isEmpty())
        types << AccessAttributeFormat::typeName(kind);
    return types;
}

bool AccessDecision::changesToolObject(const Request &request)
{
    const QString &op = request.operation;
    if (op == QLatin1String("mkattr") || op == QLatin1String("rmattr"))
        return isToolAttributeType(request.changedType);
    const bool typeChange = op == QLatin1String("rmtype") || op == QLatin1String("rntype") || op == QLatin1String("lock") ||
                            op == QLatin1String("unlock") || (op == mktype && request.replace);
    return typeChange && (isToolAttributeType(request.changedType) || isToolTriggerType(request.changedType));
}

bool AccessDecision::allows(const QString &value, const QString &user, QString &reason)
{
    const QStringList pieces = TextRoutines::commaSplit(value);
    if (pieces.contains(QStringLiteral("ALL"))) {
        reason = QStringLiteral("ALL allows everybody");
        return true;
    }
    QStringList users;
    for (const QString &piece : pieces) {
        if (piece != AccessAttributeFormat::emptyListMarker && !piece.isEmpty())
            users << piece;
    }
    if (isListed(user, users)) {
        reason = QStringLiteral("%1 is listed").arg(user);
        return true;
    }
    reason = users.isEmpty() ? QStringLiteral("NONE: the list allows nobody")
                             : QStringLiteral("%1 is not listed (allowed: %2)").arg(user, users.join(QStringLiteral(", ")));
    return false;
}

AccessDecision::Verdict AccessDecision::decide(const Request &request, const Policy &policy, const Settings &settings)
{
    Verdict verdict;
    QStringList &chain = verdict.chain;
    if (request.user.isEmpty()) {
        chain << QStringLiteral("the user cannot be determined: everything is refused");
        return verdict;
    }
    chain << QStringLiteral("administrators: %1").arg(listText(policy.administrators));
    if (isListed(request.user, policy.administrators)) {
        chain << QStringLiteral("%1 is an administrator: always allowed").arg(request.user);
        verdict.allowed = true;
        return verdict;
    }
    if (request.operation.isEmpty()) {
        chain << QStringLiteral("the operation is not named: refused");
        return verdict;
    }
    if (changesToolObject(request)) {
        const bool owner = policy.administrators.isEmpty() && !policy.vobOwner.isEmpty() &&
                           policy.vobOwner.compare(request.user, Qt::CaseInsensitive) == 0;
        chain << QStringLiteral("%1 of %2 changes the tool's own settings: only the administrators may (the VOB owner %3 "
                                "while none are configured)")
                     .arg(request.operation, quoted(request.changedType), quoted(policy.vobOwner));
        chain << (owner ? QStringLiteral("%1 owns the VOB and no administrator is configured: allowed").arg(request.user)
                        : QStringLiteral("%1 is not allowed to").arg(request.user));
        verdict.allowed = owner;
        return verdict;
    }
    const Place place = governingPlace(request, policy.privilegedList);
    chain << whyThere(request, policy);
    bool anySet = false;
    verdict.allowed = true;
    for (const QString &type : governingTypes(request)) {
        const std::optional<QString> value = settings.value(place, type);
        if (!value) {
            chain << QStringLiteral("%1 on %2: not set").arg(type, settings.where(place));
            continue;
        }
        anySet = true;
        QString reason;
        const bool allowed = allows(*value, request.user, reason);
        chain << QStringLiteral("%1 on %2 = %3: %4").arg(type, settings.where(place), quoted(*value), reason);
        verdict.allowed = verdict.allowed && allowed;
    }
    if (!anySet)
        chain << QStringLiteral("no setting: the operation is unrestricted");
    return verdict;
}
