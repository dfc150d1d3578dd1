#pragma once
// The grouped PID screen PID1: five groups of six PID parameters (holding registers 5121 to
// 5150), each group a frame of two lines of three. It reads 5121 to 5152 itself in two blocks
// every 800 ms.

#include "link/block_reader.h"
#include "params/param_screen.h"

#include <array>

class PID1 final : public ParamScreen {
    Q_OBJECT
public:
    PID1(Instrument& instrument, InstrumentLink& link, std::function<void()> back,
         QWidget* parent = nullptr);
    void Timer1_Timer() override;

private:
    std::array<qint32, 51> image{}; // index i: register 5121 + i
    BlockReader reader;
};
