#pragma once

#include "support/AppFixture.h"
#include "support/MouseClicks.h"

#include "access/AccessAttributeFormat.h"
#include "access/AccessSettingsReader.h"
#include "access/ApplyPurgeController.h"

#include <QDate>

// The program with the element browser's part played by the test: it puts the selection
// into the controls the way a node click does.
class AccessFixture : public AppFixture
{
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        form().mainList->addItem(SandboxSeed::bobDev);
        // Selecting the VOB root once makes the groups type; every test starts after that.
        ctx().ccase.makeAttype(vobTag, AccessAttributeFormat::groupsTypeName, AccessAttributeFormat::typeComment(QDate::currentDate()));
        prompter.clear();
        form().show(); // the access tab is the first one
    }
    void TearDown() override { form().hide(); }

    void applyAllChecked() { app->controller<ApplyPurgeController>().doApplyAllChecked(); }

    static QString elementPath(const QString &relative) { return vobRoot + sep() + sitePath(relative); }

    // "" selects the VOB root.
    void selectElement(const QString &relative)
    {
        MainWindow &f = form();
        f.vobTagTxt->setText(vobTag);
        f.vobRootTxt->setText(vobRoot);
        state().setUsers({});
        state().setGroups({});
        const QString element = relative.isEmpty() ? vobRoot + sep() + QStringLiteral(".") : elementPath(relative);
        const QStringList operations =
            AccessSettingsReader::operationsOn(AccessSettingsReader(ctx().ccase.clearCase()).attributesOf(element));
        state().setOperations(operations);
        f.selectedElemTxt->setText(element);
        if (!operations.isEmpty())
            state().selectOperation(operations.first());
    }
    // The paths checked in the tree, in this order.
    void check(const QStringList &paths)
    {
        state().checked().clear();
        for (const QString &path : paths)
            state().checked().appendIfNew(path);
    }

    // Picks an operation in the picker and double-clicks it, as the administrator does.
    void addOperation(const QString &operation)
    {
        QListWidget *picker = form().zanSubList;
        const auto found = picker->findItems(operation, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << operation.toStdString();
        doubleClickRow(picker, picker->row(found.first()));
    }
    void selectOperation(const QString &operation)
    {
        clickText(form().zanList[0], operation);
    }
    void openPicker() { clickButton(form().zanBut[0]); }
    void typeUser(const QString &user)
    {
        clickAndType(form().selectUserCombo->lineEdit(), user);
    }
    // Fails the attribute writes to the versions `failing` picks.
    void failWrites(const std::function<bool(const QString &version)> &failing)
    {
        failWhen = [failing](const QString &call, const QString &argument) {
            return call == QLatin1String("attachAttribute") && failing(argument);
        };
    }
    void failWritesTo(const QString &relative)
    {
        const QString version = CCase::versionOf(elementPath(relative));
        failWrites([version](const QString &argument) { return argument == version; });
    }
};
