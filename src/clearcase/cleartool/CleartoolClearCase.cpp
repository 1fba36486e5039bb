#include "clearcase/cleartool/CleartoolClearCase.h"

#include "clearcase/cleartool/CleartoolHistory.h"
#include "clearcase/cleartool/CleartoolOutput.h"
#include "clearcase/cleartool/CleartoolQuoting.h"
#include "clearcase/cleartool/CleartoolTriggerOptions.h"
#include "util/ZanError.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace {

const QString source = QStringLiteral("cleartool");

QString valueTypeOption(int valueType)
{
    // The library passes VB variant codes: 8 text, 3 integer, 5 real, 7 date.
    switch (valueType) {
    case 8:
        return QStringLiteral("string");
    case 3:
        return QStringLiteral("integer");
    case 5:
        return QStringLiteral("real");
    case 7:
        return QStringLiteral("time");
    default:
        throw ZanError(ZanError::General, source,
                       QStringLiteral("The attribute value type code %1 has no cleartool equivalent").arg(valueType));
    }
}

// describe's output for many pathnames: each record starts with an unindented line (the
// version's name), its attribute section is indented below it.
QStringList recordsOf(const QString &output)
{
    QStringList records;
    for (const QString &line : CleartoolOutput::lines(output)) {
        if (line.isEmpty())
            continue;
        if (!line.at(0).isSpace() || records.isEmpty())
            records << QString();
        records.last() += line + QLatin1Char('\n');
    }
    return records;
}

} // namespace

CleartoolClearCase::CleartoolClearCase(const QString &program, int timeoutMs)
    : m_process(program, timeoutMs)
{
}

std::unique_ptr<ClearCase> CleartoolClearCase::create(const QString &program)
{
    return std::make_unique<CleartoolClearCase>(program.isEmpty() ? QStringLiteral("cleartool") : program);
}

QString CleartoolClearCase::description() const
{
    return QStringLiteral("cleartool ") + m_process.program();
}

QString CleartoolClearCase::execute(const QStringList &quotedArguments)
{
    ++m_commandCount;
    return m_process.execute(CleartoolQuoting::join(quotedArguments));
}

QString CleartoolClearCase::quote(const QString &argument) const
{
    return CleartoolQuoting::quote(argument, siteStyle().kind());
}

QString CleartoolClearCase::stringValue(const QString &value) const
{
    return CleartoolQuoting::stringValue(value, siteStyle().kind());
}

QStringList CleartoolClearCase::commentOptions(const QString &comment) const
{
    if (comment.isEmpty())
        return {QStringLiteral("-nc")};
    return {QStringLiteral("-c"), quote(comment)};
}

void CleartoolClearCase::requireVob(const QString &vobTag)
{
    execute({QStringLiteral("lsvob"), QStringLiteral("-short"), quote(vobTag)});
}

void CleartoolClearCase::requireVersion(const QString &path)
{
    const QString kind = execute({QStringLiteral("describe"), QStringLiteral("-fmt"), QStringLiteral("%m"), quote(path)}).trimmed();
    if (kind != QLatin1String("version") && kind != QLatin1String("directory version"))
        throw ZanError(ZanError::ClearCaseFailure, source, QStringLiteral("cleartool: Error: Not a vob object: \"%1\".").arg(path));
}

ViewInfo CleartoolClearCase::viewByTag(const QString &tag)
{
    const QList<ViewInfo> views = CleartoolOutput::parseViewRecords(
        execute({QStringLiteral("lsview"), QStringLiteral("-long"), quote(tag)}));
    if (views.isEmpty())
        throw ZanError(ZanError::ClearCaseFailure, source,
                       QStringLiteral("cleartool: Error: No matching entries found for view tag \"%1\".").arg(tag));
    ViewInfo view = views.first();
    view.configSpec = execute({QStringLiteral("catcs"), QStringLiteral("-tag"), quote(tag)});
    return view;
}

QList<ViewInfo> CleartoolClearCase::allViews()
{
    return CleartoolOutput::parseViewRecords(execute({QStringLiteral("lsview"), QStringLiteral("-long")}));
}

void CleartoolClearCase::requireUcmProjectVob(const QString &vobTag)
{
    const QString record = execute({QStringLiteral("lsvob"), QStringLiteral("-long"), quote(vobTag)});
    if (!CleartoolOutput::isUcmProjectVobRecord(record))
        throw ZanError(ZanError::ClearCaseFailure, source, QStringLiteral("\"%1\" is not a UCM project VOB.").arg(vobTag));
}

