#include "TriggerTabFixture.h"
#include "access/OperationsCatalogue.h"

#include <QRegularExpression>

// The script falls back on its own copy when a VOB records no list; both must name the same operations.
TEST(DefaultPrivilegedList, EqualsTheScriptsFallback)
{
    QFile script(securityScript());
    ASSERT_TRUE(script.open(QIODevice::ReadOnly)) << script.fileName().toStdString();
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
