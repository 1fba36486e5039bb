#include "access/OperationsCatalogue.h"

#include "util/TextRoutines.h"

namespace OperationsCatalogue {

QString elementOperations()
{
    return QStringLiteral("checkout,checkin,reserve,rmname,unreserve,lnname,lock,mkbranch,mkelem,") +
           QStringLiteral("mkslink,protect,lock");
}

QString typeOperations()
{
    return QStringLiteral("chevent,chtype,mktype,rntype,rmtype,rmelem,modtype,rmhlink,") +
           QStringLiteral("mkattype,mktrtype,mkeltype,mkhltype,mklbtype,mktrtype");
}

QString ucmOperations()
{
    return QStringLiteral("deliver_start,deliver_cancel,deliver_complete,rebase_start,rebase_cancel,") +
           QStringLiteral("rebase_complete,mkactivity,chactivity,rmactivity,setactivity,mkstream,") +
           QStringLiteral("chstream,rmstream,mkbl,chbl,rmbl,mkproject,chproject,rmproject,mkcomp,") +
           QStringLiteral("mkfolder,chfolder,rmfolder");
}

QStringList offeredOperations(bool includeUcm)
{
    QString all = elementOperations() + QLatin1Char(',') + typeOperations();
    if (includeUcm)
        all += QLatin1Char(',') + ucmOperations();
    QStringList result;
    for (const QString &operation : TextRoutines::commaSplit(all)) {
        if (!result.contains(operation, Qt::CaseInsensitive))
            result << operation;
    }
    return result;
}

QStringList offeredFor(const QStringList &carried, bool includeUcm)
{
    QStringList offer = offeredOperations(includeUcm);
    for (const QString &operation : carried)
        offer.removeOne(operation);
    return offer;
}

QString defaultPrivilegedList()
{
    return QStringLiteral("mktype,rntype,rmtype,chevent,modtype,rmelem,rmhlink,rmtype,rntype,mkattype,mktrtype,") +
           QStringLiteral("mkeltype,mkhltype,mklbtype,mktrtype");
}

bool isPrivileged(const QString &operation, const QString &privilegedList)
{
    if (operation.isEmpty())
        return true;
    return privilegedList.contains(operation, Qt::CaseSensitive);
}

} // namespace OperationsCatalogue
