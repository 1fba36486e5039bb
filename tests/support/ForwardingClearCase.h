#pragma once

#include "clearcase/ClearCase.h"

#include <functional>
#include <memory>

// A backend double: every call goes to a real backend after a test's hook has seen it; the
// hook may record the call or throw, as a failing ClearCase call does.
class ForwardingClearCase : public ClearCase
{
public:
    // (call name, its path, type or command-line argument)
    using Hook = std::function<void(const QString &call, const QString &argument)>;

    ForwardingClearCase(std::unique_ptr<ClearCase> inner, Hook hook) : m(std::move(inner)), m_hook(std::move(hook))
    {
        setSiteStyle(m->siteStyle());
    }

    QString description() const override { return m->description(); }
    void requireVob(const QString &t) override { see("requireVob", t); m->requireVob(t); }
    void requireVersion(const QString &p) override { see("requireVersion", p); m->requireVersion(p); }
    ViewInfo viewByTag(const QString &t) override { return m->viewByTag(t); }
    QList<ViewInfo> allViews() override { return m->allViews(); }
    void requireUcmProjectVob(const QString &t) override { m->requireUcmProjectVob(t); }
    QStringList triggerTypeNames(const QString &t) override { return m->triggerTypeNames(t); }
    void removeTriggerType(const QString &t, const QString &n) override { m->removeTriggerType(t, n); }
    void createTriggerType(const QString &t, const TriggerTypeDefinition &d) override { m->createTriggerType(t, d); }
    QStringList attributeTypeNames(const QString &t) override { return m->attributeTypeNames(t); }
    void createAttributeType(const QString &t, const QString &n, int v, const QString &c) override
    {
        see("createAttributeType", n);
        m->createAttributeType(t, n, v, c);
    }
    void attachAttribute(const QString &t, const QString &n, const QString &p, const QString &v, const QString &c, bool r) override
    {
        see("attachAttribute", p);
        m->attachAttribute(t, n, p, v, c, r);
    }
    QList<AttributeInfo> attributes(const QString &p) override { see("attributes", p); return m->attributes(p); }
    void removeAttribute(const QString &p, const QString &n, const QString &c) override
    {
        see("removeAttribute", p);
        m->removeAttribute(p, n, c);
    }
    QList<HistoryEvent> history(const QString &o) override { see("history", o); return m->history(o); }
    QString runCommand(const QString &line) override { see("runCommand", line); return m->runCommand(line); }

private:
    void see(const char *call, const QString &argument)
    {
        if (m_hook)
            m_hook(QString::fromLatin1(call), argument);
    }

    std::unique_ptr<ClearCase> m;
    Hook m_hook;
};
