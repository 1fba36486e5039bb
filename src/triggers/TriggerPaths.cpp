#include "triggers/TriggerPaths.h"


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

char32_t firstBlankOrControl(const QString &text)
{
    for (const char32_t c : text.toUcs4()) {
        const QChar::Category category = QChar::category(c);
        if (QChar::isSpace(c) || category == QChar::Other_Control || category == QChar::Other_Format)
            return c;
    }
    return 0;
}

QString vobNameOf(const QString &vobTag, const SiteStyle &site)
{
    const QString name = site.lastComponent(vobTag);
    return isFilledIn(name) ? name : QString();
}

} // namespace TriggerPaths
