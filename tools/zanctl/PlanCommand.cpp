#include "PlanCommand.h"

#include "CliContext.h"
#include "access/AccessPlan.h"
#include "util/ZanError.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonObject>

namespace {

QJsonValue optionalJson(const std::optional<QString> &value)
{
    return value ? QJsonValue(*value) : QJsonValue();
}

QJsonObject planJson(const AccessPlan &plan)
{
    QJsonArray targets;
    for (const TargetPlan &target : plan.targets) {
        QJsonArray changes;
        for (const SettingChange &change : target.changes) {
            if (change.changes())
                changes.append(QJsonObject{{QStringLiteral("setting"), change.label()},
                                           {QStringLiteral("before"), optionalJson(change.before)},
                                           {QStringLiteral("after"), optionalJson(change.after)},
                                           {QStringLiteral("gained"), QJsonArray::fromStringList(change.gained)},
                                           {QStringLiteral("lost"), QJsonArray::fromStringList(change.lost)}});
        }
        QJsonObject object{{QStringLiteral("target"), target.target}, {QStringLiteral("changes"), changes}};
        if (!target.error.isEmpty())
            object.insert(QStringLiteral("error"), target.error);
        targets.append(object);
    }
    return QJsonObject{{QStringLiteral("kind"), plan.kind == AccessPlan::Kind::Apply ? QStringLiteral("apply") : QStringLiteral("purge")},
                       {QStringLiteral("base"), plan.base},
                       {QStringLiteral("targets"), targets},
                       {QStringLiteral("skipped"), QJsonArray::fromStringList(plan.skipped)}};
}

} // namespace

QList<QCommandLineOption> PlanCommand::options() const
{
    return {QCommandLineOption(QStringLiteral("dry-run"), QStringLiteral("Print what would change, per target and setting; change nothing.")),
            QCommandLineOption(QStringLiteral("targets-from"), QStringLiteral("Read more targets from FILE, one path a line."),
                               QStringLiteral("FILE"))};
}

QStringList PlanCommand::targets(const QCommandLineParser &parser) const
{
    QStringList paths = operands(parser);
    if (parser.isSet(QStringLiteral("targets-from"))) {
        QFile file(parser.value(QStringLiteral("targets-from")));
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            throw ZanError(ZanError::FileNotFound, QStringLiteral("zanctl"),
                           QStringLiteral("cannot read %1: %2").arg(file.fileName(), file.errorString()));
        for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
            if (!line.trimmed().isEmpty())
                paths << QString(line).remove(QLatin1Char('\r'));
        }
    }
    return paths;
}

int PlanCommand::printPlan(const QCommandLineParser &parser, const AccessPlan &plan)
{
    if (json(parser)) {
        printJson(planJson(plan));
        return 0;
    }
    const QString text = plan.describe();
    if (!text.isEmpty())
        m_ctx.out() << text << Qt::endl;
    for (const QString &skipped : plan.skipped)
        m_ctx.out() << skipped << QStringLiteral(": skipped (the base, or not an element)") << Qt::endl;
    m_ctx.out() << QStringLiteral("%1 of %2 target(s) would change").arg(plan.changedTargetCount()).arg(plan.targets.size()) << Qt::endl;
    return 0;
}

AccessRunObserver PlanCommand::observer()
{
    AccessRunObserver observer;
    observer.status = [this](const QString &message) { m_ctx.progress(name() + QStringLiteral(": ") + message); };
    return observer;
}
