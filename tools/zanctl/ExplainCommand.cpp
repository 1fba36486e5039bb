#include "ExplainCommand.h"

#include "CliContext.h"
#include "NearestName.h"
#include "access/AccessExplainer.h"
#include "access/OperationsCatalogue.h"

#include <QJsonArray>
#include <QJsonObject>

QList<ZanctlCommand::Positional> ExplainCommand::positionals() const
{
    return {{QStringLiteral("USER"), QStringLiteral("The login name.")},
            {QStringLiteral("OPERATION"), QStringLiteral("The operation, as the catalogue names it (checkout, rmelem, mklbtype, ...).")},
            {QStringLiteral("PATH"), QStringLiteral("The element, e.g. m:\\view\\vob\\dir\\file, or the VOB root path.")}};
}

QList<QCommandLineOption> ExplainCommand::options() const
{
    return {QCommandLineOption(QStringLiteral("type"),
                               QStringLiteral("The type the operation changes: a selector (lbtype:REL, attype:__checkout, "
                                              "trtype:NAME) or, for mkattr and rmattr, the attribute type."),
                               QStringLiteral("TYPE"))};
}

// The catalogue's operations, and the attribute changes the security trigger guards on the
// tool's own attributes.
QString ExplainCommand::unknownOperation(const QString &operation) const
{
    const QStringList known = OperationsCatalogue::offeredOperations(true) + QStringList{QStringLiteral("mkattr"), QStringLiteral("rmattr")};
    if (known.contains(operation))
        return QString();
    return QStringLiteral("\"%1\" is not an operation of the catalogue%2 (see zanctl explain --help)")
        .arg(operation, NearestName::didYouMean(operation, known));
}

int ExplainCommand::execute(const QStringList &arguments)
{
    QCommandLineParser parser;
    if (const auto stop = parse(arguments, parser, 3, 3))
        return *stop;
    const QStringList words = operands(parser);
    if (const QString problem = unknownOperation(words.at(1)); !problem.isEmpty())
        return fail(problem);
    const QString path = sitePath(words.at(2));
    AccessExplainer explainer(m_ctx.clearCase(), m_ctx.platform());
    AccessExplainer::Explanation explanation = explainer.explain(words.at(0), words.at(1), path, parser.value(QStringLiteral("type")));
    const QString verdict = explanation.allowed ? QStringLiteral("allow") : QStringLiteral("deny");
    if (json(parser)) {
        printJson(QJsonObject{{QStringLiteral("user"), words.at(0)},
                              {QStringLiteral("operation"), words.at(1)},
                              {QStringLiteral("path"), path},
                              {QStringLiteral("verdict"), verdict},
                              {QStringLiteral("chain"), QJsonArray::fromStringList(explanation.chain)},
                              {QStringLiteral("enforced"), explanation.enforced},
                              {QStringLiteral("enforcement"), QJsonArray::fromStringList(explanation.enforcement)}});
    } else {
        m_ctx.out() << verdict << Qt::endl;
        for (const QString &line : explanation.chain)
            m_ctx.out() << QStringLiteral("  ") << line << Qt::endl;
        for (const QString &line : explanation.enforcement)
            m_ctx.out() << QStringLiteral("  ") << line << Qt::endl;
    }
    return explanation.allowed ? 0 : 1;
}
