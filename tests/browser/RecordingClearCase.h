#pragma once

#include "clearcase/ClearCase.h"

#include <QStringList>
#include <memory>

// A ClearCase backend that passes every call on and records the command lines it runs.
class RecordingClearCase : public ClearCase
{
public:
    RecordingClearCase(std::unique_ptr<ClearCase> inner, QStringList &commands) : m_in(std::move(inner)), m_commands(commands) {}

    QString runCommand(const QString &line) override
    {
        m_commands << line;
        return m_in->runCommand(line);
    }

    QString description() const override { return m_in->description(); }
    void requireVob(const QString &tag) override { m_in->requireVob(tag); }
    void requireVersion(const QString &path) override { m_in->requireVersion(path); }
    ViewInfo viewByTag(const QString &tag) override { return m_in->viewByTag(tag); }
    QList<ViewInfo> allViews() override { return m_in->allViews(); }
    void requireUcmProjectVob(const QString &tag) override { m_in->requireUcmProjectVob(tag); }
    QStringList triggerTypeNames(const QString &tag) override { return m_in->triggerTypeNames(tag); }
    void removeTriggerType(const QString &tag, const QString &name) override { m_in->removeTriggerType(tag, name); }
    void createTriggerType(const QString &tag, const TriggerTypeDefinition &d) override { m_in->createTriggerType(tag, d); }
    QStringList attributeTypeNames(const QString &tag) override { return m_in->attributeTypeNames(tag); }
    void createAttributeType(const QString &tag, const QString &name, int type, const QString &comment) override
    {
        m_in->createAttributeType(tag, name, type, comment);
    }
    void attachAttribute(const QString &tag, const QString &type, const QString &version, const QString &value,
                         const QString &comment, bool replace) override
    {
        m_in->attachAttribute(tag, type, version, value, comment, replace);
    }
    QList<AttributeInfo> attributes(const QString &version) override { return m_in->attributes(version); }
    void removeAttribute(const QString &version, const QString &type, const QString &comment) override
    {
        m_in->removeAttribute(version, type, comment);
    }

private:
    std::unique_ptr<ClearCase> m_in;
    QStringList &m_commands;
};
