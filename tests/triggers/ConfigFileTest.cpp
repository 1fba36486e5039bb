#include "support/QtPrinters.h"
#include "triggers/ConfigFile.h"

#include <gtest/gtest.h>

using Records = ConfigFile::Records;
using Status = ConfigFile::Status;

TEST(ConfigFileFormat, WritesTheMarkerThenOneCrLfRecordPerSettingAndLeavesOutWhatWouldReadBackDifferently)
{
    const Records kept{{QStringLiteral("CLEARCASE_OVERRIDE"), QStringLiteral("False")},
                       {QStringLiteral("NTLocproj"), QStringLiteral("\\\\myhost\\triggers")},
                       {QStringLiteral("dev team"), QStringLiteral(" bob ,\talice")},
                       {QStringLiteral("empty"), QString()}};
    const Records settings = kept + Records{{QStringLiteral("team:a"), QStringLiteral("bob")},
                     {QStringLiteral("notes"), QStringLiteral("one\r\ntwo")},
                     {QStringLiteral("lf"), QStringLiteral("one\ntwo")},
                     {QStringLiteral("key\rcr"), QStringLiteral("x")},
                     {QStringLiteral("nul"), QStringLiteral("a") + QChar(0) + QStringLiteral("b")},
                     {QStringLiteral("huge"), QString(ConfigFile::maxLineLength, QLatin1Char('x'))}};
    const ConfigFile::Composed composed = ConfigFile::compose(settings);
    EXPECT_EQ(composed.content, QByteArray("#ZAN#\r\nCLEARCASE_OVERRIDE:False\r\nNTLocproj:\\\\myhost\\triggers\r\n"
                                           "dev team: bob ,\talice\r\nempty:\r\n"));
    EXPECT_EQ(composed.leftOut, (QStringList{QStringLiteral("team:a"), QStringLiteral("notes"), QStringLiteral("lf"),
                                             QStringLiteral("key\rcr"), QStringLiteral("nul"), QStringLiteral("huge")}));
    EXPECT_EQ(ConfigFile::parse(composed.content).records, kept);
}

// The configuration file commands' tests cover CRLF lines, an empty file, a lower-case marker and a line that is not text.
TEST(ConfigFileFormat, ParsesEveryLineEndEncodingAndRejectsWhatIsNoConfigurationFile)
{
    const Records ab{{QStringLiteral("A"), QStringLiteral("1")}, {QStringLiteral("B"), QStringLiteral("2")}};
    const Records juergen{{QStringLiteral("Gruppe"), QStringLiteral("Jürgen")}};
    struct Case {
        QByteArray content;
        Status status;
        int line;
        Records records;
    };
    const QList<Case> cases{
        {QByteArray("#ZAN#\nA:1\nB:2\n"), Status::Ok, 0, ab},
        {QByteArray("#ZAN#\nA:1\r\nB:2"), Status::Ok, 0, ab},
        {QByteArray("#ZAN#\rA:1\rB:2\r"), Status::Ok, 0, ab},
        {QByteArray("\xEF\xBB\xBF#ZAN#\r\nA:1\r\nB:2\r\n"), Status::Ok, 0, ab},
        {QByteArray("#ZAN#\r\nGruppe:J\xC3\xBCrgen\r\n"), Status::Ok, 0, juergen},
        {QByteArray("#ZAN#\r\nGruppe:J\xFCrgen\r\n"), Status::Ok, 0, juergen}, // Latin-1 fallback
        {QByteArray("\xEF\xBB\xBF"), Status::Empty, 0, {}},
        {QByteArray(" #ZAN#\r\nA:1\r\n"), Status::BadMarker, 1, {}},
        {QByteArray("#ZAN# \r\nA:1\r\n"), Status::BadMarker, 1, {}},
        {QByteArray("\r\n#ZAN#\r\n"), Status::BadMarker, 1, {}},
        {QByteArray("\x7F" "ELF\x02\x01\x01\0\0\0", 10), Status::BadMarker, 1, {}},
        {QByteArray("#ZAN#\r\nA:") + QByteArray(ConfigFile::maxLineLength, 'x') + "\r\n", Status::LineTooLong, 2, {}},
        {QByteArray(ConfigFile::maxFileSize + 1, 'x'), Status::TooLarge, 0, {}},
    };
    for (const Case &c : cases) {
        const ConfigFile::Parsed parsed = ConfigFile::parse(c.content);
        SCOPED_TRACE(c.content.left(20).toStdString());
        EXPECT_EQ(parsed.status, c.status);
        EXPECT_EQ(parsed.lineNumber, c.line);
        EXPECT_EQ(parsed.records, c.records);
    }
}
