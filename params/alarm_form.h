#pragma once
// The alarm screen ALM1: the set points, hysteresis and delays of the two alarms and the
// heater-break alarm (holding registers 257 to 264) in three frames. It reads registers 257 to
// 272 itself, at load and every 500 ms.

#include "link/block_reader.h"
#include "params/param_screen.h"

#include <array>

class ALM1 final : public ParamScreen {
    Q_OBJECT
public:
    ALM1(Instrument& instrument, InstrumentLink& link, std::function<void()> back,
         QWidget* parent = nullptr);

    void Form_Load() override; // and one refresh at once
    void Timer1_Timer() override;

private:
    std::array<qint32, 51> image{}; // element i: register 257 + i
    BlockReader reader;
};
