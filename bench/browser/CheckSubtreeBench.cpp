// Checks and unchecks a folder of 20,000 elements and one of 40,000 in the element tree of
// the whole program over a generated sandbox, and prints the times. The cost of a check
// should grow linearly with the folder's size.
#include "LargeVobGenerator.h"

#include "app/AppComposer.h"
#include "browser/TreeNode.h"
#include "clearcase/sandbox/SandboxClearCase.h"
#include "clearcase/sandbox/SandboxStore.h"
#include "platform/QtPlatform.h"
#include "shell/MainWindow.h"
#include "util/Prompter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <cstdio>

namespace {

class SilentPrompter : public Prompter
{
public:
    Answer message(const QString &text, const QString &, Icon, Buttons) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return Answer::Ok;
    }
    std::optional<QString> inputText(const QString &, const QString &, const QString &) override { return std::nullopt; }
    QString openFileName(const QString &, const QString &, const QString &preset, const QString &) override { return preset; }
};

QTreeWidgetItem *childNamed(QTreeWidgetItem *node, const QString &text)
{
    for (int i = 0; i < node->childCount(); ++i) {
        if (node->child(i)->text(0) == text)
            return node->child(i);
    }
    return nullptr;
}

// Clicks the node (which loads its children) and returns its child of that name.
QTreeWidgetItem *open(QTreeWidget *tree, QTreeWidgetItem *node, const QString &child)
{
    tree->setCurrentItem(node);
    QTreeWidgetItem *found = childNamed(node, child);
    if (!found) {
        std::fprintf(stderr, "node %s not found under %s\n", qPrintable(child), qPrintable(TreeNode::fullPath(node)));
        std::exit(1);
    }
    return found;
}

struct Timing {
    qint64 checkMs;
    qint64 uncheckMs;
    int listed;
};

Timing measure(MainWindow &form, QTreeWidgetItem *folder)
{
    QElapsedTimer timer;
    timer.start();
    folder->setCheckState(0, Qt::Checked);
    const qint64 checkMs = timer.restart();
    const int listed = form.selectedList->count();
    folder->setCheckState(0, Qt::Unchecked);
    const qint64 uncheckMs = timer.elapsed();
    if (form.selectedList->count() != 0)
        std::fprintf(stderr, "unchecking left %d entries\n", form.selectedList->count());
    return {checkMs, uncheckMs, listed};
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);

    QTemporaryDir dir;
    const QString sandboxFolder = dir.path() + QStringLiteral("/sandbox");
    const QList<QPair<QString, int>> folders{{QStringLiteral("big20k"), 20000}, {QStringLiteral("big40k"), 40000}};
    {
        QElapsedTimer timer;
        timer.start();
        SandboxStore store(sandboxFolder);
        for (const auto &[name, files] : folders)
            LargeVobGenerator::addFlatFolder(store, QStringLiteral("\\proj"), name, files);
        std::printf("generated %d elements in %lld ms\n", 60000, timer.elapsed());
    }

    QtPlatform platform;
    SilentPrompter prompter;
    AppComposer::Options options;
    options.platform = &platform;
    options.prompter = &prompter;
    options.settingsFolder = dir.path() + QStringLiteral("/settings");
    options.clearCaseFactory = [sandboxFolder](Platform &p) -> std::unique_ptr<ClearCase> {
        return SandboxClearCase::open(p, sandboxFolder);
    };
    AppComposer composer(options);
    if (!composer.start(false))
        return 1;
    MainWindow &form = composer.form();
    form.mainList->addItem(QStringLiteral("bob_dev"));
    form.mainList->setCurrentRow(0);

    QTreeWidget *tree = form.tTreeList;
    QTreeWidgetItem *drive = tree->topLevelItem(0);
    QTreeWidgetItem *view = open(tree, drive, QStringLiteral("bob_dev"));
    QTreeWidgetItem *vobRoot = open(tree, view, QStringLiteral("proj"));
    tree->setCurrentItem(vobRoot); // the VOB root becomes the current VOB

    QList<Timing> timings;
    for (const auto &[name, files] : folders) {
        QTreeWidgetItem *folder = childNamed(vobRoot, name);
        const Timing t = measure(form, folder);
        timings << t;
        std::printf("%-7s %6d elements: check %6lld ms, uncheck %6lld ms (listed %d)\n", qPrintable(name), files, t.checkMs,
                    t.uncheckMs, t.listed);
    }
    const double ratio = double(timings[1].checkMs + timings[1].uncheckMs) / double(timings[0].checkMs + timings[0].uncheckMs);
    std::printf("40k/20k cost ratio: %.2f (linear: 2.0)\n", ratio);
    return 0;
}
