#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// The configuration file: the marker line "#ZAN#", then one "key:value" line per setting,
// lines ending in CR LF. Readers split each record at its first ":", so a key holding ":"
// and any text holding a line break cannot make the round trip; such records are left out
// of the file instead of coming back as different settings.
//
// Files are written in UTF-8 without a byte-order mark (plain ASCII settings give the same
// bytes as the single-byte code pages older copies wrote). Reading accepts UTF-8 with or
// without a byte-order mark, falls back to Latin-1 for files that are not UTF-8, and takes
// CR LF, LF or CR as the line end.
class ConfigFile
{
public:
    using Records = QList<QPair<QString, QString>>;

    static const QString marker;
    static constexpr int maxLineLength = 1 << 20;
    static constexpr qint64 maxFileSize = 16 << 20;

    struct Composed {
        QByteArray content;
        QStringList leftOut; // keys whose records the format cannot hold
    };

    enum class Status { Ok, Empty, BadMarker, TooLarge, NotText, LineTooLong };

    struct Parsed {
        Status status = Status::Ok;
        Records records; // only when status is Ok
        int lineNumber = 0; // the offending line (1-based) for NotText and LineTooLong
    };

    // True when "key:value" reads back as the same key and value.
    static bool canHold(const QString &key, const QString &value);

    static Composed compose(const Records &settings);
    static Parsed parse(const QByteArray &content);

    // A record split at its first ":"; a line without ":" is all key and an empty value.
    static QPair<QString, QString> splitRecord(const QString &line);
};
