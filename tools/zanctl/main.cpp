// zanctl: access control on ClearCase elements from the command line (see zanctl.1).
#include "CliContext.h"
#include "CommandRegistry.h"
#include "clearcase/ClearCaseFactory.h"
#include "platform/QtPlatform.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>
#include <unistd.h>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QtPlatform platform;
    CliContext context(platform, &ClearCaseFactory::create, QString(), out, err, isatty(fileno(stderr)) != 0);
    context.setAskable(isatty(fileno(stdin)) != 0 && isatty(fileno(stderr)) != 0);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    const int status = CommandRegistry(context).run(arguments);
    out.flush();
    err.flush();
    return status;
}
