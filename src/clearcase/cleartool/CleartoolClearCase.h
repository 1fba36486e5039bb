#pragma once

#include "clearcase/ClearCase.h"
#include "clearcase/cleartool/CleartoolProcess.h"

#include <memory>
#include <optional>

// The ClearCase roles answered by real cleartool through one long-lived co-process.
// Every argument goes through CleartoolQuoting; output is read by CleartoolOutput.
class CleartoolClearCase : public ClearCase
{
public:
    // The program is taken from ZAN_CLEARTOOL by callers; "cleartool" finds it on the PATH.
    explicit CleartoolClearCase(const QString &program, int timeoutMs = CleartoolProcess::defaultTimeoutMs);

    static std::unique_ptr<ClearCase> create(const QString &program);

    CleartoolProcess &process() { return m_process; }
    // Commands this backend has sent so far (round trips to cleartool).
    int commandCount() const { return m_commandCount; }

    QString description() const override;

    void requireVob(const QString &vobTag) override;
    void requireVersion(const QString &path) override;
    ViewInfo viewByTag(const QString &tag) override;
    QList<ViewInfo> allViews() override;
    void requireUcmProjectVob(const QString &vobTag) override;

    QStringList triggerTypeNames(const QString &vobTag) override;
    void removeTriggerType(const QString &vobTag, const QString &name) override;
    void createTriggerType(const QString &vobTag, const TriggerTypeDefinition &definition) override;

    QStringList attributeTypeNames(const QString &vobTag) override;
    void createAttributeType(const QString &vobTag, const QString &name, int valueType,
                             const QString &comment) override;
    void attachAttribute(const QString &vobTag, const QString &typeName, const QString &versionPath,
                         const QString &value, const QString &comment, bool replace) override;
    QList<AttributeInfo> attributes(const QString &versionPath) override;
    void removeAttribute(const QString &versionPath, const QString &typeName, const QString &comment) override;

    // One describe for all paths (one by one only when its errors do not tell which paths
    // failed); one mkattr per value, also where absent; one describe for all attribute reads;
    // one rmattr per attribute type.
    QStringList existingVersions(const QStringList &paths) override;
    void attachAttributes(const QString &vobTag, const QList<AttributeInfo> &values, const QStringList &versionPaths,
                          const QString &comment) override;
    void attachWhereAbsent(const QString &vobTag, const AttributeInfo &value, const QStringList &versionPaths) override;
    QList<QList<AttributeInfo>> attributesOfVersions(const QStringList &versionPaths) override;
    void removeAttributes(const QList<AttributeRemoval> &removals) override;

    QList<HistoryEvent> history(const QString &object) override;

    QString runCommand(const QString &commandLine) override;

private:
    QString execute(const QStringList &quotedArguments);
    QStringList typeNames(const QString &kind, const QString &vobTag);
    static QStringList versionsAmong(const QStringList &paths, const QStringList &kinds, const QList<qsizetype> &failed);
    static std::optional<QList<qsizetype>> namedInErrors(const QStringList &paths, const QStringList &errors);
    QStringList commentOptions(const QString &comment) const;
    QString quote(const QString &argument) const;
    QString stringValue(const QString &value) const;

    CleartoolProcess m_process;
    int m_commandCount = 0;
};