QStringList CleartoolClearCase::typeNames(const QString &kind, const QString &vobTag)
{
    QStringList names = CleartoolOutput::lines(execute(
        {QStringLiteral("lstype"), QStringLiteral("-kind"), kind, QStringLiteral("-short"), QStringLiteral("-invob"), quote(vobTag)}));
    for (QString &name : names)
        name = name.trimmed();
    return names;
}

QStringList CleartoolClearCase::triggerTypeNames(const QString &vobTag)
{
    return typeNames(QStringLiteral("trtype"), vobTag);
}

void CleartoolClearCase::removeTriggerType(const QString &vobTag, const QString &name)
{
    execute({QStringLiteral("rmtype"), QStringLiteral("-ignore"), QStringLiteral("-rmall"), QStringLiteral("-force"),
             QStringLiteral("-nc"),
             quote(QStringLiteral("trtype:") + name + QLatin1Char('@') + vobTag)});
}

void CleartoolClearCase::createTriggerType(const QString &vobTag, const TriggerTypeDefinition &definition)
{
    m_process.execute(CleartoolTriggerOptions::mktrtypeCommand(vobTag, definition, siteStyle().kind()));
}

QStringList CleartoolClearCase::attributeTypeNames(const QString &vobTag)
{
    return typeNames(QStringLiteral("attype"), vobTag);
}

void CleartoolClearCase::createAttributeType(const QString &vobTag, const QString &name, int valueType,
                                             const QString &comment)
{
    QStringList args{QStringLiteral("mkattype"), QStringLiteral("-vtype"), valueTypeOption(valueType)};
    args += commentOptions(comment);
    args << quote(name + QLatin1Char('@') + vobTag);
    execute(args);
}

void CleartoolClearCase::attachAttribute(const QString &, const QString &typeName, const QString &versionPath,
                                         const QString &value, const QString &comment, bool replace)
{
    // The attribute type is found in the VOB of the version, which is the VOB passed in.
    QStringList args{QStringLiteral("mkattr")};
    if (replace)
        args << QStringLiteral("-replace");
    args += commentOptions(comment);
    args << quote(typeName) << stringValue(value) << quote(versionPath);
    execute(args);
}

QList<AttributeInfo> CleartoolClearCase::attributes(const QString &versionPath)
{
    return CleartoolOutput::parseAttributes(
        execute({QStringLiteral("describe"), QStringLiteral("-aattr"), QStringLiteral("-all"), quote(versionPath)}));
}

void CleartoolClearCase::removeAttribute(const QString &versionPath, const QString &typeName, const QString &comment)
{
    QStringList args{QStringLiteral("rmattr")};
    args += commentOptions(comment);
    args << quote(typeName) << quote(versionPath);
    execute(args);
}

QStringList CleartoolClearCase::existingVersions(const QStringList &paths)
{
    if (paths.isEmpty())
        return {};
    QStringList args{QStringLiteral("describe"), QStringLiteral("-fmt"), quote(QStringLiteral("%m\\n"))};
    for (const QString &path : paths)
        args << quote(path);
    ++m_commandCount;
    const CleartoolProcess::Reply reply = m_process.run(CleartoolQuoting::join(args));
    QStringList kinds = reply.output.split(QLatin1Char('\n'));
    kinds.removeLast(); // after the last line break
    if (reply.status == 0 && reply.errors.isEmpty())
        return versionsAmong(paths, kinds, {});
    // cleartool goes on past a path it cannot describe (or, told to, stops there), naming it in
    // its error; the kinds of the others come in order. With an error line for every failed
    // path, the kinds are those of the rest. Otherwise (stopped, or error lines still on their
    // way) the paths before the first failed one are the first kinds' and the rest is asked again.
    const std::optional<QList<qsizetype>> failed = namedInErrors(paths, reply.errors);
    if (!failed)
        return ClearCase::existingVersions(paths); // failures that cannot be told apart: one by one
    if (kinds.size() == paths.size() - failed->size())
        return versionsAmong(paths, kinds, *failed);
    const qsizetype first = failed->first();
    if (kinds.size() >= first)
        return versionsAmong(paths.first(first), kinds, {}) + existingVersions(paths.mid(first + 1));
    return ClearCase::existingVersions(paths);
}

