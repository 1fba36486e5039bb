#pragma once

#include <QObject>

struct MainContext;

class ApplyPurgeController : public QObject
{
    Q_OBJECT

public:
    explicit ApplyPurgeController(MainContext &context);

private:
    MainContext &m_ctx;
};
