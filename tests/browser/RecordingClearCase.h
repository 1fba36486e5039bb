#pragma once

#include "clearcase/ClearCase.h"

#include <QStringList>
#include <memory>

// A ClearCase backend that passes every call on and records the command lines it runs.
class RecordingClearCase : public ClearCase
{
public:
    RecordingClearCase(std::unique_ptr<ClearCase> inner, QStringList &commands)
        : m_inner(std::move(inner)), m_commands(commands)
    {
    }

    QString description() const override { return m_inner->description(); }
    void requireVob(const QString &vobTag) override { m_inner->requireVob(vobTag); }
    void requireVersion(const QString &path) override { m_inner->requireVersion(path); }
    ViewInfo viewByTag(const QString &tag) override { return m_inner->viewByTag(tag); }
    QList<ViewInfo> allViews() override { return m_inner->allViews(); }
    void requireUcmProjectVob(const QString &vobTag) override { m_inner->requireUcmProjectVob(vobTag); }
    QStringList triggerTypeNames(const QString &vobTag) override { return m_inner->triggerTypeNames(vobTag); }
    void removeTriggerType(const QString &vobTag, const QString &name) override { m_inner->removeTriggerType(vobTag, name); }
    void createTriggerType(const QString &vobTag, const TriggerTypeDefinition &definition) override
    {
        m_inner->createTriggerType(vobTag, definition);
    }
    QStringList attributeTypeNames(const QString &vobTag) override { return m_inner->attributeTypeNames(vobTag); }
    void createAttributeType(const QString &vobTag, const QString &name, int valueType, const QString &comment) override
    {
        m_inner->createAttributeType(vobTag, name, valueType, comment);
    }
    void attachAttribute(const QString &vobTag, const QString &typeName, const QString &versionPath, const QString &value,
                         const QString &comment, bool replace) override
    {
        m_inner->attachAttribute(vobTag, typeName, versionPath, value, comment, replace);
    }
    QList<AttributeInfo> attributes(const QString &versionPath) override { return m_inner->attributes(versionPath); }
    void removeAttribute(const QString &versionPath, const QString &typeName, const QString &comment) override
    {
        m_inner->removeAttribute(versionPath, typeName, comment);
    }
    QString runCommand(const QString &commandLine) override
    {
        m_commands << commandLine;
        return m_inner->runCommand(commandLine);
    }

private:
    std::unique_ptr<ClearCase> m_inner;
    QStringList &m_commands;
};
