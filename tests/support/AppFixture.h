#pragma once

#include "support/EmulatorBackend.h"
#include "support/FakePlatform.h"
#include "support/MessageTable.h"
#include "support/ForwardingClearCase.h"
#include "support/QtPrinters.h"
#include "support/ScriptedPrompter.h"
#include "support/TempSandbox.h"

#include "app/AppComposer.h"
#include "clearcase/CCase.h"
#include "clearcase/ClearCaseFactory.h"
#include "clearcase/sandbox/SandboxSeed.h"
#include "clearcase/sandbox/SandboxStore.h"
#include "shell/MainContext.h"
#include "shell/MainWindow.h"
#include "shell/Registry.h"
#include "shell/WorkingState.h"
#include "util/ZanError.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

// The whole program over a fresh sandbox, loaded but not shown. The backend records its
// command lines and fails the calls `failWhen` picks. It is the sandbox's own, or the
// cleartool co-process driving the emulator over the same sandbox (with the VOB's triggers
// firing) when ZAN_TEST_BACKEND=cleartool or a test sets `overCleartool`. With
// ZAN_SITE_STYLE=unix the sandbox is a UNIX-style site (/view/bob_dev/vobs/proj) and the
// program works in that style.
class AppFixture : public ::testing::Test
{
protected:
    using FailRule = std::function<bool(const QString &call, const QString &argument)>;

    static SiteStyle::Kind siteKind()
    {
        return qEnvironmentVariable("ZAN_SITE_STYLE") == QLatin1String("unix") ? SiteStyle::Kind::Unix
                                                                               : SiteStyle::Kind::Windows;
    }
    static bool unixSite() { return siteKind() == SiteStyle::Kind::Unix; }
    // The separator of element paths on the site, as text.
    static QString sep() { return unixSite() ? QStringLiteral("/") : QStringLiteral("\\"); }
    // A path relative to the VOB root ("\" or "/" between components) in the site's form.
    static QString sitePath(QString relative) { return unixSite() ? relative.replace(QLatin1Char('\\'), QLatin1Char('/')) : relative; }

    // A VOB tag given in its Windows form ("\\tools") in the site's form.
    static QString tagOf(const QString &windowsTag) { return SandboxSeed::vobTag(windowsTag, siteKind()); }
    inline static const QString vobTag = SandboxSeed::vobTag(SandboxSeed::projVob, siteKind());
    inline static const QString viewPath =
        unixSite() ? QStringLiteral("/view/") + SandboxSeed::bobDev : QStringLiteral("m:\\") + SandboxSeed::bobDev;
    inline static const QString vobRoot = viewPath + (unixSite() ? vobTag : sep() + vobTag.mid(1));

    AppFixture() { platform.folder = programDir.path(); }
    void SetUp() override { startProgram(); }

    // A fresh run of the program over the same settings folder and sandbox.
    void startProgram(bool load = true)
    {
        app.reset();
        app = std::make_unique<AppComposer>(AppComposer::Options{&platform, &prompter, settingsDir.path(),
                                                                  [this](Platform &p) { return openBackend(p); }});
        if (load) {
            ASSERT_TRUE(app->start(false));
        }
        prompter.clear();
    }

    std::unique_ptr<ClearCase> openBackend(Platform &p)
    {
        std::unique_ptr<ClearCase> inner;
        if (overCleartool) {
            ClearCaseFactory::borrowSandboxDrives(p, sandbox.folder());
            inner = emulatorBackend(sandbox.folder());
        } else
            inner = sandbox.open(p);
        ClearCaseFactory::adoptSiteStyle(*inner, SiteStyle::name(siteKind()));
        return std::make_unique<ForwardingClearCase>(std::move(inner), [this](const QString &call, const QString &argument) {
            if (call == QLatin1String("runCommand"))
                commands << argument;
            if (failWhen && failWhen(call, argument))
                throw ZanError(ZanError::ClearCaseFailure, QStringLiteral("ClearCase.Application"),
                               QStringLiteral("Unable to access \"%1\": simulated failure.").arg(argument));
        });
    }

    MainWindow &form() { return app->form(); }
    MainContext &ctx() { return app->context(); }
    WorkingState &state() { return app->state(); }
    Registry &registry() { return app->context().registry; }
    template <typename T> T &controller() { return app->controller<T>(); }

    // What a click on a VOB root leaves in the controls.
    void selectVob(const QString &tag, const QString &root)
    {
        form().vobTagTxt->setText(tag);
        form().vobRootTxt->setText(root);
        form().selectedElemTxt->setText(root + sep() + QStringLiteral("."));
    }

    static QStringList entries(const QListWidget *list) { return entriesOf(*list); }
    static QStringList entries(const QComboBox *combo) { return entriesOf(*combo); }

    void expectLastMessage(const QString &text, const QString &title, Prompter::Icon icon)
    {
        ASSERT_GT(prompter.count(), 0);
        EXPECT_EQ(prompter.last().text, text);
        EXPECT_EQ(prompter.last().title, title);
        EXPECT_EQ(prompter.last().icon, icon);
    }

    bool isStored(const QString &key)
    {
        for (const auto &entry : registry().allSettings()) {
            if (entry.first.compare(key, Qt::CaseInsensitive) == 0)
                return true;
        }
        return false;
    }

    static void pressKey(QWidget *widget, Qt::Key key = Qt::Key_Return, const QString &text = QStringLiteral("\r"))
    {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(widget, &press);
    }
    static void typeInto(QLineEdit *field, const QString &text)
    {
        for (const QChar c : text)
            pressKey(field, Qt::Key_unknown, QString(c));
    }

    // Attributes in the sandbox; paths are relative to the VOB root with "\" or "/", "" is the root.
    static QString storePath(QString relative) { return relative.replace(QLatin1Char('\\'), QLatin1Char('/')); }
    QList<AttributeInfo> attributesOn(const QString &relative) { return sandbox.store().attributes(vobTag, storePath(relative)); }
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
        sandbox.store().attachAttribute(vobTag, storePath(relative), typeName, value, QStringLiteral("test"), true);
    }

    TempSandbox sandbox{siteKind()};
    QTemporaryDir settingsDir;
    QTemporaryDir programDir;
    FakePlatform platform;
    ScriptedPrompter prompter;
    QStringList commands;
    FailRule failWhen;
    bool overCleartool = qEnvironmentVariable("ZAN_TEST_BACKEND") == QLatin1String("cleartool");
    std::unique_ptr<AppComposer> app;
};
