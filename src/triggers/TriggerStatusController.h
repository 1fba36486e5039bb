#pragma once

#include <QObject>

struct MainContext;

class TriggerStatusController : public QObject
{
    Q_OBJECT

public:
    explicit TriggerStatusController(MainContext &context);

private:
    MainContext &m_ctx;
};
