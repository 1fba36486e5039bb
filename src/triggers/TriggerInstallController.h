#pragma once

#include <QObject>

struct MainContext;

class TriggerInstallController : public QObject
{
    Q_OBJECT

public:
    explicit TriggerInstallController(MainContext &context);

private:
    MainContext &m_ctx;
};
