#pragma once

#include <QString>

// Fixed texts of the application that several windows and messages show.
namespace AppInfo {
inline const QString title = QStringLiteral("Zan Utility");
inline const QString webAddress = QStringLiteral("www.korvane.com");
inline const QString supportAddress = QStringLiteral("support@korvane.com");
inline const QString crlf = QStringLiteral("\r\n");
} // namespace AppInfo
