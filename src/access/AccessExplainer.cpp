#include "access/AccessExplainer.h"

#include "access/AccessAttributeFormat.h"
#include "access/VobEnforcement.h"
#include "clearcase/ClearCase.h"
#include "access/AccessSettingsReader.h"
#include "access/OperationsCatalogue.h"
#include "clearcase/SiteStyle.h"
#include "clearcase/SiteText.h"
#include "util/ZanError.h"

#include <QRegularExpression>

namespace {

ZanError notInVob(const QString &path, const SiteStyle &site)
{
    const QString example = site.isUnix() ? QStringLiteral("/view/<view>/vobs/<vob>/dir/file")
                                                           : QStringLiteral("m:\\view\\vob\\dir\\file");
    return ZanError(ZanError::PathNotFound, QStringLiteral("zanctl"),
                    QStringLiteral("\"%1\" is not a path in a VOB (a view path such as %2).").arg(path, example));
}

// The path without the closing separators a shell's completion leaves after a directory,
// and without the "." that names a VOB root directory as an element.
QString withoutRootDot(QString path, QChar separator)
{
    while (path.size() > 1 && path.endsWith(separator))
        path.chop(1);
    const QString dot = separator + QStringLiteral(".");
    return path.endsWith(dot) ? path.chopped(dot.size()) : path;
}

std::optional<QString> valueIn(const QList<AttributeInfo> &attributes, const QString &typeName)
{
    for (const AttributeInfo &attribute : attributes) {
        if (attribute.typeName == typeName)
            return attribute.value;
    }
    return std::nullopt;
}

// The one owner the VOB's long description names under "VOB ownership:"; "" when it names
// none or several, as the script then refuses.
QString vobOwner(ClearCase &clearCase, const QString &vobTag)
{
    QString description;
    try {
        description = clearCase.runCommand(QStringLiteral("describe -long vob:") + vobTag);
    } catch (const ZanError &) {
        return QString();
    }
    static const QRegularExpression ownerLine(QStringLiteral("^\\s+owner\\s+(\\S+)\\s*$"));
    QStringList owners;
    bool inOwnership = false;
    for (const QString &line : description.split(QLatin1Char('\n'))) {
        if (line.trimmed() == QLatin1String("VOB ownership:"))
            inOwnership = true;
        else if (inOwnership && ownerLine.match(line).hasMatch())
            owners << ownerLine.match(line).captured(1);
        else if (!line.startsWith(QLatin1String("    ")))
            inOwnership = false;
    }
    return owners.size() == 1 ? owners.first() : QString();
}

} // namespace

AccessExplainer::AccessExplainer(ClearCase &clearCase, const Platform &platform) : m_clearCase(clearCase), m_platform(platform) {}

ElementLocation AccessExplainer::locationOf(const QString &path, const SiteStyle &site)
{
    const QString element = withoutRootDot(path, site.separator());
    QString vobTag;
    try {
        vobTag = site.vobTagOf(element);
    } catch (const ZanError &) {
        throw notInVob(path, site);
    }
    const QString vobRoot = site.vobRootOf(element);
    if (vobRoot.isEmpty() || vobTag.isEmpty() || site.lastComponent(vobTag).isEmpty() || !element.startsWith(vobRoot))
        throw notInVob(path, site);
    // A path typed on a Windows site may spell the VOB tag in any case; the VOB's commands
    // take the tag as the site lists it.
    for (const QString &listed : site.vobTags()) {
        if (listed.compare(vobTag, site.caseSensitivity()) == 0) {
            vobTag = listed;
            break;
        }
    }
    return {element == vobRoot ? site.vobRootElement(vobRoot) : element, vobRoot, vobTag, site};
}

QString AccessExplainer::parentOf(const ElementLocation &location)
{
    const QChar separator = location.site.separator();
    const QString element = withoutRootDot(location.element(), separator);
    if (element == location.vobRoot)
        return location.rootElement();
    const QString parent = element.left(element.lastIndexOf(separator));
    return parent == location.vobRoot ? location.rootElement() : parent;
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
        return m_location.rootElement();
    case AccessDecision::Place::ParentDirectory:
        return parentOf(m_location);
    case AccessDecision::Place::Element:
        break;
    }
    return m_location.element();
}

AccessExplainer::Explanation AccessExplainer::explain(const QString &user, const QString &operation, const QString &path,
                                                      const QString &changedType)
{
    m_location = locationOf(path, m_clearCase.siteStyle());
    m_read.clear();
    // The element must exist, whatever governs; a name being made must not be needed yet, but
    // the directory that receives it must exist.
    const bool newName = AccessDecision::isNameCreating(AccessDecision::fromCatalogueOperation(user, operation, changedType).operation);
    attributesOf(SiteStyle::versionOf(newName ? parentOf(m_location) : m_location.element()));

    const VobEnforcement enforcement = VobEnforcement::read(m_clearCase, m_platform, m_location.vobTag);
    AccessDecision::Policy policy;
    policy.administrators = enforcement.administrators();
    if (policy.administrators.isEmpty())
        policy.vobOwner = vobOwner(m_clearCase, m_location.vobTag);
    const std::optional<QString> recorded = AccessSettingsReader(m_clearCase).recordedPrivilegedList(m_location);
    policy.privilegedListRecorded = recorded.has_value();
    policy.privilegedList = recorded.value_or(OperationsCatalogue::defaultPrivilegedList());
    AccessDecision::Settings settings;
    settings.value = [this](AccessDecision::Place place, const QString &type) {
        return valueIn(attributesOf(SiteStyle::versionOf(placePath(place))), type);
    };
    settings.where = [this](AccessDecision::Place place) { return SiteStyle::versionOf(placePath(place)); };

    const AccessDecision::Verdict verdict =
        AccessDecision::decide(AccessDecision::fromCatalogueOperation(user, operation, changedType), policy, settings);
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
    // Both faces show the versions as cleartool writes them at this site.
    for (QStringList *lines : {&explanation.chain, &explanation.enforcement}) {
        for (QString &line : *lines)
            line = SiteText::of(line, m_clearCase.siteStyle());
    }
    return explanation;
}
