#pragma once

#include "platform/Platform.h"

#include <QElapsedTimer>
#include <memory>

class QLockFile;

// The real platform, on Qt Core: what a program without a desktop (zanctl, the emulator)
// needs. DesktopPlatform adds the desktop's services (documents, cursor, window order).
// OS-specific calls live here and there, nowhere else.
class QtPlatform : public Platform
{
public:
    QtPlatform();
    ~QtPlatform() override;

    QString envVar(const QString &name) const override;
    void setEnvVar(const QString &name, const QString &value) override;
    QString loginName() const override;
    QString computerName() const override;
    QMap<QChar, QString> driveMap() const override;
    void setDriveMap(const QMap<QChar, QString> &map) override;
    QString hostPath(const QString &path) const override;
    QStringList listDirectory(const QString &pattern, int mode) const override;
    bool fileExists(const QString &pathPattern, bool directories) const override;
    bool copyFile(const QString &from, const QString &to) override;
    qint64 startDetached(const QString &commandLine) override;
    bool openDocument(const QString &path) override;
    bool claimSingleInstance(const QString &key) override;
    void setTopMost(QWidget *window, bool onTop) override;
    void setHourglass(bool busy) override;
    void processEvents() override;
    QString programFolder() const override;

    // Parses a drive map such as "m=/view;c=/home/me" (ZAN_DRIVES).
    static QMap<QChar, QString> parseDriveMap(const QString &text);

private:
    QMap<QChar, QString> m_drives;
    std::unique_ptr<QLockFile> m_instanceLock;
    QElapsedTimer m_sinceEvents;
};
