#pragma once
// The hidden poll form Met1: every 500 ms its Timer1 runs one poll cycle, seven block reads in a
// fixed order, each converted into the instrument's register image once it has been read. The next
// read starts in the completion of the one before, so other handlers run between two reads. A tick
// that falls due while a cycle is still in flight is skipped; cycles never nest.

#include "link/instrument.h"
#include "link/instrument_link.h"
#include "link/poll_control.h"
#include "link/request_sequence.h"

#include <QObject>
#include <QTimer>
#include <array>

class Met1 final : public QObject, public PollTimerControl {
    Q_OBJECT
public:
    // Polls `instrument` at its target and fills its image; each finished cycle is announced by
    // cycleFinished() and by the instrument's cycleCompleted().
    Met1(Instrument& instrument, InstrumentLink& link, QObject* parent = nullptr);

    // Sets BitBuf[i] to bit i of b, for i = 7 down to 0.
    void D_Byte(qint32 b);

    void Timer1_Timer(); // one poll cycle, unless one is in flight

    void setPollEnabled(bool enabled) override;
    bool pollEnabled() const override { return Timer1.isActive(); }

    bool cycleInFlight() const { return cycle.running(); }
    quint64 cyclesStarted() const { return started; }
    quint64 cyclesCompleted() const { return completed; }
    quint64 ticksSkipped() const { return cycle.skipped(); }

    const std::array<quint8, 8>& bitBuf() const { return BitBuf; }

    // The reads of the newest finished cycle that succeeded: bit k-1 for read k (1..7).
    quint8 lastCycleReads() const { return lastReads; }

signals:
    void cycleFinished(); // after the seventh read of a cycle has completed

private:
    void read(int step, const RequestSequence::Done& done);
    void convert(int step);
    void cycleDone();
    void unpackBits(std::array<qint32, 101>& target);

    Instrument& instrument;
    InstrumentLink& link;
    QTimer Timer1;
    std::array<qint32, 8> WordBuf{};
    std::array<quint8, 8> BitBuf{};
    std::array<qint32, 16> Block33{};   // input registers 33..48 as read, before conversion
    std::array<qint32, 51> Block4353{}; // holding registers 4353..4368 as read
    RequestSequence cycle;              // the seven reads; a failed one does not stop the cycle
    quint8 lastReads = 0;
    quint64 started = 0;
    quint64 completed = 0;
};
