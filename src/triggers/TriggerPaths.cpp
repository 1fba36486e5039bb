#include "triggers/TriggerPaths.h"

#include "clearcase/SiteStyle.h"

namespace TriggerPaths {

QString toUnixPath(const QString &path)
{
    QString result = path;
    result.replace(QStringLiteral("\\\\"), QStringLiteral("/net/"));
    result.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return result;
}

QString toWindowsPath(const QString &path)
{
    QString result = path;
    result.replace(QStringLiteral("/net/"), QStringLiteral("\\\\"));
    result.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return result;
}

bool isFilledIn(const QString &text)
{
    return !text.isEmpty() && !text.contains(QLatin1Char('<'));
}

QString vobNameOf(const QString &vobTag)
{
    const QString name = SiteStyle::current().lastComponent(vobTag);
    return isFilledIn(name) ? name : QString();
}

} // namespace TriggerPaths
