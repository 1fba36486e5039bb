// Applying one base element's settings (three operations plus groups) to thousands of
// checked elements, and purging them again, through the whole program over a sandbox.
// Usage: bench_access_apply [count...]   (default: 5000 10000)
#include "app/AppComposer.h"
#include "clearcase/CCase.h"
#include "clearcase/sandbox/SandboxClearCase.h"
#include "clearcase/sandbox/SandboxSeed.h"
#include "clearcase/sandbox/SandboxStore.h"
#include "shell/MainContext.h"
#include "shell/MainWindow.h"
#include "support/FakePlatform.h"
#include "support/ScriptedPrompter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>

namespace {

const QString vobTag = SandboxSeed::projVob;
const QString vobRoot = QStringLiteral("m:\\bob_dev\\proj");
const QStringList operations{QStringLiteral("checkout"), QStringLiteral("checkin"), QStringLiteral("mkbranch")};

struct Timing {
    qint64 applyMs = 0;
    qint64 purgeMs = 0;
    bool verified = false;
};

QString targetName(int i)
{
    return QStringLiteral("bench/f_%1.c").arg(i, 5, 10, QLatin1Char('0'));
}

Timing run(int count)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/sandbox");
    {
        SandboxStore store(folder);
        store.transaction([&] {
            store.addElement(vobTag, QStringLiteral("bench"), true);
            for (int i = 0; i < count; ++i)
                store.addElement(vobTag, targetName(i), false);
            for (const QString &operation : operations) {
                store.addAttributeType(vobTag, {QStringLiteral("__") + operation, 8, QStringLiteral("bench"), {}});
                store.attachAttribute(vobTag, QStringLiteral("src/main.c"), QStringLiteral("__") + operation,
                                      QStringLiteral("bob,alice,ALL"), QStringLiteral("bench"), false);
            }
            store.addAttributeType(vobTag, {QStringLiteral("QX_GROUPS"), 8, QStringLiteral("bench"), {}});
            store.attachAttribute(vobTag, QStringLiteral("src/main.c"), QStringLiteral("QX_GROUPS"),
                                  QStringLiteral("dev,qa"), QStringLiteral("bench"), false);
        });
    }

    FakePlatform platform;
    ScriptedPrompter prompter;
    QTemporaryDir settings;
    AppComposer::Options options;
    options.platform = &platform;
    options.prompter = &prompter;
    options.settingsFolder = settings.path();
    options.clearCaseFactory = [folder](Platform &p) -> std::unique_ptr<ClearCase> { return SandboxClearCase::open(p, folder); };
    AppComposer app(options);
    app.start(false);

    MainWindow &form = app.form();
    form.mainList->addItem(SandboxSeed::bobDev);
    form.vobTagTxt->setText(vobTag);
    form.vobRootTxt->setText(vobRoot);
    const QString base = vobRoot + QStringLiteral("\\src\\main.c");
    form.selectedElemTxt->setText(base);
    form.zanList[0]->addItems(operations);
    form.selectedList->addItem(base);
    for (int i = 0; i < count; ++i)
        form.selectedList->addItem(vobRoot + QLatin1Char('\\') + QString(targetName(i)).replace(QLatin1Char('/'), QLatin1Char('\\')));

    Timing timing;
    QElapsedTimer clock;
    clock.start();
    app.context().hooks.doApplyAllChecked();
    timing.applyMs = clock.elapsed();

    const QString last = form.selectedList->item(count)->text();
    timing.verified = app.context().ccase.getAttrValueOnElem(QStringLiteral("__mkbranch"), last) == QStringLiteral("bob,alice,ALL") &&
                      app.context().ccase.getAttrValueOnElem(QStringLiteral("QX_GROUPS"), last) == QStringLiteral("dev,qa");

    clock.restart();
    form.deleteAllCheckedBut->setEnabled(true);
    form.deleteAllCheckedBut->click();
    timing.purgeMs = clock.elapsed();
    timing.verified = timing.verified && app.context().ccase.getAttrValueOnElem(QStringLiteral("__mkbranch"), last).isEmpty();
    return timing;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QList<int> counts;
    for (int i = 1; i < argc; ++i)
        counts << QString::fromLocal8Bit(argv[i]).toInt();
    if (counts.isEmpty())
        counts = {5000, 10000};

    QTextStream out(stdout);
    out << "checked elements | apply (ms) | per element (ms) | purge (ms) | per element (ms) | verified\n";
    for (int count : counts) {
        const Timing t = run(count);
        out << count << " | " << t.applyMs << " | " << QString::number(double(t.applyMs) / count, 'f', 3) << " | "
            << t.purgeMs << " | " << QString::number(double(t.purgeMs) / count, 'f', 3) << " | "
            << (t.verified ? "yes" : "NO") << "\n";
        out.flush();
    }
    return 0;
}
