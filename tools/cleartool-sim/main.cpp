// cleartool-sim: cleartool's command-line behaviour over the sandbox store (ZAN_SANDBOX).
#include "clearcase/emulator/CleartoolEmulator.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    return CleartoolEmulator::main(arguments);
}
