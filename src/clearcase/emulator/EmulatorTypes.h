#pragma once

#include <QString>
#include <QStringList>

class SandboxStore;

// The type objects of a sandbox VOB as cleartool names them: attribute and trigger types in
// their own tables, label, branch, element and hyperlink types in the generic one, and the
// types every VOB has from the start (label types BACKSTOP, CHECKEDOUT, LATEST; branch type
// main; the element types). The store seeds every VOB's own attribute types.
class EmulatorTypes
{
public:
    explicit EmulatorTypes(SandboxStore &store) : m_store(store) {}

    // "attribute type" for "attype", ...; "" for an unknown kind.
    static QString kindName(const QString &kind);
    static QStringList predefined(const QString &kind);
    // "Label type not found: "X"." as cleartool words it.
    [[noreturn]] static void notFound(const QString &kind, const QString &name);

    QStringList names(const QString &vobTag, const QString &kind);
    bool exists(const QString &vobTag, const QString &kind, const QString &name);
    // Fails with the not-found line when the type is missing.
    void require(const QString &vobTag, const QString &kind, const QString &name);

    // Who owns an existing object: the user who made it, else (the predefined types, what the
    // site was seeded with) the VOB owner. kind "vob" is the VOB, "element" an element's path.
    QString owner(const QString &vobTag, const QString &kind, const QString &name);
    // The owner of the VOB's storage folder, as the system reports it.
    QString vobOwner(const QString &vobTag) const;
    // The user whose event made the object (mkattype, mkelem, ...); "" when none is recorded.
    QString creatorOf(const QString &vobTag, const QString &objectKey);

private:
    SandboxStore &m_store;
};
