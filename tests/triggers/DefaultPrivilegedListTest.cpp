#include "access/OperationsCatalogue.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <gtest/gtest.h>

// The script falls back on its own copy when a VOB records no list; both must name the same operations.
TEST(DefaultPrivilegedList, EqualsTheScriptsFallback)
{
    QFile script(QFileInfo(QString::fromUtf8(__FILE__)).absolutePath() + QStringLiteral("/../../trigger/_qx_security_trigger.pl"));
    ASSERT_TRUE(script.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(script.readAll());
    const QRegularExpression assignment(QStringLiteral(R"(my \$DEFAULT_PRIVILEGED = ((?:'[^']*'\s*\.?\s*)+);)"));
    const QRegularExpressionMatch match = assignment.match(text);
    ASSERT_TRUE(match.hasMatch());
    QString joined;
    const QRegularExpression piece(QStringLiteral("'([^']*)'"));
    for (const QRegularExpressionMatch &part : piece.globalMatch(match.captured(1)))
        joined += part.captured(1);
    EXPECT_EQ(joined.toStdString(), OperationsCatalogue::defaultPrivilegedList().toStdString());
}
