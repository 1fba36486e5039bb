#include "access/RoutineErrorReport.h"

#include "util/AppInfo.h"
#include "util/ZanError.h"

namespace RoutineErrorReport {

void show(Prompter &prompter, const ZanError &error, const QString &routine)
{
    const Prompter::Icon icon = routine == addAttribute ? Prompter::Icon::Information : Prompter::Icon::Critical;
    prompter.message(QStringLiteral("ERROR::") + error.description() + AppInfo::crlf + routine, QStringLiteral("Error..."),
                     icon);
}

bool run(Prompter &prompter, const QString &routine, const std::function<void()> &step)
{
    try {
        step();
        return true;
    } catch (...) {
        show(prompter, ZanError::current(QStringLiteral("ccase")), routine);
        return false;
    }
}

} // namespace RoutineErrorReport
