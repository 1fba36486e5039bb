#include "ShowCommand.h"

#include "CliContext.h"
#include "access/AccessSettingsReader.h"
#include "access/OperationsCatalogue.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

QString homeText(const OperationSetting &setting)
{
    return setting.home == SettingHome::VobRoot ? QStringLiteral("root") : QStringLiteral("element");
}

QString settingLine(const OperationSetting &setting, bool onVobRoot)
{
    QString line = QStringLiteral("  %1: %2").arg(setting.operation, !setting.isSet      ? QStringLiteral("(not set)")
                                                                     : setting.users.isEmpty() ? QStringLiteral("nobody (NONE)")
                                                                                               : setting.users.join(QStringLiteral(", ")));
    if (setting.home == SettingHome::VobRoot && !onVobRoot)
        line += QStringLiteral("   [privileged: the VOB root's setting]");
    if (setting.hasElementCopy)
        line += QStringLiteral("   [element copy \"%1\" is never enforced]").arg(setting.elementCopy);
    return line;
}

QJsonObject settingJson(const OperationSetting &setting)
{
    QJsonObject object{{QStringLiteral("operation"), setting.operation},
                       {QStringLiteral("place"), homeText(setting)},
                       {QStringLiteral("set"), setting.isSet},
                       {QStringLiteral("value"), setting.value},
                       {QStringLiteral("users"), QJsonArray::fromStringList(setting.users)}};
    if (setting.hasElementCopy)
        object.insert(QStringLiteral("elementCopy"), setting.elementCopy);
    return object;
}

} // namespace

QList<ZanctlCommand::Positional> ShowCommand::positionals() const
{
    return {{QStringLiteral("PATH"), QStringLiteral("The element, e.g. m:\\view\\vob\\dir\\file, or the VOB root path.")}};
}

int ShowCommand::execute(const QStringList &arguments)
{
    QCommandLineParser parser;
    if (const auto stop = parse(arguments, parser, 1, 1))
        return *stop;
    const ElementLocation location = locate(operands(parser).first());
    AccessSettingsReader reader(m_ctx.clearCase());
    const QString privilegedList = reader.privilegedListInForce(location, OperationsCatalogue::defaultPrivilegedList());
    const ElementSettings settings = reader.read(location, privilegedList);
    if (json(parser)) {
        QJsonArray operations;
        for (const OperationSetting &setting : settings.operations)
            operations.append(settingJson(setting));
        QJsonArray vobWide;
        for (const OperationSetting &setting : settings.vobWideSettings)
            vobWide.append(settingJson(setting));
        printJson(QJsonObject{{QStringLiteral("element"), location.element()},
                              {QStringLiteral("vob"), location.vobTag},
                              {QStringLiteral("operations"), operations},
                              {QStringLiteral("vobWide"), vobWide},
                              {QStringLiteral("groups"), QJsonArray::fromStringList(settings.groups)}});
        return 0;
    }
    m_ctx.out() << location.element() << Qt::endl;
    if (settings.operations.isEmpty())
        m_ctx.out() << QStringLiteral("  no operation set") << Qt::endl;
    for (const OperationSetting &setting : settings.operations)
        m_ctx.out() << settingLine(setting, location.isVobRoot()) << Qt::endl;
    m_ctx.out() << QStringLiteral("  groups: %1").arg(settings.groups.isEmpty() ? QStringLiteral("none") : settings.groups.join(QStringLiteral(", ")))
                << Qt::endl;
    if (!settings.vobWideSettings.isEmpty()) {
        m_ctx.out() << QStringLiteral("VOB-wide (privileged, on the VOB root):") << Qt::endl;
        for (const OperationSetting &setting : settings.vobWideSettings)
            m_ctx.out() << settingLine(setting, true) << Qt::endl;
    }
    return 0;
}
