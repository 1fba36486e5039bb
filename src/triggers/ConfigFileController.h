#pragma once

#include <QObject>

struct MainContext;

class ConfigFileController : public QObject
{
    Q_OBJECT

public:
    explicit ConfigFileController(MainContext &context);

private:
    MainContext &m_ctx;
};
