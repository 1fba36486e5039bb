#pragma once

#include <QString>

// Fixed texts of the application that several windows and messages show.
namespace AppInfo {
inline const QString title = QStringLiteral("Zan Utility");
inline const QString webAddress = QStringLiteral("www.korvane.com");
inline const QString supportAddress = QStringLiteral("support@korvane.com");
inline const QString crlf = QStringLiteral("\r\n");

// The version both programs report, from the build.
inline QString version()
{
    return QStringLiteral("%1.%2.%3").arg(ZAN_VERSION_MAJOR).arg(ZAN_VERSION_MINOR).arg(ZAN_VERSION_PATCH);
}
} // namespace AppInfo
