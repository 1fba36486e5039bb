#pragma once

#include <QObject>

struct MainContext;

class GroupsController : public QObject
{
    Q_OBJECT

public:
    explicit GroupsController(MainContext &context);

private:
    MainContext &m_ctx;
};
