#pragma once

#include <QObject>

struct MainContext;

class ViewsController : public QObject
{
    Q_OBJECT

public:
    explicit ViewsController(MainContext &context);

private:
    MainContext &m_ctx;
};
