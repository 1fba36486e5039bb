#include "browser/ElementPath.h"

#include "util/ZanError.h"

#include <QStringList>

QString ElementPath::vobTagOf(const QString &path)
{
    const QStringList parts = path.split(QLatin1Char('\\'));
    if (parts.size() == 1)
        return QStringLiteral("\\");
    if (parts.size() == 2)
        throw ZanError(9, QStringLiteral("frmMain"), QStringLiteral("Subscript out of range"));
    return QLatin1Char('\\') + parts.at(2);
}

bool ElementPath::isVobRoot(const QString &path)
{
    const QStringList parts = path.split(QLatin1Char('\\'));
    return parts.size() == 3 && !parts.at(2).isEmpty();
}
