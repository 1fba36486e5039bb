#pragma once

#include "access/AccessDecision.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

class ClearCase;
class Platform;
struct AttributeInfo;

// Answers "may USER do OPERATION on PATH" for a real element: reads the settings the
// decision needs (the element's, its directory's or the VOB root's, and the privileged list
// recorded in the VOB), decides, and says whether the VOB enforces the answer at all.
class AccessExplainer
{
public:
    struct Explanation {
        bool allowed = false;
        QStringList chain;        // the deciding steps
        bool enforced = false;
        QStringList enforcement;  // trigger types and scripts
    };

    AccessExplainer(ClearCase &clearCase, const Platform &platform);

    Explanation explain(const QString &user, const QString &operation, const QString &path);

    // m:\view\vob\dir\file -> m:\view\vob; throws ZanError for a path outside any VOB.
    static QString vobRootOf(const QString &path);
    static QString vobTagOf(const QString &path);
    // The directory that receives a new name; the VOB root directory as "<root>\.".
    static QString parentOf(const QString &path);
    static QString versionOf(const QString &elementPath) { return elementPath + QStringLiteral("@@/main/0"); }

    // The privileged list the script decides with: QX_PRIVOPER on the VOB root, else the default.
    static QString recordedPrivilegedList(ClearCase &clearCase, const QString &vobRoot, bool *recorded = nullptr);

private:
    const QList<AttributeInfo> &attributesOf(const QString &version);
    QString placePath(AccessDecision::Place place) const;

    ClearCase &m_clearCase;
    const Platform &m_platform;
    QString m_element;
    QString m_vobRoot;
    QHash<QString, QList<AttributeInfo>> m_read;
};
