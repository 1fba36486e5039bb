#include "app/AppComposer.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QXSECURITY"));
    QApplication::setOrganizationName(QStringLiteral("Korvane"));
    QApplication::setApplicationVersion(AppComposer::version());
    AppComposer composer;
    return composer.run();
}
