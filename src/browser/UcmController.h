#pragma once

#include <QObject>

struct MainContext;

class UcmController : public QObject
{
    Q_OBJECT

public:
    explicit UcmController(MainContext &context);

private:
    MainContext &m_ctx;
};
