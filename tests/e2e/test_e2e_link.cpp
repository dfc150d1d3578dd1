// The real Modbus link against the simulated instrument on a pseudo terminal: every operation the
// console uses round-trips with real frames, refusals stay off the wire, and a dead link costs
// time outs, not a frozen event loop.
#include "link/instrument.h"
#include "link/modbus_link.h"
#include "link/poll_form.h"
#include "support/sim_process.h"

#include <QEventLoop>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <array>
#include <optional>

namespace {
constexpr int kPort = 1;
constexpr int kSlave = 1;

// Runs one link call to completion on the event loop, bounded.
struct Outcome {
    bool finished = false;
    int result = 0;
};

template <class Call> Outcome run(Call call, int timeoutMs = 3000) {
    // A real event loop, not QTest::qWait (which sleeps in 10 ms steps and would hide lateness).
    Outcome o;
    QObject context;
    QEventLoop loop;
    call(&context, [&o, &loop](int r) {
        o.finished = true;
        o.result = r;
        loop.quit();
    });
    if (!o.finished) {
        QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return o;
}

QList<QJsonObject> read_write_log(const QString& path) {
    QList<QJsonObject> out;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return out;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (!line.trimmed().isEmpty())
            out << QJsonDocument::fromJson(line).object();
    return out;
}
} // namespace

class TestE2eLink : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void blockReadsRoundTrip_data();
    void blockReadsRoundTrip();
    void registerWriteRoundTrips();
    void coilWritesRoundTrip();
    void outOfRangeWriteNeverReachesTheInstrument();
    void exceptionResponseIsAFailure();
    void pollCycleFillsTheImage();
    void deadLinkCostsTimeOutsNotTheEventLoop();

private:
    void open();
    std::unique_ptr<SimProcess> sim;
    std::unique_ptr<ModbusLink> link;
};

void TestE2eLink::init() {
    sim = std::make_unique<SimProcess>();
}

void TestE2eLink::cleanup() {
    link.reset();
    sim.reset();
}

void TestE2eLink::open() {
    QVERIFY2(sim->start({QStringLiteral("--seed"), QStringLiteral("7"),
                         QStringLiteral("--write-log"), sim->writeLogPath()}),
             qPrintable(sim->error()));
    link = std::make_unique<ModbusLink>(PortTable{});
    QCOMPARE(link->OpenPort_Modbus(kPort, 1, 0, sim->ptyPath()), 0);
    QTRY_VERIFY_WITH_TIMEOUT(link->status().open, 3000);
}

void TestE2eLink::blockReadsRoundTrip_data() {
    QTest::addColumn<bool>("holding");
    QTest::addColumn<int>("first");
    QTest::newRow("input 1..16") << false << 1;
    QTest::newRow("input 33..48") << false << 33;
    QTest::newRow("input 4097..4112") << false << 4097;
    QTest::newRow("holding 1..16") << true << 1;
    QTest::newRow("holding 257..272") << true << 257;
    QTest::newRow("holding 4097..4112") << true << 4097;
    QTest::newRow("holding 4177..4192 reaches past 4184") << true << 4169;
    QTest::newRow("holding 4353..4368") << true << 4353;
    QTest::newRow("holding 5121..5136") << true << 5121;
    QTest::newRow("holding 8193..8208") << true << 8193;
}

void TestE2eLink::blockReadsRoundTrip() {
    QFETCH(bool, holding);
    QFETCH(int, first);
    open();
    std::array<qint32, 16> buf;
    buf.fill(-77777); // no register can hold this: every slot must be overwritten
    const Outcome o = run([&](QObject* ctx, LinkDone done) {
        if (holding)
            link->Get_4X_DX(kPort, kSlave, first, 16, buf.data(), ctx, done);
        else
            link->Get_3X_DX(kPort, kSlave, first, 16, buf.data(), ctx, done);
    });
    QVERIFY(o.finished);
    QCOMPARE(o.result, 0);
    for (qint32 v : buf)
        QVERIFY(v >= -32768 && v <= 32767);
}

void TestE2eLink::registerWriteRoundTrips() {
    open();
    for (const int value : {700, -5, 32767, -32768}) {
        const Outcome w = run([&](QObject* ctx, LinkDone done) {
            link->Set_4X_D1(kPort, kSlave, 3, value, ctx, done);
        });
        QCOMPARE(w.result, 0);
        std::array<qint32, 16> buf{};
        QCOMPARE(run([&](QObject* ctx, LinkDone done) {
                     link->Get_4X_DX(kPort, kSlave, 1, 16, buf.data(), ctx, done);
                 }).result,
                 0);
        QCOMPARE(buf[2], value);
    }
    const auto log = read_write_log(sim->writeLogPath());
    QCOMPARE(log.size(), 4);
    QCOMPARE(log.at(0).value(QStringLiteral("fc")).toInt(), 6);
    QCOMPARE(log.at(0).value(QStringLiteral("register")).toInt(), 3);
    QCOMPARE(log.at(0).value(QStringLiteral("value")).toInt(), 700);
    QCOMPARE(log.at(3).value(QStringLiteral("value")).toInt(), -32768);
}

