#include "access/AccessDecision.h"

#include "access/AccessAttributeFormat.h"
#include "access/OperationsCatalogue.h"
#include "triggers/TriggerCommandLines.h"
#include "util/TextRoutines.h"

#include <QRegularExpression>

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
    if (request.typeTarget || request.operation == mktype)
        return QStringLiteral("%1 acts on a type, so the VOB root directory governs").arg(request.operation);
    if (OperationsCatalogue::isPrivileged(request.operation, policy.privilegedList))
        return QStringLiteral("%1 is privileged by %2, so the VOB root directory governs").arg(request.operation, list);
    return QStringLiteral("%1 is not privileged by %2, so %3 governs")
        .arg(request.operation, list, placeWords(AccessDecision::governingPlace(request, policy.privilegedList)));
}

} // namespace

QString AccessDecision::foldCase(const QString &text)
{
    QString folded;
    for (const char32_t c : text.toUcs4()) {
        const char32_t lower = QChar::toLower(c);
        const char32_t kept = (lower == c || QChar::toUpper(lower) == c) ? lower : c;
        folded += QString::fromUcs4(&kept, 1);
    }
    return folded;
}

bool AccessDecision::isListed(const QString &user, const QStringList &names)
{
    const QString folded = foldCase(user);
    for (const QString &name : names) {
        if (!name.isEmpty() && foldCase(name) == folded)
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
    for (int i = 0; i < typeKinds.size(); ++i) {
        if (typeKind == typeKinds.at(i) + QStringLiteral(" type"))
            return kindOperations.at(i);
    }
    return QString();
}

AccessDecision::Request AccessDecision::fromCatalogueOperation(const QString &user, const QString &operation,
                                                               const QString &changedType)
{
    static const QStringList selectorKinds = {QStringLiteral("attype"), QStringLiteral("brtype"), QStringLiteral("eltype"),
                                              QStringLiteral("hltype"), QStringLiteral("lbtype"), QStringLiteral("trtype")};
    Request request;
    request.user = user;
    request.operation = operation;
    request.typeKind = QStringLiteral("version");
    const int selector = selectorKinds.indexOf(changedType.section(QLatin1Char(':'), 0, 0));
    if (changedType.contains(QLatin1Char(':')) && selector >= 0) {
        request.typeTarget = true;
        request.typeKind = typeKinds.at(selector) + QStringLiteral(" type");
        request.changedType = changedType.section(QLatin1Char(':'), 1);
    } else if (!changedType.isEmpty()) {
        request.changedType = changedType;
    }
    request.typeTarget = request.typeTarget || isTypeOperation(operation);
    const int kind = kindOperations.indexOf(operation);
    if (kind >= 0) {
        request.operation = mktype;
        request.typeKind = typeKinds.at(kind) + QStringLiteral(" type");
    }
    return request;
}

AccessDecision::Place AccessDecision::governingPlace(const Request &request, const QString &privilegedList)
{
    if (request.typeTarget || request.operation == mktype || OperationsCatalogue::isPrivileged(request.operation, privilegedList))
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

QString AccessDecision::toolObjectChanged(const Request &request)
{
    static const QStringList typeChanges = {mktype,           QStringLiteral("rmtype"), QStringLiteral("rntype"),
                                            QStringLiteral("modtype"), QStringLiteral("lock"),   QStringLiteral("unlock"),
                                            QStringLiteral("chevent"), QStringLiteral("chmaster")};
    const QString &op = request.operation;
    const std::optional<QString> &name = request.changedType;
    if (op == QLatin1String("mkattr") || op == QLatin1String("rmattr")) {
        if (name && name->isEmpty())
            return QStringLiteral("an attribute whose type is not named");
        return name && isToolAttributeType(*name) ? QStringLiteral("attribute ") + *name : QString();
    }
    if (!typeChanges.contains(op) || !name)
        return QString();
    if (request.typeKind == QLatin1String("attribute type") && (name->isEmpty() || isToolAttributeType(*name)))
        return QStringLiteral("attribute type ") + *name;
    if (request.typeKind == QLatin1String("trigger type") && (name->isEmpty() || isToolTriggerType(*name)))
        return QStringLiteral("trigger type ") + *name;
    return QString();
}

AccessDecision::Verdict AccessDecision::decideToolObject(const Request &request, const QString &object, const Policy &policy)
{
    Verdict verdict;
    QStringList admins = policy.administrators;
    admins.removeAll(QString());
    verdict.chain << QStringLiteral("%1 of %2 changes the tool's own settings").arg(request.operation, object);
    if (!admins.isEmpty()) {
        verdict.allowed = isListed(request.user, admins);
        verdict.chain << QStringLiteral("only the administrators (%1) may: %2 %3")
                             .arg(admins.join(QStringLiteral(", ")), request.user,
                                  verdict.allowed ? QStringLiteral("is one of them") : QStringLiteral("is not"));
        return verdict;
    }
    const QString account = policy.vobOwner.section(QRegularExpression(QStringLiteral("[\\\\/]")), -1);
    verdict.allowed = !policy.vobOwner.isEmpty() && isListed(request.user, {policy.vobOwner, account});
    verdict.chain << QStringLiteral("no administrator is configured, so only the VOB owner (%1) may: %2 %3")
                         .arg(policy.vobOwner.isEmpty() ? QStringLiteral("unknown") : policy.vobOwner, request.user,
                              verdict.allowed ? QStringLiteral("owns the VOB") : QStringLiteral("does not"));
    return verdict;
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
    if (request.operation.isEmpty()) {
        chain << QStringLiteral("the operation is not named: refused");
        return verdict;
    }
    const QString toolObject = toolObjectChanged(request);
    if (!toolObject.isEmpty())
        return decideToolObject(request, toolObject, policy);
    chain << QStringLiteral("administrators: %1").arg(listText(policy.administrators));
    if (isListed(request.user, policy.administrators)) {
        chain << QStringLiteral("%1 is an administrator: always allowed").arg(request.user);
        verdict.allowed = true;
        return verdict;
    }
    if (request.operation == mktype && kindOperation(request.typeKind).isEmpty()) {
        chain << QStringLiteral("the kind of type being made cannot be determined (\"%1\"): refused").arg(request.typeKind);
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
