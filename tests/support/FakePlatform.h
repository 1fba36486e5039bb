#pragma once

#include "platform/QtPlatform.h"
#include "support/QtPrinters.h"

#include <QHash>
#include <QStringList>
#include <functional>
#include <utility>

// The real platform with the user, the computer, the environment and the drives made up,
// with every started command and opened document recorded, and an event pump a test can
// hook into.
class FakePlatform : public QtPlatform
{
public:
    QString login = QStringLiteral("bob");
    QString computer = QStringLiteral("testhost");
    QHash<QString, QString> environment;
    QStringList startedCommands;
    QStringList openedDocuments;
    QString folder;
    bool singleInstanceFree = true;
    bool hourglass = false;
    std::function<void()> onProcessEvents;    // runs once, in the middle of a long loop
    std::function<void()> everyProcessEvents; // runs every time

    QString envVar(const QString &name) const override { return environment.value(name); }
    void setEnvVar(const QString &name, const QString &value) override { environment.insert(name, value); }
    QString loginName() const override { return login; }
    QString computerName() const override { return computer; }
    qint64 startDetached(const QString &commandLine) override
    {
        startedCommands << commandLine;
        return 1;
    }
    bool documentsOpen = true; // false: the desktop has nothing to open a document with
    bool openDocument(const QString &path) override
    {
        openedDocuments << path;
        return documentsOpen;
    }
    bool claimSingleInstance(const QString &) override { return singleInstanceFree; }
    void setTopMost(QWidget *, bool) override {}
    void setHourglass(bool busy) override { hourglass = busy; }
    void processEvents() override
    {
        if (auto step = std::exchange(onProcessEvents, nullptr))
            step();
        if (everyProcessEvents)
            everyProcessEvents();
    }
    QString programFolder() const override { return folder.isEmpty() ? QtPlatform::programFolder() : folder; }
};
