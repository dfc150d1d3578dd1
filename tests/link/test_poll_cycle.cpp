// The poll cycle against the recording fake link: the seven reads in order with their exact
// arguments, the conversions into the register image, failed reads leaving the image as it was,
// and ticks skipped while a cycle is in flight.
#include "link/instrument.h"
#include "link/poll_form.h"
#include "support/recording_link.h"

#include <QSignalSpy>
#include <QTest>

class TestPollCycle : public QObject {
    Q_OBJECT
private slots:
    void init();
    void sevenReadsInOrder();
    void portAndAddressReadAfreshForEveryCall();
    void conversions();
    void dByte_data();
    void dByte();
    void bitWords_data();
    void bitWords();
    void failedReadLeavesImage_data();
    void failedReadLeavesImage();
    void failedBlock33IsNotDividedAgain();
    void tickInFlightIsSkipped();
    void timerFollowsEnable();
    void twoInstrumentsKeepTheirOwnImages();

private:
    void runCycle();
    RegisterImage& image() { return instrument->image(); }
    std::unique_ptr<RecordingLink> link;
    std::unique_ptr<Instrument> instrument;
    std::unique_ptr<Met1> met;
};

void TestPollCycle::init() {
    met.reset();
    link = std::make_unique<RecordingLink>();
    instrument = std::make_unique<Instrument>();
    met = std::make_unique<Met1>(*instrument, *link);
    instrument->target().port = 4;
    instrument->target().address = 7;
}

void TestPollCycle::runCycle() {
    met->Timer1_Timer();
    link->completeAll();
    QVERIFY(!met->cycleInFlight());
}

void TestPollCycle::sevenReadsInOrder() {
    runCycle();
    QStringList got;
    for (const auto& c : link->calls)
        got << c.text();
    const QStringList expected{
        "Get_3X_DX(4,7,1,16)",  "Get_3X_DX(4,7,33,16)",   "Get_3X_DX(4,7,4097,16)",
        "Get_4X_DX(4,7,1,16)",  "Get_4X_DX(4,7,4353,16)", "Get_1X_B16(4,7,1,16)",
        "Get_0X_B16(4,7,1,16)",
    };
    QCOMPARE(got, expected);
    QCOMPARE(met->cyclesCompleted(), 1u);
}

void TestPollCycle::portAndAddressReadAfreshForEveryCall() {
    met->Timer1_Timer();
    link->completeNext(); // the second read is queued when the first completes
    instrument->target().port = 2;
    instrument->target().address = 9;
    link->completeAll();
    QCOMPARE(link->calls.at(1).port, 4);
    QCOMPARE(link->calls.at(2).port, 2);
    QCOMPARE(link->calls.at(2).slave, 9);
    QCOMPARE(link->calls.at(6).slave, 9);
}

void TestPollCycle::conversions() {
    link->inputRegisters[1] = 1234;
    link->inputRegisters[2] = 123; // output, tenths
    link->inputRegisters[3] = -50;
    link->inputRegisters[36] = 125; // main derivative in tenths: 12.5 -> 12
    link->inputRegisters[39] = 135; // secondary derivative: 13.5 -> 14
    link->inputRegisters[34] = 77;  // not divided
    link->inputRegisters[4097] = 2;
    link->holdingRegisters[2] = 455;
    link->holdingRegisters[3] = 600;
    for (int i = 0; i < 16; ++i)
        link->holdingRegisters[4353 + i] = 100 + i;
    runCycle();
    QCOMPARE(image().Raw3X[1], 123);
    QCOMPARE(image().Val3X[0], 1234.0f);
    QCOMPARE(image().Val3X[1], 12.3f);
    QCOMPARE(image().Val3X[2], -50.0f);
    QCOMPARE(image().Val3X33[3], 12);
    QCOMPARE(image().Val3X33[6], 14);
    QCOMPARE(image().Val3X33[1], 77);
    QCOMPARE(image().Val3X4097[0], 2);
    QCOMPARE(image().Raw4X[1], 455);
    QCOMPARE(image().Val4X[1], 45.5f);
    QCOMPARE(image().Val4X[2], 600.0f);
    for (int i = 0; i < 16; ++i) {
        const bool tenths = i == 2 || i == 4 || i == 7 || i == 9 || i == 14 || i == 15;
        QCOMPARE(image().Val4X4353[i], tenths ? static_cast<float>((100 + i) / 10.0) : 100.0f + i);
    }
    QCOMPARE(image().Val3X[16], 0.0f); // beyond the block nothing is written
}

void TestPollCycle::dByte_data() {
    QTest::addColumn<int>("byte");
    QTest::addColumn<QList<int>>("bits");
    QTest::newRow("0") << 0 << QList<int>{0, 0, 0, 0, 0, 0, 0, 0};
    QTest::newRow("5") << 5 << QList<int>{1, 0, 1, 0, 0, 0, 0, 0};
    QTest::newRow("128") << 128 << QList<int>{0, 0, 0, 0, 0, 0, 0, 1};
    QTest::newRow("254") << 254 << QList<int>{0, 1, 1, 1, 1, 1, 1, 1};
    QTest::newRow("255") << 255 << QList<int>{1, 1, 1, 1, 1, 1, 1, 1};
}

