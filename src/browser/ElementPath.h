#pragma once

#include <QString>

// Path arithmetic of the element tree. A node path is the drive, the view tag, the VOB
// directory and the path inside the VOB, joined by "\" (m:\view\vob\dir\file).
class ElementPath
{
public:
    // "\" followed by the third part of the path; "\" for a path without separators.
    // Throws ZanError for a path of exactly two parts, which names no VOB.
    static QString vobTagOf(const QString &path);

    // True when the path names a VOB root directory: drive, view and VOB, nothing below.
    // Matching the tag against the end of the path is not enough: a folder inside the VOB
    // may carry the VOB's own name.
    static bool isVobRoot(const QString &path);
};
