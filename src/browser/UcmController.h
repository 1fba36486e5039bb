#pragma once

#include <QObject>

struct MainContext;

// The UCM project and stream controls. UCM project VOBs are refused by the element tree,
// so these controls stay disabled and empty whatever the working state says of the VOB.
class UcmController : public QObject
{
    Q_OBJECT

public:
    explicit UcmController(MainContext &context);

    void setUcmMode(bool on);

private:
    MainContext &m_ctx;
};
