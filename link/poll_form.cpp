#include "poll_form.h"

#include "core/conversions.h"

Met1::Met1(Instrument& polled, InstrumentLink& link, QObject* parent)
    : QObject(parent), instrument(polled), link(link) {
    setObjectName(QStringLiteral("Met1"));
    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setInterval(500);
    Timer1.setTimerType(Qt::PreciseTimer);
    connect(&Timer1, &QTimer::timeout, this, &Met1::Timer1_Timer);
    connect(this, &Met1::cycleFinished, &instrument, &Instrument::cycleCompleted);
}

void Met1::setPollEnabled(bool enabled) {
    if (enabled)
        Timer1.start();
    else
        Timer1.stop();
}

void Met1::D_Byte(qint32 b) {
    for (int i = 7; i >= 0; --i) {
        const qint32 weight = 1 << i;
        if (b / weight >= 1) {
            BitBuf[i] = 1;
            b -= weight;
        } else {
            BitBuf[i] = 0;
        }
    }
}

void Met1::Timer1_Timer() {
    if (step != 0) {
        ++skipped;
        return;
    }
    ++started;
    step = 1;
    readsOk = 0;
    runStep();
}

void Met1::runStep() {
    // Port and address are read afresh for every call: a new "打开" takes effect at once.
    const int port = instrument.target().port;
    const int slave = instrument.target().address;
    RegisterImage& image = instrument.image();
    auto done = [this](int result) { finishStep(result); };
    switch (step) {
    case 1:
        link.Get_3X_DX(port, slave, 1, 16, image.Raw3X.data(), this, done);
        break;
    case 2:
        link.Get_3X_DX(port, slave, 33, 16, Block33.data(), this, done);
        break;
    case 3:
        link.Get_3X_DX(port, slave, 4097, 16, image.Val3X4097.data(), this, done);
        break;
    case 4:
        link.Get_4X_DX(port, slave, 1, 16, image.Raw4X.data(), this, done);
        break;
    case 5:
        link.Get_4X_DX(port, slave, 4353, 16, Block4353.data(), this, done);
        break;
    case 6:
        link.Get_1X_B16(port, slave, 1, WordBuf.data(), this, done);
        break;
    case 7:
        link.Get_0X_B16(port, slave, 1, WordBuf.data(), this, done);
        break;
    }
}

void Met1::finishStep(int result) {
    // Conversions run only on values read: a failed read leaves its part of the image as it was.
    if (result == 0) {
        RegisterImage& image = instrument.image();
        readsOk |= quint8(1u << (step - 1));
        switch (step) {
        case 1:
            for (int i = 0; i < 16; ++i)
                image.Val3X[i] = i == 1 ? static_cast<float>(image.Raw3X[i] / 10.0)
                                        : static_cast<float>(image.Raw3X[i]);
            break;
        case 2:
            for (int i = 0; i < 16; ++i)
                image.Val3X33[i] = Block33[i];
            for (int i : {3, 6})
                image.Val3X33[i] = static_cast<qint32>(round_half_even(Block33[i] / 10.0));
            break;
        case 4:
            for (int i = 0; i < 16; ++i)
                image.Val4X[i] = i == 1 ? static_cast<float>(image.Raw4X[i] / 10.0)
                                        : static_cast<float>(image.Raw4X[i]);
            break;
        case 5:
            for (int i = 0; i < 16; ++i) {
                const bool tenths = i == 2 || i == 4 || i == 7 || i == 9 || i == 14 || i == 15;
                image.Val4X4353[i] = tenths ? static_cast<float>(Block4353[i] / 10.0)
                                            : static_cast<float>(Block4353[i]);
            }
            break;
        case 6:
            unpackBits(image.Bit1X);
            break;
        case 7:
            unpackBits(image.Bit0X);
            break;
        default:
            break;
        }
    }
    if (step == 7) {
        step = 0;
        lastReads = readsOk;
        ++completed;
        emit cycleFinished();
        return;
    }
    ++step;
    runStep();
}

void Met1::unpackBits(std::array<qint32, 101>& target) {
    // A first word above 254 (all of bits 0..7 set, or more) or below 0 leaves the bits as they
    // were.
    const qint32 word = WordBuf[0];
    if (word < 0 || word > 254)
        return;
    D_Byte(word);
    for (int i = 0; i < 8; ++i)
        target[i] = BitBuf[i];
}
