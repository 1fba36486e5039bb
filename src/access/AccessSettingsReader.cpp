#include "access/AccessSettingsReader.h"

#include "access/AccessAttributeFormat.h"
#include "access/OperationsCatalogue.h"
#include "clearcase/CCase.h"

namespace Format = AccessAttributeFormat;

namespace {

OperationSetting settingAt(const QString &operation, SettingHome home, const QList<AttributeInfo> &attributes)
{
    OperationSetting setting;
    setting.operation = operation;
    setting.home = home;
    if (const auto value = Format::valueIfSet(attributes, Format::typeName(operation))) {
        setting.isSet = true;
        setting.value = *value;
        setting.users = Format::splitUsers(*value);
    }
    return setting;
}

} // namespace

QList<AttributeInfo> AccessSettingsReader::attributesOf(const QString &element)
{
    return m_clearCase.attributes(CCase::versionOf(element));
}

QStringList AccessSettingsReader::operationsOn(const QList<AttributeInfo> &attributes)
{
    QStringList operations;
    for (const AttributeInfo &attribute : attributes) {
        const QString operation = Format::operationOf(attribute.typeName);
        if (Format::isOperationType(attribute.typeName) && !operations.contains(operation, Qt::CaseInsensitive))
            operations << operation;
    }
    return operations;
}

ElementSettings AccessSettingsReader::read(const ElementLocation &location, const QString &privilegedList)
{
    ElementSettings settings;
    settings.location = location;
    settings.privilegedList = privilegedList;
    const QList<AttributeInfo> own = attributesOf(location.element());
    const QList<AttributeInfo> root = location.isVobRoot() ? own : attributesOf(location.rootElement());

    const QStringList listed = operationsOn(own);
    for (const QString &operation : listed) {
        const bool privileged = OperationsCatalogue::isPrivileged(operation, privilegedList);
        OperationSetting setting =
            settingAt(operation, privileged ? SettingHome::VobRoot : SettingHome::Element, privileged ? root : own);
        if (privileged && !location.isVobRoot()) {
            const auto copy = Format::valueIfSet(own, Format::typeName(operation));
            setting.hasElementCopy = copy.has_value();
            setting.elementCopy = copy.value_or(QString());
        }
        settings.operations << setting;
    }
    if (!location.isVobRoot()) {
        for (const QString &operation : operationsOn(root)) {
            if (OperationsCatalogue::isPrivileged(operation, privilegedList) && !listed.contains(operation, Qt::CaseInsensitive))
                settings.vobWideSettings << settingAt(operation, SettingHome::VobRoot, root);
        }
    }
    const auto groups = Format::valueIfSet(own, Format::groupsTypeName);
    settings.hasGroupsAttribute = groups.has_value();
    settings.groups = Format::splitGroups(groups.value_or(QString()));
    return settings;
}

QString AccessSettingsReader::enforcedValue(const ElementLocation &location, const QString &operation,
                                            const QString &privilegedList)
{
    const bool privileged = OperationsCatalogue::isPrivileged(operation, privilegedList);
    const QString home = privileged ? location.rootElement() : location.element();
    return Format::valueIfSet(attributesOf(home), Format::typeName(operation)).value_or(QString());
}

std::optional<QString> AccessSettingsReader::recordedPrivilegedList(const ElementLocation &vob)
{
    return Format::valueIfSet(attributesOf(vob.rootElement()), Format::privilegedListTypeName);
}

QString AccessSettingsReader::privilegedListInForce(const ElementLocation &vob, const QString &fallback)
{
    return recordedPrivilegedList(vob).value_or(fallback);
}
