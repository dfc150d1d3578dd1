// The Modbus link when things go away: a device node that vanishes and comes back, the operator
// closing while the link retries, a dead line with the event loop kept running, and Modbus TCP
// kept to one request at a time.

#include "link/modbus_link.h"
#include "link_test_util.h"
#include "support/pty_device.h"

#include <QDir>
#include <QModbusTcpServer>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {
// Descriptors of this process open on `path`.
int descriptors_on(const QString& path) {
    int n = 0;
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QFileInfo& fd : fds.entryInfoList(QDir::System | QDir::NoDotAndDotDot))
        n += fd.symLinkTarget() == path;
    return n;
}

// Counts the link's open -> closed transitions.
struct OpenWatch {
    int closings = 0;
    bool wasOpen = false;
};

// A Modbus TCP server that notes, for each request, how many of the link's transactions had
// completed when it arrived.
class CountingServer : public QModbusTcpServer {
public:
    const int* completed = nullptr;
    QList<int> completedAtRequest;

protected:
    QModbusResponse processRequest(const QModbusPdu& request) override {
        completedAtRequest << *completed;
        return QModbusTcpServer::processRequest(request);
    }
};
} // namespace

class TestLinkRecovery : public QObject {
    Q_OBJECT
private slots:
    void vanishedDeviceIsClosedOnceAndReopened();
    void closePortStopsReconnecting();
    void deadLinkKeepsEventLoopRunning();
    void tcpRequestsRunOneAtATime();
    void tcpGatewayLostAndBack();
    void destructorClosesDevice();
};

void TestLinkRecovery::vanishedDeviceIsClosedOnceAndReopened() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ttyMT"));
    PtyDevice device;
    QVERIFY(device.open(path));
    ModbusLink link;
    QCOMPARE(link.OpenPort_Modbus(1, 1, 0, path), 0);
    OpenWatch watch{0, true};
    connect(&link, &InstrumentLink::statusChanged, this, [&] {
        if (watch.wasOpen && !link.status().open)
            ++watch.closings;
        watch.wasOpen = link.status().open;
    });

    qint32 v = kUntouched;
    Completion pending;
    link.Get_3X_DX(1, 1, 1, 1, &v, this, recorder(pending)); // never answered
    QTRY_COMPARE_WITH_TIMEOUT(device.requests().size(), 1, 1000);
    device.close(); // the adapter is pulled
    QTRY_VERIFY_WITH_TIMEOUT(pending.called, 1000);
    QCOMPARE(pending.result, kLinkFailure);
    QCOMPARE(v, kUntouched);

    // Past the first reopening attempt: still one closing, attempts failing quietly while the
    // node is gone (what the loss costs in CPU is bench_link's figure).
    QTest::qWait(ModbusLink::kFirstRetryMs * 3);
    QCOMPARE(watch.closings, 1);
    LinkStatus s = link.status();
    QVERIFY(!s.open && s.wanted && s.reconnecting && s.everOpen);
    QVERIFY(s.reconnectDelayMs >= ModbusLink::kFirstRetryMs);
    // The newest word is of the loss or of a reopening attempt that found no device.
    QVERIFY2(s.lastMessage.contains(QStringLiteral("device lost")) ||
                 s.problem == PortProblem::NotFound,
             qPrintable(s.lastMessage));

    // Calls meanwhile fail from the event loop.
    Completion meanwhile;
    link.Get_3X_DX(1, 1, 1, 1, &v, this, recorder(meanwhile));
    QVERIFY(!meanwhile.called);
    QTRY_VERIFY_WITH_TIMEOUT(meanwhile.called, 1000);
    QCOMPARE(meanwhile.result, kLinkFailure);

    // The adapter comes back at the same path: the link reopens by itself and works.
    PtyDevice again;
    QVERIFY(again.open(path));
    again.setResponder([](PtyDevice& d, const QByteArray&) {
        d.send(with_crc(QByteArray::fromHex("010402002A"))); // 42
    });
    QTRY_VERIFY_WITH_TIMEOUT(link.status().open, ModbusLink::kMaxRetryMs + 2000);
    QVERIFY(!link.status().reconnecting);
    QCOMPARE(link.status().problem, PortProblem::None);
    Completion back;
    link.Get_3X_DX(1, 1, 1, 1, &v, this, recorder(back));
    QTRY_VERIFY_WITH_TIMEOUT(back.called, 2000);
    QCOMPARE(back.result, 0);
    QCOMPARE(v, 42);
}

void TestLinkRecovery::closePortStopsReconnecting() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ttyMT"));
    PtyDevice device;
    QVERIFY(device.open(path));
    ModbusLink link;
    QCOMPARE(link.OpenPort_Modbus(1, 1, 0, path), 0);
    device.close();
    QTRY_VERIFY_WITH_TIMEOUT(link.status().reconnecting, 2000);

    link.ClosePort_Modbus(1);
    const LinkStatus s = link.status();
    QVERIFY(!s.open && !s.wanted && !s.reconnecting);
    PtyDevice again;
    QVERIFY(again.open(path));
    QTest::qWait(ModbusLink::kFirstRetryMs * 3); // past the attempt that was due
    QVERIFY(!link.status().open);
    QVERIFY(again.receivedBytes().isEmpty());
}

