#pragma once

#include <QObject>

struct MainContext;

class AccessListController : public QObject
{
    Q_OBJECT

public:
    explicit AccessListController(MainContext &context);

private:
    MainContext &m_ctx;
};
