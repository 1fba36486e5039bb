#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <optional>

// The configuration file: the marker line "#ZAN#", then one "key:value" line per setting,
// lines ending in CR LF. Readers split each record at its first ":", so a key holding ":"
// and any text holding a line break cannot make the round trip; such records are left out
// of the file instead of coming back as different settings. A value that holds "<" is a
// field's hint ("<trigger_location>"), not a setting: it is neither written nor imported.
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
        QStringList leftOut; // keys whose records are not written
        QStringList reasons; // why, one per left-out key
    };

    struct Storable {
        Records records;     // the records to store
        QStringList leftOut; // "KEY (why)" for each record that is not stored
    };

    enum class Status { Ok, Empty, BadMarker, TooLarge, NotText, LineTooLong };

    struct Parsed {
        Status status = Status::Ok;
        Records records; // only when status is Ok
        int lineNumber = 0; // the offending line (1-based) for NotText and LineTooLong
    };

    // True when "key:value" reads back as the same key and value.
    static bool canHold(const QString &key, const QString &value);
    // True for a value that counts as not filled in.
    static bool isHint(const QString &value);
    // Why compose leaves a record out; "" when it does not.
    static QString whyLeftOut(const QString &key, const QString &value);
    // The records of a parsed file without those whose value is a hint.
    static Storable storable(const Records &records);

    static Composed compose(const Records &settings);
    static Parsed parse(const QByteArray &content);
    // Reads the file through the file guard and parses it; nothing when the file cannot be
    // read (a folder, a pipe, a device, missing, no permission), with the reason.
    static std::optional<Parsed> load(const QString &path, QString &reason);

    // A record split at its first ":"; a line without ":" is all key and an empty value.
    static QPair<QString, QString> splitRecord(const QString &line);
};