// A write to an instrument that never answers fails, and a 10 ms timer keeps firing while it is
// pending: the wait is the event loop's, not a block (how late the timer runs is bench_poll's
// dead-link figure).
void TestLinkRecovery::deadLinkKeepsEventLoopRunning() {
    PtyDevice device;
    QVERIFY(device.open());
    ModbusLink link;
    QCOMPARE(link.OpenPort_Modbus(1, 1, 0, device.path()), 0);

    int ticksWhilePending = 0;
    Completion write;
    QTimer ticker;
    ticker.setInterval(10);
    connect(&ticker, &QTimer::timeout, this, [&] { ticksWhilePending += !write.called; });
    ticker.start();
    link.Set_4X_D1(1, 1, 4097, 300, this, recorder(write));
    QTRY_VERIFY_WITH_TIMEOUT(write.called, 3000);
    ticker.stop();
    QCOMPARE(write.result, kLinkFailure);
    QVERIFY2(ticksWhilePending > 0, "the event loop stood still while the write was pending");
    QVERIFY(link.status().lastMessage.contains(QStringLiteral("time")));
}

void TestLinkRecovery::tcpRequestsRunOneAtATime() {
    int completed = 0;
    CountingServer server;
    server.completed = &completed;
    QModbusDataUnitMap map;
    map.insert(QModbusDataUnit::HoldingRegisters, {QModbusDataUnit::HoldingRegisters, 0, 10});
    server.setMap(map);
    server.setServerAddress(1);
    for (int k = 0; k < 5; ++k)
        server.setData(QModbusDataUnit::HoldingRegisters, quint16(k), quint16(100 + k));
    server.setConnectionParameter(QModbusDevice::NetworkAddressParameter, "127.0.0.1");
    server.setConnectionParameter(QModbusDevice::NetworkPortParameter, 0);
    QVERIFY(server.connectDevice());
    auto* listener = server.findChild<QTcpServer*>();
    QVERIFY(listener && listener->isListening());
    const QString target = QStringLiteral("127.0.0.1:%1").arg(listener->serverPort());

    ModbusLink link;
    QCOMPARE(link.OpenPort_Modbus(1, 1, 0, target), 0);
    qint32 values[5];
    std::fill(std::begin(values), std::end(values), kUntouched);
    QList<int> results;
    for (int k = 0; k < 5; ++k)
        link.Get_4X_DX(1, 1, k + 1, 1, &values[k], this, [&](int r) {
            results << r;
            ++completed;
        });
    QTRY_COMPARE_WITH_TIMEOUT(results.size(), 5, 3000);
    QCOMPARE(results, (QList<int>{0, 0, 0, 0, 0}));
    QCOMPARE(server.completedAtRequest, (QList<int>{0, 1, 2, 3, 4}));
    for (int k = 0; k < 5; ++k)
        QCOMPARE(values[k], 100 + k);
    QCOMPARE(link.status().settings, QStringLiteral("Modbus TCP, address 1"));
}

void TestLinkRecovery::tcpGatewayLostAndBack() {
    QModbusTcpServer server;
    QModbusDataUnitMap map;
    map.insert(QModbusDataUnit::InputRegisters, {QModbusDataUnit::InputRegisters, 0, 4});
    server.setMap(map);
    server.setServerAddress(1);
    server.setData(QModbusDataUnit::InputRegisters, 0, 77);
    server.setConnectionParameter(QModbusDevice::NetworkAddressParameter, "127.0.0.1");
    server.setConnectionParameter(QModbusDevice::NetworkPortParameter, 0);
    QVERIFY(server.connectDevice());
    const quint16 port = server.findChild<QTcpServer*>()->serverPort();
    ModbusLink link;
    QCOMPARE(link.OpenPort_Modbus(1, 1, 0, QStringLiteral("127.0.0.1:%1").arg(port)), 0);
    QTRY_VERIFY_WITH_TIMEOUT(link.status().open, 2000);

    server.disconnectDevice(); // the gateway goes away
    QTRY_VERIFY_WITH_TIMEOUT(link.status().reconnecting, 2000);
    QVERIFY(!link.status().open);
    server.setConnectionParameter(QModbusDevice::NetworkPortParameter, port);
    QVERIFY(server.connectDevice());
    QTRY_VERIFY_WITH_TIMEOUT(link.status().open, ModbusLink::kMaxRetryMs + 2000);
    qint32 v = kUntouched;
    Completion c;
    link.Get_3X_DX(1, 1, 1, 1, &v, this, recorder(c));
    QTRY_VERIFY_WITH_TIMEOUT(c.called, 2000);
    QCOMPARE(c.result, 0);
    QCOMPARE(v, 77);
}

void TestLinkRecovery::destructorClosesDevice() {
    PtyDevice device;
    QVERIFY(device.open());
    const int before = descriptors_on(device.slavePath());
    {
        ModbusLink link;
        QCOMPARE(link.OpenPort_Modbus(1, 1, 0, device.path()), 0);
        QCOMPARE(descriptors_on(device.slavePath()), before + 1);
        qint32 v = 0;
        link.Get_3X_DX(1, 1, 1, 1, &v, this, [](int) {}); // still pending when the link goes
        QTRY_COMPARE_WITH_TIMEOUT(device.requests().size(), 1, 1000);
    }
    QCOMPARE(descriptors_on(device.slavePath()), before);
}

QTEST_GUILESS_MAIN(TestLinkRecovery)
#include "test_link_recovery.moc"
