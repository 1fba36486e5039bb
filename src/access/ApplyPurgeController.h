#pragma once

#include "access/AccessApplier.h"
#include "access/AccessPlan.h"
#include "util/Prompter.h"

#include <QObject>
#include <QString>

struct MainContext;

// Copies the selected element's settings to every checked element, and purges all access
// settings from the selected element or from every checked one; the targets are the
// working state's checked elements. The operations copied are the ones the base element carries.
class ApplyPurgeController : public QObject
{
    Q_OBJECT

public:
    explicit ApplyPurgeController(MainContext &context);

    void doApplyAllChecked();
    void purgeAllChecked();
    void purgeElement();

private:
    void applyAllCheckedClicked();
    bool confirmApplyToVobRoot(const QString &target);
    Prompter::Answer askPurge(const QString &warning, const QStringList &targets);
    void reportFailures(const QList<AccessApplier::Failure> &failures);
    const ElementLocation &location() const;
    QStringList baseOperations();
    AccessApplier::Observer progressObserver();
    QString previewOf(const std::function<AccessPlan()> &plan);

    MainContext &m_ctx;
};
