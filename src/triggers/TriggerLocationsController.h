#pragma once

#include <QObject>

struct MainContext;

class TriggerLocationsController : public QObject
{
    Q_OBJECT

public:
    explicit TriggerLocationsController(MainContext &context);

private:
    MainContext &m_ctx;
};
