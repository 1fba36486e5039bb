#pragma once

#include <QObject>

struct MainContext;

class OperationsController : public QObject
{
    Q_OBJECT

public:
    explicit OperationsController(MainContext &context);

private:
    MainContext &m_ctx;
};
