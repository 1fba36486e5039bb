#include "clearcase/emulator/EmulatorHistory.h"

#include "clearcase/sandbox/SandboxStore.h"

EmulatorHistory::EmulatorHistory(SandboxStore &store, QString user, QString host)
    : m_store(store), m_user(std::move(user)), m_host(std::move(host))
{
}

void EmulatorHistory::record(const QString &vobTag, const QString &object, const QString &operation, const QString &description,
                             const QString &comment, const QString &version, const QString &view, const QString &detail)
{
    SandboxEvent event;
    event.object = object;
    event.version = version;
    event.operation = operation;
    event.description = description;
    event.user = m_user;
    event.host = m_host;
    event.comment = comment;
    event.view = view;
    event.detail = detail;
    m_store.recordEvent(vobTag, event);
}

std::optional<SandboxEvent> EmulatorHistory::versionEvent(const QString &vobTag, const QString &path, const QString &version,
                                                          const QString &view)
{
    const QList<SandboxEvent> events = m_store.events(vobTag, path);
    for (auto event = events.crbegin(); event != events.crend(); ++event) {
        if (event->version == version && (view.isEmpty() || event->view == view))
            return *event;
    }
    return std::nullopt;
}
