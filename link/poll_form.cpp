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
    for (int step = 1; step <= 7; ++step)
        cycle.add([this, step](const RequestSequence::Done& done) { read(step, done); });
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
    // A tick while the cycle is in flight is refused by the sequence, and counted there.
    if (cycle.start([this] { cycleDone(); }))
        ++started;
}

void Met1::read(int step, const RequestSequence::Done& done) {
    // Port and address are read afresh for every call: a new "打开" takes effect at once.
    const int port = instrument.target().port;
    const int slave = instrument.target().address;
    RegisterImage& image = instrument.image();
    auto converted = [this, step, done](int result) {
        if (result == 0)
            convert(step);
        done(result == 0, link.status().lastMessage);
    };
    switch (step) {
    case 1:
        link.Get_3X_DX(port, slave, 1, 16, image.Raw3X.data(), this, converted);
        break;
    case 2:
        link.Get_3X_DX(port, slave, 33, 16, Block33.data(), this, converted);
        break;
    case 3:
        link.Get_3X_DX(port, slave, 4097, 16, image.Val3X4097.data(), this, converted);
        break;
    case 4:
        link.Get_4X_DX(port, slave, 1, 16, image.Raw4X.data(), this, converted);
        break;
    case 5:
        link.Get_4X_DX(port, slave, 4353, 16, Block4353.data(), this, converted);
        break;
    case 6:
        link.Get_1X_B16(port, slave, 1, WordBuf.data(), this, converted);
        break;
    case 7:
        link.Get_0X_B16(port, slave, 1, WordBuf.data(), this, converted);
        break;
    }
}

// Conversions run only on values read: a failed read leaves its part of the image as it was.
void Met1::convert(int step) {
    RegisterImage& image = instrument.image();
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
            image.Val4X4353[i] =
                tenths ? static_cast<float>(Block4353[i] / 10.0) : static_cast<float>(Block4353[i]);
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

void Met1::cycleDone() {
    quint8 reads = 0;
    const auto& results = cycle.results();
    for (std::size_t k = 0; k < results.size(); ++k)
        if (results[k].ok)
            reads |= quint8(1u << k);
    lastReads = reads;
    ++completed;
    emit cycleFinished();
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
