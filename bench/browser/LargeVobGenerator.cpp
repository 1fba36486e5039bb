#include "LargeVobGenerator.h"

#include "clearcase/sandbox/SandboxStore.h"

#include <QDir>
#include <QFile>
#include <stdexcept>

void LargeVobGenerator::addFlatFolder(SandboxStore &store, const QString &vobTag, const QString &folder, int files)
{
    const QString hostFolder = store.vobFolder(vobTag) + QLatin1Char('/') + folder;
    if (!QDir().mkpath(hostFolder))
        throw std::runtime_error("cannot create " + hostFolder.toStdString());
    store.transaction([&] {
        store.addElement(vobTag, folder, true);
        for (int i = 0; i < files; ++i) {
            const QString name = QStringLiteral("elem_%1.c").arg(i, 5, 10, QLatin1Char('0'));
            QFile file(hostFolder + QLatin1Char('/') + name);
            if (!file.open(QIODevice::WriteOnly))
                throw std::runtime_error("cannot create " + file.fileName().toStdString());
            store.addElement(vobTag, folder + QLatin1Char('/') + name, false);
        }
    });
}
