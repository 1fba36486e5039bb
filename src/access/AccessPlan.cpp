#include "access/AccessPlan.h"

#include "access/AccessAttributeFormat.h"

namespace Format = AccessAttributeFormat;

namespace {

QString listOrNobody(const QStringList &names)
{
    return names.isEmpty() ? QStringLiteral("nobody") : names.join(QStringLiteral(", "));
}

QString describeChange(const SettingChange &change)
{
    const bool groups = change.typeName == Format::groupsTypeName;
    const auto names = [groups](const QString &value) {
        return groups ? Format::splitGroups(value) : Format::splitUsers(value);
    };
    if (!change.before)
        return QStringLiteral("new (") + listOrNobody(names(*change.after)) + QLatin1Char(')');
    if (!change.after)
        return QStringLiteral("removed (") + listOrNobody(names(*change.before)) + QLatin1Char(')');
    QStringList parts;
    if (!change.gained.isEmpty())
        parts << QStringLiteral("gains ") + change.gained.join(QStringLiteral(", "));
    if (!change.lost.isEmpty())
        parts << QStringLiteral("loses ") + change.lost.join(QStringLiteral(", "));
    if (parts.isEmpty())
        parts << QStringLiteral("\"%1\" becomes \"%2\"").arg(*change.before, *change.after);
    return parts.join(QStringLiteral("; "));
}

} // namespace

QString SettingChange::label() const
{
    return typeName == Format::groupsTypeName ? QStringLiteral("groups") : Format::operationOf(typeName);
}

bool TargetPlan::changesAnything() const
{
    for (const SettingChange &change : changes) {
        if (change.changes())
            return true;
    }
    return false;
}

int AccessPlan::changedTargetCount() const
{
    int count = 0;
    for (const TargetPlan &target : targets)
        count += target.changesAnything() ? 1 : 0;
    return count;
}

QString AccessPlan::describe() const
{
    QStringList lines;
    for (const TargetPlan &target : targets) {
        if (!target.error.isEmpty()) {
            lines << target.target + QStringLiteral(": cannot be read: ") + target.error;
            continue;
        }
        if (!target.changesAnything()) {
            lines << target.target + QStringLiteral(": no change");
            continue;
        }
        lines << target.target + (target.isVobRoot ? QStringLiteral(" (VOB root, asked first)") : QString());
        for (const SettingChange &change : target.changes) {
            if (change.changes())
                lines << QStringLiteral("  ") + change.label() + QStringLiteral(": ") + describeChange(change);
        }
    }
    return lines.join(QLatin1Char('\n'));
}
