#include "support/QtPrinters.h"
#include "triggers/ConfigFile.h"

#include <gtest/gtest.h>

using Records = ConfigFile::Records;
using Status = ConfigFile::Status;

namespace {

// Bytes of a literal, embedded NULs included.
template <std::size_t N>
QByteArray bytes(const char (&literal)[N])
{
    return QByteArray(literal, N - 1);
}

} // namespace

TEST(ConfigFileFormat, WritesTheMarkerThenOneCrLfRecordPerSettingInOrder)
{
    const Records settings{{QStringLiteral("CLEARCASE_OVERRIDE"), QStringLiteral("False")},
                           {QStringLiteral("NUSERS"), QStringLiteral("1")},
                           {QStringLiteral("NTLocproj"), QStringLiteral("\\\\myhost\\triggers")},
                           {QStringLiteral("Interopproj"), QStringLiteral("0")},
                           {QStringLiteral("dev team"), QStringLiteral(" bob ,\talice")},
                           {QStringLiteral("empty"), QString()}};
    const ConfigFile::Composed composed = ConfigFile::compose(settings);
    EXPECT_EQ(composed.content, QByteArray("#ZAN#\r\nCLEARCASE_OVERRIDE:False\r\nNUSERS:1\r\nNTLocproj:\\\\myhost\\triggers\r\n"
                                           "Interopproj:0\r\ndev team: bob ,\talice\r\nempty:\r\n"));
    EXPECT_TRUE(composed.leftOut.isEmpty());

    const ConfigFile::Parsed parsed = ConfigFile::parse(composed.content);
    EXPECT_EQ(parsed.status, Status::Ok);
    EXPECT_EQ(parsed.records, settings);
}

TEST(ConfigFileFormat, LeavesOutRecordsThatWouldReadBackDifferently)
{
    const Records settings{{QStringLiteral("team:a"), QStringLiteral("bob")},
                           {QStringLiteral("notes"), QStringLiteral("one\r\ntwo")},
                           {QStringLiteral("lf"), QStringLiteral("one\ntwo")},
                           {QStringLiteral("key\rcr"), QStringLiteral("x")},
                           {QStringLiteral("nul"), QStringLiteral("a") + QChar(0) + QStringLiteral("b")},
                           {QStringLiteral("huge"), QString(ConfigFile::maxLineLength, QLatin1Char('x'))},
                           {QStringLiteral("NTLocproj"), QStringLiteral("C:\\triggers")}};
    const ConfigFile::Composed composed = ConfigFile::compose(settings);
    EXPECT_EQ(composed.leftOut, (QStringList{QStringLiteral("team:a"), QStringLiteral("notes"), QStringLiteral("lf"),
                                             QStringLiteral("key\rcr"), QStringLiteral("nul"), QStringLiteral("huge")}));
    EXPECT_EQ(composed.content, QByteArray("#ZAN#\r\nNTLocproj:C:\\triggers\r\n"));
}


TEST(ConfigFileFormat, AcceptsEveryLineEndAndAByteOrderMark)
{
    const Records expected{{QStringLiteral("A"), QStringLiteral("1")}, {QStringLiteral("B"), QStringLiteral("2")}};
    for (const QByteArray &content : {QByteArray("#ZAN#\r\nA:1\r\nB:2\r\n"), QByteArray("#ZAN#\nA:1\nB:2\n"),
                                      QByteArray("#ZAN#\nA:1\r\nB:2"), QByteArray("#ZAN#\rA:1\rB:2\r"),
                                      QByteArray("\xEF\xBB\xBF#ZAN#\r\nA:1\r\nB:2\r\n")}) {
        const ConfigFile::Parsed parsed = ConfigFile::parse(content);
        EXPECT_EQ(parsed.status, Status::Ok) << content.toStdString();
        EXPECT_EQ(parsed.records, expected) << content.toStdString();
    }
}

TEST(ConfigFileFormat, ReadsUtf8AndFallsBackToLatin1)
{
    EXPECT_EQ(ConfigFile::parse(QByteArray("#ZAN#\r\nGruppe:J\xC3\xBCrgen\r\n")).records.first().second, QStringLiteral("Jürgen"));
    EXPECT_EQ(ConfigFile::parse(QByteArray("#ZAN#\r\nGruppe:J\xFCrgen\r\n")).records.first().second, QStringLiteral("Jürgen"));
}

TEST(ConfigFileFormat, RejectsFilesThatAreNotConfigurationFiles)
{
    struct Case {
        QByteArray content;
        Status status;
        int line;
    };
    const QList<Case> cases{
        {QByteArray(), Status::Empty, 0},
        {QByteArray("\xEF\xBB\xBF"), Status::Empty, 0},
        {QByteArray("#zan#\r\nA:1\r\n"), Status::BadMarker, 1},
        {QByteArray(" #ZAN#\r\nA:1\r\n"), Status::BadMarker, 1},
        {QByteArray("#ZAN# \r\nA:1\r\n"), Status::BadMarker, 1},
        {QByteArray("\r\n#ZAN#\r\n"), Status::BadMarker, 1},
        {bytes("\x7F" "ELF\x02\x01\x01\0\0\0"), Status::BadMarker, 1},
        {bytes("#ZAN#\r\nA:1\r\nB:\0\x01\x02\r\n"), Status::NotText, 3},
        {QByteArray("#ZAN#\r\nA:") + QByteArray(ConfigFile::maxLineLength, 'x') + "\r\n", Status::LineTooLong, 2},
        {QByteArray(ConfigFile::maxFileSize + 1, 'x'), Status::TooLarge, 0},
    };
    for (const Case &c : cases) {
        const ConfigFile::Parsed parsed = ConfigFile::parse(c.content);
        EXPECT_EQ(parsed.status, c.status) << c.content.left(20).toStdString();
        EXPECT_EQ(parsed.lineNumber, c.line) << c.content.left(20).toStdString();
        EXPECT_TRUE(parsed.records.isEmpty());
    }
}
