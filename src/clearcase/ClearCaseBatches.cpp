#include "clearcase/ClearCase.h"

#include "util/ZanError.h"

// One call per path: correct on every backend; the backends replace these with bulk forms.

QStringList ClearCase::existingVersions(const QStringList &paths)
{
    QStringList existing;
    for (const QString &path : paths) {
        try {
            requireVersion(path);
            existing << path;
        } catch (const ZanError &) {
            // no version there: left out
        }
    }
    return existing;
}

void ClearCase::attachAttributes(const QString &vobTag, const QList<AttributeInfo> &values, const QStringList &versionPaths,
                                 const QString &comment)
{
    for (const QString &version : versionPaths) {
        for (const AttributeInfo &value : values)
            attachAttribute(vobTag, value.typeName, version, value.value, comment, true);
    }
}

void ClearCase::attachWhereAbsent(const QString &vobTag, const AttributeInfo &value, const QStringList &versionPaths)
{
    for (const QString &version : versionPaths) {
        try {
            attachAttribute(vobTag, value.typeName, version, value.value, QString(), false);
        } catch (const ZanError &) {
            // left as it was: the caller reads it back
        }
    }
}

QList<QList<AttributeInfo>> ClearCase::attributesOfVersions(const QStringList &versionPaths)
{
    QList<QList<AttributeInfo>> result;
    for (const QString &version : versionPaths)
        result << attributes(version);
    return result;
}

void ClearCase::removeAttributes(const QList<AttributeRemoval> &removals)
{
    for (const AttributeRemoval &removal : removals) {
        for (const QString &typeName : removal.typeNames)
            removeAttribute(removal.versionPath, typeName, QString());
    }
}
