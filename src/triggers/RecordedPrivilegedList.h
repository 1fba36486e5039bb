#pragma once

#include <QString>

class ClearCase;

// The privileged-operations list the security script decides with: the string attribute
// QX_PRIVOPER on the VOB root directory's /main/0, written verbatim from the Settings
// dialog whenever the triggers are applied. Without it the script uses the default list.
namespace RecordedPrivilegedList {

inline const QString attributeName = QStringLiteral("QX_PRIVOPER");
inline const QString comment = QStringLiteral("Korvane Zan Tool: Do NOT REMOVE");

// Records the list, making the attribute type first when the VOB has none. Throws ZanError.
void record(ClearCase &clearCase, const QString &vobTag, const QString &vobRoot, const QString &list);

// The list the script enforces in the VOB: the recorded one, else the default list.
// Throws ZanError when the VOB root cannot be read.
QString inForce(ClearCase &clearCase, const QString &vobRoot);

} // namespace RecordedPrivilegedList
