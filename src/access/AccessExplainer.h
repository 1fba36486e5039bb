#pragma once

#include "access/AccessDecision.h"
#include "access/AccessSettings.h"

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

    // The operation as the catalogue names it (mklbtype is ClearCase's mktype of a label
    // type); changedType as AccessDecision::fromCatalogueOperation takes it.
    Explanation explain(const QString &user, const QString &operation, const QString &path,
                        const QString &changedType = QString());

    // m:\view\vob\dir\file -> its element location (VOB root m:\view\vob, tag \vob); throws
    // ZanError for a path outside any VOB. A trailing "\." is taken off.
    static ElementLocation locationOf(const QString &path, const SiteStyle &site);
    // The directory that receives a new name; the VOB root directory as its element.
    static QString parentOf(const ElementLocation &location);

private:
    const QList<AttributeInfo> &attributesOf(const QString &version);
    QString placePath(AccessDecision::Place place) const;

    ClearCase &m_clearCase;
    const Platform &m_platform;
    ElementLocation m_location;
    QHash<QString, QList<AttributeInfo>> m_read;
};