void TestPollCycle::dByte() {
    QFETCH(int, byte);
    QFETCH(QList<int>, bits);
    met->D_Byte(byte);
    for (int i = 0; i < 8; ++i)
        QCOMPARE(int(met->bitBuf()[i]), bits[i]);
}

void TestPollCycle::bitWords_data() {
    QTest::addColumn<int>("word");
    QTest::addColumn<bool>("unpacked");
    QTest::newRow("5") << 5 << true;
    QTest::newRow("254") << 254 << true;
    QTest::newRow("255 all eight set") << 255 << false;
    QTest::newRow("256 input 9") << 256 << false;
    QTest::newRow("input 16 set") << 0x8005 << false;
}

void TestPollCycle::bitWords() {
    QFETCH(int, word);
    QFETCH(bool, unpacked);
    image().Bit1X.fill(0);
    image().Bit1X[3] = 1; // an earlier state that a skipped unpacking keeps
    link->discreteInputs = static_cast<quint16>(word);
    runCycle();
    if (unpacked) {
        for (int i = 0; i < 8; ++i)
            QCOMPARE(image().Bit1X[i], (word >> i) & 1);
    } else {
        QCOMPARE(image().Bit1X[3], 1);
        QCOMPARE(image().Bit1X[0], 0);
    }
}

void TestPollCycle::failedReadLeavesImage_data() {
    QTest::addColumn<QString>("op");
    QTest::newRow("input registers") << "Get_3X_DX";
    QTest::newRow("holding registers") << "Get_4X_DX";
    QTest::newRow("discrete inputs") << "Get_1X_B16";
    QTest::newRow("coils") << "Get_0X_B16";
}

void TestPollCycle::failedReadLeavesImage() {
    QFETCH(QString, op);
    link->inputRegisters[2] = 123;
    link->holdingRegisters[2] = 455;
    link->holdingRegisters[4355] = 55;
    link->discreteInputs = 0x03;
    link->coils = 0x41;
    runCycle();
    const auto before3X = image().Val3X;
    const auto before4X = image().Val4X;
    const auto before4353 = image().Val4X4353;
    const auto bit1 = image().Bit1X;
    const auto bit0 = image().Bit0X;
    link->inputRegisters[2] = 999;
    link->holdingRegisters[2] = 999;
    link->holdingRegisters[4355] = 999;
    link->discreteInputs = 0x0C;
    link->coils = 0x06;
    link->failingOps.insert(op);
    runCycle();
    QCOMPARE(link->calls.size(), 14); // the cycle goes on past a failed read
    QCOMPARE(image().Val3X == before3X, op == u"Get_3X_DX");
    QCOMPARE(image().Val4X == before4X, op == u"Get_4X_DX");
    QCOMPARE(image().Val4X4353 == before4353, op == u"Get_4X_DX");
    QCOMPARE(image().Bit1X == bit1, op == u"Get_1X_B16");
    QCOMPARE(image().Bit0X == bit0, op == u"Get_0X_B16");
}

void TestPollCycle::failedBlock33IsNotDividedAgain() {
    link->inputRegisters[36] = 1250; // 125.0 -> 125
    runCycle();
    QCOMPARE(image().Val3X33[3], 125);
    link->failingOps.insert("Get_3X_DX");
    for (int i = 0; i < 3; ++i)
        runCycle();
    QCOMPARE(image().Val3X33[3], 125);
}

void TestPollCycle::tickInFlightIsSkipped() {
    met->Timer1_Timer();
    link->completeNext();
    met->Timer1_Timer(); // falls due while the cycle is yielding
    met->Timer1_Timer();
    QCOMPARE(met->ticksSkipped(), 2u);
    link->completeAll();
    QCOMPARE(link->calls.size(), 7);
    QCOMPARE(met->cyclesStarted(), 1u);
    met->Timer1_Timer();
    link->completeAll();
    QCOMPARE(link->calls.size(), 14);
}

void TestPollCycle::timerFollowsEnable() {
    QVERIFY(!met->pollEnabled());
    met->setPollEnabled(true);
    QVERIFY(met->pollEnabled());
    met->setPollEnabled(false);
    QVERIFY(!met->pollEnabled());
    met->Timer1_Timer(); // a tick already due still runs its cycle; none follows it
    link->completeAll();
    QCOMPARE(met->cyclesCompleted(), 1u);
    QVERIFY(!met->pollEnabled());
}

// Two instruments polled over one link: each cycle reads at its own instrument's address and fills
// only that instrument's image, and each instrument announces only its own cycles.
void TestPollCycle::twoInstrumentsKeepTheirOwnImages() {
    Instrument other;
    other.target().address = 9;
    Met1 otherPoll(other, *link);
    QSignalSpy mine(instrument.get(), &Instrument::cycleCompleted);
    QSignalSpy theirs(&other, &Instrument::cycleCompleted);
    link->inputRegisters[1] = 100;
    runCycle();
    link->inputRegisters[1] = 200;
    otherPoll.Timer1_Timer();
    link->completeAll();
    QCOMPARE(image().Val3X[0], 100.0f);
    QCOMPARE(other.image().Val3X[0], 200.0f);
    QCOMPARE(link->calls.at(7).slave, 9);
    QCOMPARE(mine.count(), 1);
    QCOMPARE(theirs.count(), 1);
}

QTEST_GUILESS_MAIN(TestPollCycle)
#include "test_poll_cycle.moc"