// The paths whose kind is a version's, the kinds given in order for all but the failed ones.
QStringList CleartoolClearCase::versionsAmong(const QStringList &paths, const QStringList &kinds, const QList<qsizetype> &failed)
{
    QStringList existing;
    qsizetype next = 0;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        if (failed.contains(i))
            continue;
        const QString kind = next < kinds.size() ? kinds[next++].trimmed() : QString();
        if (kind == QLatin1String("version") || kind == QLatin1String("directory version"))
            existing << paths[i];
    }
    return existing;
}

// The places of the paths the error lines name ("... \"<path>\" ..."), in order (cleartool
// takes its pathnames in turn); none when a line names no path, or a path is given twice.
std::optional<QList<qsizetype>> CleartoolClearCase::namedInErrors(const QStringList &paths, const QStringList &errors)
{
    if (errors.isEmpty() || QSet<QString>(paths.cbegin(), paths.cend()).size() != paths.size())
        return std::nullopt;
    QList<qsizetype> failed;
    for (const QString &error : errors) {
        qsizetype named = -1;
        for (qsizetype i = 0; i < paths.size() && named < 0; ++i) {
            if (error.contains(QLatin1Char('"') + paths[i] + QLatin1Char('"')))
                named = i;
        }
        if (named < 0)
            return std::nullopt;
        if (!failed.contains(named))
            failed << named;
    }
    if (!std::is_sorted(failed.cbegin(), failed.cend()))
        return std::nullopt;
    return failed;
}

void CleartoolClearCase::attachAttributes(const QString &, const QList<AttributeInfo> &values,
                                          const QStringList &versionPaths, const QString &comment)
{
    if (versionPaths.isEmpty())
        return;
    for (const AttributeInfo &value : values) {
        QStringList args{QStringLiteral("mkattr"), QStringLiteral("-replace")};
        args += commentOptions(comment);
        args << quote(value.typeName) << stringValue(value.value);
        for (const QString &version : versionPaths)
            args << quote(version);
        execute(args);
    }
}

// A failed reply is no error here: cleartool made the attribute on every version it could.
void CleartoolClearCase::attachWhereAbsent(const QString &, const AttributeInfo &value, const QStringList &versionPaths)
{
    if (versionPaths.isEmpty())
        return;
    QStringList args{QStringLiteral("mkattr"), QStringLiteral("-nc"), quote(value.typeName), stringValue(value.value)};
    for (const QString &version : versionPaths)
        args << quote(version);
    ++m_commandCount;
    m_process.run(CleartoolQuoting::join(args));
}

QList<QList<AttributeInfo>> CleartoolClearCase::attributesOfVersions(const QStringList &versionPaths)
{
    if (versionPaths.isEmpty())
        return {};
    QStringList args{QStringLiteral("describe"), QStringLiteral("-aattr"), QStringLiteral("-all")};
    for (const QString &version : versionPaths)
        args << quote(version);
    const QStringList records = recordsOf(execute(args));
    if (records.size() != versionPaths.size())
        return ClearCase::attributesOfVersions(versionPaths); // records that cannot be told apart
    QList<QList<AttributeInfo>> result;
    result.reserve(records.size());
    for (const QString &record : records)
        result << CleartoolOutput::parseAttributes(record);
    return result;
}

void CleartoolClearCase::removeAttributes(const QList<AttributeRemoval> &removals)
{
    QStringList typeNames;
    QHash<QString, QStringList> versionsOfType;
    for (const AttributeRemoval &removal : removals) {
        for (const QString &typeName : removal.typeNames) {
            if (!versionsOfType.contains(typeName))
                typeNames << typeName;
            versionsOfType[typeName] << quote(removal.versionPath);
        }
    }
    for (const QString &typeName : typeNames)
        execute(QStringList{QStringLiteral("rmattr"), QStringLiteral("-nc"), quote(typeName)} + versionsOfType.value(typeName));
}

QList<HistoryEvent> CleartoolClearCase::history(const QString &object)
{
    return CleartoolHistory::parse(execute(CleartoolHistory::arguments(object, siteStyle().kind())));
}

QString CleartoolClearCase::runCommand(const QString &commandLine)
{
    return m_process.execute(commandLine);
}
