#pragma once

#include "app/AppComposer.h"
#include "clearcase/CCase.h"
#include "clearcase/sandbox/SandboxStore.h"
#include "shell/MainContext.h"
#include "shell/MainWindow.h"
#include "shell/Registry.h"
#include "support/FakePlatform.h"
#include "support/ScriptedPrompter.h"
#include "support/TempSandbox.h"
#include "triggers/TriggerCommandLines.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <functional>
#include <memory>

// The whole program over a fresh sandbox with \proj selected as the element browser would
// leave it, the security script in the program folder and a trigger location on disk.
class TriggerTabFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        platform.folder = programFolder.path();
        QFile script(QDir(programFolder.path()).filePath(TriggerCommandLines::scriptName));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("# security script stand-in\n");
        script.close();
        ASSERT_TRUE(QDir(locations.path()).mkpath(QStringLiteral("win")));
        ASSERT_TRUE(QDir(locations.path()).mkpath(QStringLiteral("unix")));

        app = std::make_unique<AppComposer>(AppComposer::Options{&platform, &prompter, settingsFolder.path(), factory()});
        ASSERT_TRUE(app->start(false));
        form().mainList->addItem(QStringLiteral("bob_dev"));
        selectVob(QStringLiteral("\\proj"), QStringLiteral("m:\\bob_dev\\proj"));
    }

    // The backend the program gets; tests may wrap the sandbox.
    virtual std::function<std::unique_ptr<ClearCase>(Platform &)> factory() { return sandbox.factory(); }

    void selectVob(const QString &tag, const QString &root)
    {
        form().vobTagTxt->setText(tag);
        form().vobRootTxt->setText(root);
        form().selectedElemTxt->setText(root + QStringLiteral("\\."));
    }

    MainWindow &form() { return app->form(); }
    MainContext &context() { return app->context(); }
    Registry &registry() { return app->context().registry; }
    ClearCase &clearCase() { return app->context().ccase.clearCase(); }

    QString windowsLocation() const { return QDir(locations.path()).filePath(QStringLiteral("win")); }
    QString unixLocation() const { return QDir(locations.path()).filePath(QStringLiteral("unix")); }
    bool scriptCopiedTo(const QString &folder) const
    {
        return QFile::exists(QDir(folder).filePath(TriggerCommandLines::scriptName));
    }

    QStringList triggerTypes(const QString &vobTag = QStringLiteral("\\proj"))
    {
        QStringList names;
        for (const auto &type : sandbox.store().triggerTypes(vobTag))
            names << type.name;
        names.sort();
        return names;
    }

    bool isStored(const QString &key)
    {
        for (const auto &entry : registry().allSettings()) {
            if (entry.first.compare(key, Qt::CaseInsensitive) == 0)
                return true;
        }
        return false;
    }

    bool showsApplied()
    {
        const bool applied = MainWindow::isShown(form().trigStatusImage[0]);
        EXPECT_NE(applied, MainWindow::isShown(form().trigStatusImage[1]));
        EXPECT_EQ(applied, MainWindow::isShown(form().removeAllTriggersBut));
        EXPECT_EQ(applied, form().mainTabStrip->tabIcon(2).isNull());
        EXPECT_EQ(form().applyTriggerBut->text(),
                  applied ? QStringLiteral("Update Trigger") : QStringLiteral("Apply Trigger"));
        return applied;
    }

    void typeInto(QLineEdit *field, const QString &text)
    {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(field, &press);
        }
    }

    QStringList messageTexts() const { return prompter.texts(); }

    FakePlatform platform;
    ScriptedPrompter prompter;
    QTemporaryDir settingsFolder;
    QTemporaryDir programFolder;
    QTemporaryDir locations;
    TempSandbox sandbox;
    std::unique_ptr<AppComposer> app;
};
