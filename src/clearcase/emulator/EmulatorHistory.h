#pragma once

#include "clearcase/sandbox/SandboxRecords.h"

#include <QString>
#include <optional>

class SandboxStore;

// The events the emulator keeps in a VOB's history, signed with the acting user and this
// host: the making of elements and types, checkouts and checkins with their comments.
// describe reads a version's comment and author from them, the ownership rules a type's
// maker, lshistory and lsco the rest.
class EmulatorHistory
{
public:
    EmulatorHistory(SandboxStore &store, QString user, QString host);

    // object: an element's path or an object key; version: "/main/2", "/main/CHECKEDOUT" or "".
    void record(const QString &vobTag, const QString &object, const QString &operation, const QString &description,
                const QString &comment, const QString &version = {}, const QString &view = {}, const QString &detail = {});
    // The latest event that made the element's version (in the view, when one is given); none
    // for versions made before events were kept (the seeded site).
    std::optional<SandboxEvent> versionEvent(const QString &vobTag, const QString &path, const QString &version,
                                             const QString &view = {});

private:
    SandboxStore &m_store;
    QString m_user;
    QString m_host;
};
