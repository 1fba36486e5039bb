#pragma once

#include "FailingClearCase.h"

#include "app/AppComposer.h"
#include "clearcase/CCase.h"
#include "clearcase/cleartool/CleartoolClearCase.h"
#include "clearcase/sandbox/SandboxSeed.h"
#include "clearcase/sandbox/SandboxStore.h"
#include "shell/MainContext.h"
#include "shell/MainWindow.h"
#include "shell/Registry.h"
#include "support/FakePlatform.h"
#include "support/QtPrinters.h"
#include "support/ScriptedPrompter.h"
#include "support/TempSandbox.h"

#include "access/AccessAttributeFormat.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QKeyEvent>
#include <QProcessEnvironment>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>

// A scripted prompter that can also fail, as a message box that cannot be shown does.
class FailingPrompter : public ScriptedPrompter
{
public:
    Answer message(const QString &text, const QString &title, Icon icon, Buttons buttons) override
    {
        if (!throwOnTitle.isEmpty() && title == throwOnTitle)
            throw ZanError(ZanError::General, QStringLiteral("Prompter"), QStringLiteral("The message box could not be shown."));
        return ScriptedPrompter::message(text, title, icon, buttons);
    }
    QString throwOnTitle;
};

// The whole program over a fresh sandbox, with the element browser's part played by the
// test: it puts the selection into the controls the way a node click does.
class AccessFixture : public ::testing::Test
{
protected:
    inline static const QString vobTag = SandboxSeed::projVob;
    inline static const QString vobRoot = QStringLiteral("m:\\bob_dev\\proj");
    inline static const QString defaultPrivileged = QStringLiteral(
        "mktype,rntype,rmtype,chevent,modtype,rmelem,rmhlink,rmtype,rntype,mkattype,mktrtype,mkeltype,mkhltype,mklbtype,mktrtype");

    void SetUp() override
    {
        AppComposer::Options options;
        options.platform = &platform;
        options.prompter = &prompter;
        options.settingsFolder = settingsDir.path();
        options.clearCaseFactory = [this](Platform &p) -> std::unique_ptr<ClearCase> {
            return std::make_unique<FailingClearCase>(openBackend(p), [this](const QString &call, const QString &argument) {
                return failWhen && failWhen(call, argument);
            });
        };
        app = std::make_unique<AppComposer>(options);
        ASSERT_TRUE(app->start(false));
        ctx().hooks.getPrivOperations = [this] { return privileged; };
        form().mainList->addItem(SandboxSeed::bobDev);
        // Selecting the VOB root once makes the groups type; every test starts after that.
        ctx().ccase.makeAttype(vobTag, AccessAttributeFormat::groupsTypeName, AccessAttributeFormat::typeComment(QDate::currentDate()));
        prompter.clear();
    }

    void TearDown() override { app.reset(); }

    // The sandbox backend, or the cleartool backend driving the emulator over the same sandbox.
    std::unique_ptr<ClearCase> openBackend(Platform &p)
    {
        if (!overCleartool)
            return sandbox.open(p);
        const QString binDir = qEnvironmentVariable("ZAN_BIN_DIR", QCoreApplication::applicationDirPath());
        auto backend = std::make_unique<CleartoolClearCase>(QDir(binDir).filePath(QStringLiteral("cleartool-sim")));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("ZAN_SANDBOX"), sandbox.folder());
        backend->process().setEnvironment(environment);
        return backend;
    }

    MainWindow &form() { return app->form(); }
    MainContext &ctx() { return app->context(); }
    template <typename T> T &controller() { return app->controller<T>(); }

    static QString elementPath(const QString &relative) { return vobRoot + QLatin1Char('\\') + relative; }

    // What a node click leaves in the controls: "" selects the VOB root.
    void selectElement(const QString &relative)
    {
        MainWindow &f = form();
        f.vobTagTxt->setText(vobTag);
        f.zanList[1]->clear();
        f.zanList[2]->clear();
        if (relative.isEmpty()) {
            f.vobRootTxt->setText(vobRoot);
            ctx().ccase.getAttrListOnElem(ItemList(f.zanList[0]), vobRoot, true, true, QStringLiteral("_"), vobTag);
            f.selectedElemTxt->setText(vobRoot + QStringLiteral("\\."));
        } else {
            f.vobRootTxt->setText(vobRoot);
            ctx().ccase.getAttrListOnElem(ItemList(f.zanList[0]), elementPath(relative), true, true, QStringLiteral("_"), QString());
            f.selectedElemTxt->setText(elementPath(relative));
        }
        if (f.zanList[0]->count() > 0)
            f.zanList[0]->setCurrentRow(0);
    }

    // Sandbox paths are relative to the VOB root with "/" separators; "" is the root.
    QList<AttributeInfo> attributesOn(const QString &relative)
    {
        QString path = relative;
        return sandbox.store().attributes(vobTag, path.replace(QLatin1Char('\\'), QLatin1Char('/')));
    }
    QString valueOn(const QString &relative, const QString &typeName)
    {
        for (const AttributeInfo &a : attributesOn(relative)) {
            if (a.typeName == typeName)
                return a.value;
        }
        return QStringLiteral("<absent>");
    }
    void attach(const QString &relative, const QString &typeName, const QString &value)
    {
        if (!sandbox.store().hasAttributeType(vobTag, typeName))
            sandbox.store().addAttributeType(vobTag, {typeName, 8, QStringLiteral("test"), {}});
        QString path = relative;
        sandbox.store().attachAttribute(vobTag, path.replace(QLatin1Char('\\'), QLatin1Char('/')), typeName, value,
                                        QStringLiteral("test"), true);
    }

    static QStringList entries(const QListWidget *list)
    {
        QStringList result;
        for (int i = 0; i < list->count(); ++i)
            result << list->item(i)->text();
        return result;
    }
    static QStringList entries(const QComboBox *combo)
    {
        QStringList result;
        for (int i = 0; i < combo->count(); ++i)
            result << combo->itemText(i);
        return result;
    }

    // Picks an operation in the picker and double-clicks it, as the administrator does.
    void addOperation(const QString &operation)
    {
        QListWidget *picker = form().zanSubList;
        const auto found = picker->findItems(operation, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << operation.toStdString();
        picker->setCurrentItem(found.first());
        emit picker->itemDoubleClicked(found.first());
    }
    void selectOperation(const QString &operation)
    {
        const auto found = form().zanList[0]->findItems(operation, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << operation.toStdString();
        form().zanList[0]->setCurrentItem(found.first());
    }
    void openPicker() { form().zanBut[0]->click(); }

    void typeUser(const QString &user)
    {
        form().selectUserCombo->setEditText(user);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(form().selectUserCombo->lineEdit(), &enter);
    }

    TempSandbox sandbox;
    QTemporaryDir settingsDir;
    FakePlatform platform;
    FailingPrompter prompter;
    std::unique_ptr<AppComposer> app;
    QString privileged = defaultPrivileged;
    FailingClearCase::FailRule failWhen;
    bool overCleartool = false;
};
