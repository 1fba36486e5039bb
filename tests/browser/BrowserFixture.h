#pragma once

#include "RecordingClearCase.h"
#include "app/AppComposer.h"
#include "browser/ElementTreeController.h"
#include "browser/TreeNode.h"
#include "browser/ViewsController.h"
#include "clearcase/sandbox/SandboxSeed.h"
#include "clearcase/sandbox/SandboxStore.h"
#include "shell/MainContext.h"
#include "shell/MainWindow.h"
#include "support/FakePlatform.h"
#include "support/QtPrinters.h"
#include "support/ScriptedPrompter.h"
#include "support/TempSandbox.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

// A platform whose event pump can run a test's step in the middle of a long loop.
class SteppingPlatform : public FakePlatform
{
public:
    std::function<void()> onProcessEvents;     // runs once
    std::function<void()> everyProcessEvents;  // runs every time
    void processEvents() override
    {
        if (auto step = std::exchange(onProcessEvents, nullptr))
            step();
        if (everyProcessEvents)
            everyProcessEvents();
    }
};

// The whole program over a fresh sandbox, loaded but not shown.
class BrowserFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(settings.isValid());
        AppComposer::Options options;
        options.platform = &platform;
        options.prompter = &prompter;
        options.settingsFolder = settings.path();
        auto factory = sandbox.factory();
        options.clearCaseFactory = [this, factory](Platform &p) -> std::unique_ptr<ClearCase> {
            return std::make_unique<RecordingClearCase>(factory(p), commands);
        };
        app = std::make_unique<AppComposer>(options);
        ASSERT_TRUE(app->start(false));
        prompter.clear();
    }

    MainWindow &form() { return app->form(); }
    ElementTreeController &tree() { return app->controller<ElementTreeController>(); }
    ViewsController &views() { return app->controller<ViewsController>(); }

    // Puts the view into the list and selects it as a click would.
    void selectView(const QString &tag)
    {
        form().mainList->addItem(tag);
        form().mainList->setCurrentRow(form().mainList->count() - 1);
    }

    QStringList listTexts(const QListWidget *list) const
    {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts << list->item(i)->text();
        return texts;
    }

    QStringList rootTexts() const
    {
        QStringList texts;
        for (int i = 0; i < app->form().tTreeList->topLevelItemCount(); ++i)
            texts << app->form().tTreeList->topLevelItem(i)->text(0);
        return texts;
    }

    static QStringList childTexts(const QTreeWidgetItem *node)
    {
        QStringList texts;
        for (int i = 0; i < node->childCount(); ++i)
            texts << node->child(i)->text(0);
        return texts;
    }

    // Finds a node by its path, clicking each node on the way so that its children load.
    QTreeWidgetItem *openNode(const QString &path)
    {
        const QStringList parts = path.split(QLatin1Char('\\'));
        QTreeWidget *treeWidget = form().tTreeList;
        QTreeWidgetItem *node = nullptr;
        for (int i = 0; i < treeWidget->topLevelItemCount() && !node; ++i) {
            if (treeWidget->topLevelItem(i)->text(0) == parts.first())
                node = treeWidget->topLevelItem(i);
        }
        for (int p = 1; node && p < parts.size(); ++p) {
            if (node->childCount() == 0)
                click(node);
            QTreeWidgetItem *next = nullptr;
            for (int i = 0; i < node->childCount() && !next; ++i) {
                if (node->child(i)->text(0) == parts[p])
                    next = node->child(i);
            }
            node = next;
        }
        return node;
    }

    // A node click: making a node current runs the click step.
    void click(QTreeWidgetItem *node)
    {
        form().tTreeList->setCurrentItem(nullptr);
        form().tTreeList->setCurrentItem(node);
    }

    void expectLastMessage(const QString &text, const QString &title, Prompter::Icon icon)
    {
        ASSERT_GT(prompter.count(), 0);
        EXPECT_EQ(prompter.last().text, text);
        EXPECT_EQ(prompter.last().title, title);
        EXPECT_EQ(prompter.last().icon, icon);
    }

    // The user ticking or clearing a check box.
    static void setCheck(QTreeWidgetItem *node, bool checked)
    {
        node->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
    }

    const QString crlf = QStringLiteral("\r\n");
    const QString bobView = QStringLiteral("m:\\") + SandboxSeed::bobDev;
    const QString projRoot = bobView + QStringLiteral("\\proj");
    QString inProj(const QString &relative) const { return projRoot + QLatin1Char('\\') + relative; }

    SteppingPlatform platform;
    ScriptedPrompter prompter;
    QTemporaryDir settings;
    TempSandbox sandbox;
    QStringList commands;
    std::unique_ptr<AppComposer> app;
};
