#pragma once

#include <QObject>
#include <QString>

struct MainContext;

// Copies the selected element's settings to every checked element, and purges all access
// settings from the selected element or from every checked one.
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
    void purgeVersion(const QString &versionPath);
    void emptyAccessLists();

    MainContext &m_ctx;
};
