#pragma once

#include <QObject>

struct MainContext;

class ElementTreeController : public QObject
{
    Q_OBJECT

public:
    explicit ElementTreeController(MainContext &context);

private:
    MainContext &m_ctx;
};
