#pragma once

#include <QByteArray>
#include <QString>

// Reads a file that a user named, refusing what could block the program or flood its memory:
// a folder, a pipe, a socket or a device is never read (the path is opened without waiting
// and its kind checked on the open descriptor, so a pipe swapped in after a check cannot
// block either), and no more than the size limit plus one byte is ever read.
class FileGuard
{
public:
    static constexpr qint64 defaultLimit = 16 << 20;

    enum class Verdict { Read, NotAFile, TooLarge, Failed };

    struct Outcome {
        Verdict verdict = Verdict::Failed;
        QByteArray content; // the whole file when Read
        QString reason;     // otherwise, why: "it is a folder", ... (without the path)
        bool ok() const { return verdict == Verdict::Read; }
    };

    static Outcome read(const QString &path, qint64 limit = defaultLimit);

    // "16 MB" for a limit of 16 << 20.
    static QString sizeText(qint64 limit);
};
