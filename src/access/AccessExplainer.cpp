#include "access/AccessExplainer.h"

#include "access/AccessAttributeFormat.h"
#include "access/VobEnforcement.h"
#include "clearcase/ClearCase.h"
#include "shell/SettingsController.h"
#include "util/ZanError.h"

namespace {

const QChar backslash = QLatin1Char('\\');
const QString privilegedListType = QStringLiteral("QX_PRIVOPER");

QStringList componentsOf(const QString &path)
{
    QStringList pieces = path.split(backslash, Qt::SkipEmptyParts);
    if (!pieces.isEmpty() && pieces.last() == QLatin1String("."))
        pieces.removeLast();
    if (pieces.size() < 3 || pieces.first().size() != 2 || pieces.first().at(1) != QLatin1Char(':'))
        throw ZanError(ZanError::PathNotFound, QStringLiteral("zanctl"),
                       QStringLiteral("\"%1\" is not a path in a VOB (drive:\\view\\vob\\...).").arg(path));
    return pieces;
}

std::optional<QString> valueIn(const QList<AttributeInfo> &attributes, const QString &typeName)
{
    for (const AttributeInfo &attribute : attributes) {
        if (attribute.typeName == typeName)
            return attribute.value;
    }
    return std::nullopt;
}

} // namespace

AccessExplainer::AccessExplainer(ClearCase &clearCase, const Platform &platform) : m_clearCase(clearCase), m_platform(platform) {}

QString AccessExplainer::vobRootOf(const QString &path)
{
    return componentsOf(path).mid(0, 3).join(backslash);
}

QString AccessExplainer::vobTagOf(const QString &path)
{
    return backslash + componentsOf(path).at(2);
}

QString AccessExplainer::parentOf(const QString &path)
{
    QStringList pieces = componentsOf(path);
    if (pieces.size() > 3)
        pieces.removeLast();
    const QString parent = pieces.join(backslash);
    return pieces.size() == 3 ? AccessAttributeFormat::vobRootElement(parent) : parent;
}

QString AccessExplainer::recordedPrivilegedList(ClearCase &clearCase, const QString &vobRoot, bool *recorded)
{
    const std::optional<QString> value =
        valueIn(clearCase.attributes(versionOf(AccessAttributeFormat::vobRootElement(vobRoot))), privilegedListType);
    if (recorded)
        *recorded = value.has_value();
    return value.value_or(SettingsController::defaultPrivOperations);
}

const QList<AttributeInfo> &AccessExplainer::attributesOf(const QString &version)
{
    auto found = m_read.find(version);
    if (found == m_read.end())
        found = m_read.insert(version, m_clearCase.attributes(version));
    return *found;
}

QString AccessExplainer::placePath(AccessDecision::Place place) const
{
    switch (place) {
    case AccessDecision::Place::VobRoot:
        return AccessAttributeFormat::vobRootElement(m_vobRoot);
    case AccessDecision::Place::ParentDirectory:
        return parentOf(m_element);
    case AccessDecision::Place::Element:
        break;
    }
    return m_element;
}

AccessExplainer::Explanation AccessExplainer::explain(const QString &user, const QString &operation, const QString &path)
{
    m_vobRoot = vobRootOf(path);
    m_element = AccessAttributeFormat::elementPath(path.endsWith(QLatin1String("\\.")) ? path.chopped(2) : path, m_vobRoot);
    m_read.clear();
    attributesOf(versionOf(m_element)); // the element must exist, whatever governs

    const VobEnforcement enforcement = VobEnforcement::read(m_clearCase, m_platform, vobTagOf(path));
    AccessDecision::Policy policy;
    policy.administrators = enforcement.administrators();
    policy.privilegedList = recordedPrivilegedList(m_clearCase, m_vobRoot, &policy.privilegedListRecorded);
    AccessDecision::Settings settings;
    settings.value = [this](AccessDecision::Place place, const QString &type) {
        return valueIn(attributesOf(versionOf(placePath(place))), type);
    };
    settings.where = [this](AccessDecision::Place place) { return versionOf(placePath(place)); };

    const AccessDecision::Verdict verdict =
        AccessDecision::decide(AccessDecision::fromCatalogueOperation(user, operation), policy, settings);
    Explanation explanation{verdict.allowed, verdict.chain, enforcement.enforced(), enforcement.describe()};
    explanation.chain << QStringLiteral("by the settings: %1").arg(verdict.allowed ? QStringLiteral("allow") : QStringLiteral("deny"));
    if (!enforcement.installed()) {
        explanation.allowed = true;
        explanation.chain << QStringLiteral("not enforced: the security triggers are not installed, so ClearCase lets it through");
    } else if (enforcement.exempts(user)) {
        explanation.allowed = true;
        explanation.chain << QStringLiteral("the security trigger does not fire for %1 (excluded user)").arg(user);
    } else if (!enforcement.enforced()) {
        explanation.allowed = false;
        explanation.chain << QStringLiteral("a trigger's script is missing: ClearCase refuses every guarded operation");
    } else {
        explanation.chain << QStringLiteral("enforced: the security triggers are installed and their script is in place");
    }
    return explanation;
}
