#pragma once

#include <QObject>

struct MainContext;

class SettingsController : public QObject
{
    Q_OBJECT

public:
    explicit SettingsController(MainContext &context);

private:
    MainContext &m_ctx;
};
