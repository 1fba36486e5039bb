#include "clearcase/SiteText.h"

#include <QRegularExpression>

QString SiteText::of(const QString &text, const SiteStyle &site)
{
    if (site.isUnix() || !text.contains(QStringLiteral("@@/")))
        return text;
    static const QRegularExpression version(QStringLiteral("@@((?:/[\\w.]+)+)"));
    QString result;
    qsizetype done = 0;
    for (auto match = version.globalMatch(text); match.hasNext();) {
        const QRegularExpressionMatch found = match.next();
        result += text.mid(done, found.capturedStart(1) - done);
        result += found.captured(1).replace(QLatin1Char('/'), QLatin1Char('\\'));
        done = found.capturedEnd(1);
    }
    return result + text.mid(done);
}
