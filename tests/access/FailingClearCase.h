#pragma once

#include "clearcase/ClearCase.h"
#include "util/ZanError.h"

#include <functional>
#include <memory>

// A backend double: forwards every call to a real backend, except the calls a test marks to
// fail, which throw the way a failing ClearCase call does.
class FailingClearCase : public ClearCase
{
public:
    // (call name, its path or type argument) -> true to fail that call.
    using FailRule = std::function<bool(const QString &call, const QString &argument)>;

    FailingClearCase(std::unique_ptr<ClearCase> inner, FailRule rule) : m_inner(std::move(inner)), m_rule(std::move(rule)) {}

    QString description() const override { return m_inner->description(); }
    void requireVob(const QString &vobTag) override { check("requireVob", vobTag); m_inner->requireVob(vobTag); }
    void requireVersion(const QString &path) override { check("requireVersion", path); m_inner->requireVersion(path); }
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
        check("createAttributeType", name);
        m_inner->createAttributeType(vobTag, name, valueType, comment);
    }
    void attachAttribute(const QString &vobTag, const QString &typeName, const QString &versionPath, const QString &value,
                         const QString &comment, bool replace) override
    {
        check("attachAttribute", versionPath);
        m_inner->attachAttribute(vobTag, typeName, versionPath, value, comment, replace);
    }
    QList<AttributeInfo> attributes(const QString &versionPath) override
    {
        check("attributes", versionPath);
        return m_inner->attributes(versionPath);
    }
    void removeAttribute(const QString &versionPath, const QString &typeName, const QString &comment) override
    {
        check("removeAttribute", versionPath);
        m_inner->removeAttribute(versionPath, typeName, comment);
    }
    QString runCommand(const QString &commandLine) override { return m_inner->runCommand(commandLine); }

private:
    void check(const char *call, const QString &argument)
    {
        if (m_rule && m_rule(QString::fromLatin1(call), argument))
            throw ZanError(ZanError::ClearCaseFailure, QStringLiteral("ClearCase.Application"),
                           QStringLiteral("Unable to access \"%1\": simulated failure.").arg(argument));
    }

    std::unique_ptr<ClearCase> m_inner;
    FailRule m_rule;
};
