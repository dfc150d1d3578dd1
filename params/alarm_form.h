#pragma once
// The alarm screen ALM1: the set points, hysteresis and delays of the two alarms and the
// heater-break alarm (holding registers 257 to 264) in three frames. It reads registers 257 to
// 272 itself, at load and every 500 ms. The window first shows itself when the load's read has
// answered (or failed), so its value labels are never blank.

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
    // Showing waits for the load's read; it is never held longer than kFirstReadWaitMs.
    void setVisible(bool visible) override;
    bool waitingForFirstRead() const { return firstRead; }

    static constexpr int kFirstReadWaitMs = 3000;

private:
    void firstReadDone();

    bool firstRead = false; // the load's read has not answered yet
    bool showAsked = false; // a show came meanwhile
    QTimer firstReadWait;
    std::array<qint32, 51> image{}; // element i: register 257 + i
    BlockReader reader;
};
