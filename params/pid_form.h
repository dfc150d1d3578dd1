#pragma once
// The PID screen PIDC: the PID block of the instrument (holding registers 4353 to 4368) in three
// frames. It reads nothing itself: every 800 ms its labels show the register image Val4X4353 that
// the poll cycle fills.

#include "params/param_screen.h"

class PIDC final : public ParamScreen {
    Q_OBJECT
public:
    PIDC(Instrument& instrument, InstrumentLink& link, std::function<void()> back,
         QWidget* parent = nullptr);
    void Timer1_Timer() override;
};