void TestE2eLink::coilWritesRoundTrip() {
    open();
    auto coils = [&] {
        std::array<qint32, 8> word{};
        const Outcome o = run([&](QObject* ctx, LinkDone done) {
            link->Get_0X_B16(kPort, kSlave, 1, word.data(), ctx, done);
        });
        return o.result == 0 ? std::optional<qint32>(word[0]) : std::nullopt;
    };
    const auto before = coils();
    QVERIFY(before.has_value());
    QCOMPARE(run([&](QObject* ctx, LinkDone done) {
                 link->Set_0X_Bit1(kPort, kSlave, 7, ctx, done);
             }).result,
             0);
    QCOMPARE(*coils() & 0x40, 0x40);
    QCOMPARE(run([&](QObject* ctx, LinkDone done) {
                 link->Rst_0X_Bit1(kPort, kSlave, 7, ctx, done);
             }).result,
             0);
    QCOMPARE(*coils() & 0x40, 0);
    std::array<qint32, 8> inputs{};
    QCOMPARE(run([&](QObject* ctx, LinkDone done) {
                 link->Get_1X_B16(kPort, kSlave, 1, inputs.data(), ctx, done);
             }).result,
             0);
    QVERIFY(inputs[0] >= 0 && inputs[0] <= 0xFFFF);
    const auto log = read_write_log(sim->writeLogPath());
    QCOMPARE(log.size(), 2);
    QCOMPARE(log.at(0).value(QStringLiteral("fc")).toInt(), 5);
    QCOMPARE(log.at(0).value(QStringLiteral("coil")).toInt(), 7);
}

void TestE2eLink::outOfRangeWriteNeverReachesTheInstrument() {
    open();
    for (const qint64 value : {32768LL, -32769LL, 100000LL}) {
        const Outcome o = run([&](QObject* ctx, LinkDone done) {
            link->Set_4X_D1(kPort, kSlave, 3, value, ctx, done);
        });
        QVERIFY(o.finished);
        QCOMPARE(o.result, kLinkFailure);
    }
    QVERIFY(read_write_log(sim->writeLogPath()).isEmpty());
    QVERIFY(!link->status().lastMessage.isEmpty());
}

void TestE2eLink::exceptionResponseIsAFailure() {
    QVERIFY(sim->start({QStringLiteral("--exception"), QStringLiteral("2:4353-4368")}));
    link = std::make_unique<ModbusLink>(PortTable{});
    QCOMPARE(link->OpenPort_Modbus(kPort, 1, 0, sim->ptyPath()), 0);
    std::array<qint32, 16> buf;
    buf.fill(4242);
    const Outcome o = run([&](QObject* ctx, LinkDone done) {
        link->Get_4X_DX(kPort, kSlave, 4353, 16, buf.data(), ctx, done);
    });
    QCOMPARE(o.result, kLinkFailure);
    for (qint32 v : buf)
        QCOMPARE(v, 4242); // the buffer is left exactly as it was
    std::array<qint32, 16> ok{};
    QCOMPARE(run([&](QObject* ctx, LinkDone done) {
                 link->Get_4X_DX(kPort, kSlave, 1, 16, ok.data(), ctx, done);
             }).result,
             0);
}

void TestE2eLink::pollCycleFillsTheImage() {
    open();
    Instrument instrument;
    instrument.target().port = kPort;
    instrument.target().address = kSlave;
    const RegisterImage& image = instrument.image();
    Met1 poll(instrument, *link);
    QSignalSpy cycles(&poll, &Met1::cycleFinished);
    poll.Timer1_Timer();
    QVERIFY(cycles.wait(3000));
    QCOMPARE(link->status().failed, 0u);
    QCOMPARE(link->status().good, 7u);
    QVERIFY(image.Val3X[0] > 0); // the furnace is warmer than absolute zero
    QCOMPARE(image.Val3X[1], float(image.Raw3X[1] / 10.0)); // output in tenths
    QCOMPARE(image.Val4X[2], float(image.Raw4X[2]));        // set value 1 as held
    QVERIFY(image.Val4X4353[0] > 0);                        // a proportional band is configured
}

void TestE2eLink::deadLinkCostsTimeOutsNotTheEventLoop() {
    // The instrument takes every request and answers none: each call waits out its time out.
    QVERIFY(sim->start({QStringLiteral("--no-answer"), QStringLiteral("1")}));
    link = std::make_unique<ModbusLink>(PortTable{});
    QCOMPARE(link->OpenPort_Modbus(kPort, 1, 0, sim->ptyPath()), 0);
    // The event loop keeps turning while the write waits (how late a timer runs meanwhile is
    // bench_poll's dead-link figure).
    int ticks = 0;
    QTimer ticker;
    ticker.setInterval(10);
    connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start();
    const Outcome o = run(
        [&](QObject* ctx, LinkDone done) { link->Set_4X_D1(kPort, kSlave, 3, 500, ctx, done); });
    ticker.stop();
    QVERIFY(o.finished);
    QCOMPARE(o.result, kLinkFailure);
    QVERIFY(ticks > 0);
}

QTEST_GUILESS_MAIN(TestE2eLink)
#include "test_e2e_link.moc"
