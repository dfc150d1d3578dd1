// The Modbus link against a fake device on a pseudo terminal: exact request frames, decoding of
// answers, failures that leave buffers alone, ordering, and the quiet line after a time out.

#include "link/modbus_link.h"
#include "link_test_util.h"
#include "support/pty_device.h"

#include <QSignalSpy>
#include <QTest>
#include <memory>

class TestModbusLink : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void requestFramesAndAnswers_data();
    void requestFramesAndAnswers();
    void failedReadLeavesBuffer_data();
    void failedReadLeavesBuffer();
    void lateAnswerNotTakenForNext();
    void writesGoAheadOfQueuedReads();
    void outOfRangeValueNeverSent_data();
    void outOfRangeValueNeverSent();
    void callsWhileClosedFailLater();
    void destroyedContextIsNotTouched();
    void statusTellsOutcome();

private:
    std::unique_ptr<PtyDevice> device;
    std::unique_ptr<ModbusLink> link;
};

void TestModbusLink::init() {
    device = std::make_unique<PtyDevice>();
    QVERIFY(device->open());
    link = std::make_unique<ModbusLink>(PortTable({device->path()}));
    // Port 1 of the table, 9600 baud, no parity (a pty ignores parity).
    QCOMPARE(link->OpenPort_Modbus(1, 1, 0), 0);
    QVERIFY(link->status().open);
}

void TestModbusLink::cleanup() {
    link.reset();
    device.reset();
}

void TestModbusLink::requestFramesAndAnswers_data() {
    QTest::addColumn<LinkOp>("op");
    QTest::addColumn<int>("slave");
    QTest::addColumn<int>("number");
    QTest::addColumn<qint64>("arg");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("answer"); // without CRC; empty: the device echoes the request
    QTest::addColumn<QList<qint32>>("expected");

    // 01 04 0000 0010 F1C6: address 1, read input registers, protocol address 0, 16 registers.
    // Answer 01 04 20 + 16 registers: signed values, 0xFFFF is -1, 0x8000 is -32768.
    QTest::newRow("Get_3X_DX 1+16")
        << LinkOp::Get_3X_DX << 1 << 1 << qint64(16) << QByteArray::fromHex("010400000010F1C6")
        << QByteArray::fromHex("010420"
                               "0001FFFF80007FFF00FAFF060000000000000000000000000000000000000000")
        << QList<qint32>{1, -1, -32768, 32767, 250, -250, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    // 01 03 1000 0010 40C6: read holding registers from protocol address 0x1000 (= 4097 - 1).
    QTest::newRow("Get_4X_DX 4097+16")
        << LinkOp::Get_4X_DX << 1 << 4097 << qint64(16) << QByteArray::fromHex("01031000001040C6")
        << QByteArray::fromHex("010320"
                               "000A0014001E00280032003C00460050005A0064006E00780082008C0096FFF6")
        << QList<qint32>{10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120, 130, 140, 150, -10};
    // 05 04 0020 0002 7185: address 5, input registers 33 and 34; answer -2, 3.
    QTest::newRow("Get_3X_DX slave 5 33+2")
        << LinkOp::Get_3X_DX << 5 << 33 << qint64(2) << QByteArray::fromHex("0504002000027185")
        << QByteArray::fromHex("050404FFFE0003") << QList<qint32>{-2, 3};
    // 01 03 1000 0001 80CA: one holding register; 0x8001 is -32767.
    QTest::newRow("Get_4X_DX 4097+1")
        << LinkOp::Get_4X_DX << 1 << 4097 << qint64(1) << QByteArray::fromHex("01031000000180CA")
        << QByteArray::fromHex("0103028001") << QList<qint32>{-32767};
    // 01 02 0000 0010 79C6: 16 discrete inputs from input 1. Answer bytes 05 80: first byte holds
    // inputs 1..8 (low bit first): 1 and 3 on; second byte inputs 9..16: 16 on -> 0x8005.
    QTest::newRow("Get_1X_B16 1") << LinkOp::Get_1X_B16 << 1 << 1 << qint64(0)
                                  << QByteArray::fromHex("01020000001079C6")
                                  << QByteArray::fromHex("0102020580") << QList<qint32>{0x8005};
    // 01 01 0000 0010 3DC6: 16 coils from coil 1; coils 1..8 on, 9..16 off -> 0x00FF.
    QTest::newRow("Get_0X_B16 1") << LinkOp::Get_0X_B16 << 1 << 1 << qint64(0)
                                  << QByteArray::fromHex("0101000000103DC6")
                                  << QByteArray::fromHex("010102FF00") << QList<qint32>{0x00FF};
    // 01 06 1000 FFFF 8CBA: write single register 4097 = -1 (two's complement 0xFFFF).
    QTest::newRow("Set_4X_D1 4097 = -1")
        << LinkOp::Set_4X_D1 << 1 << 4097 << qint64(-1) << QByteArray::fromHex("01061000FFFF8CBA")
        << QByteArray() << QList<qint32>{};
    // 01 06 0001 7FFF B87A: register 2 = 32767, the largest value a register holds.
    QTest::newRow("Set_4X_D1 2 = 32767")
        << LinkOp::Set_4X_D1 << 1 << 2 << qint64(32767) << QByteArray::fromHex("010600017FFFB87A")
        << QByteArray() << QList<qint32>{};
    // 01 06 0FFF 8000 DB2E: register 4096 = -32768, the smallest.
    QTest::newRow("Set_4X_D1 4096 = -32768")
        << LinkOp::Set_4X_D1 << 1 << 4096 << qint64(-32768)
        << QByteArray::fromHex("01060FFF8000DB2E") << QByteArray() << QList<qint32>{};
    // 01 05 0006 FF00 6C3B: write single coil 7 on.
    QTest::newRow("Set_0X_Bit1 7")
        << LinkOp::Set_0X_Bit1 << 1 << 7 << qint64(0) << QByteArray::fromHex("01050006FF006C3B")
        << QByteArray() << QList<qint32>{};
    // 01 05 0002 0000 6C0A: write single coil 3 off.
    QTest::newRow("Rst_0X_Bit1 3")
        << LinkOp::Rst_0X_Bit1 << 1 << 3 << qint64(0) << QByteArray::fromHex("0105000200006C0A")
        << QByteArray() << QList<qint32>{};
}

void TestModbusLink::requestFramesAndAnswers() {
    QFETCH(LinkOp, op);
    QFETCH(int, slave);
    QFETCH(int, number);
    QFETCH(qint64, arg);
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, answer);
    QFETCH(QList<qint32>, expected);
    QCOMPARE(with_crc(request.chopped(2)), request); // the CRC written above is right

    device->setResponder([answer](PtyDevice& d, const QByteArray& req) {
        d.send(answer.isEmpty() ? req : with_crc(answer));
    });
    qint32 buffer[20];
    std::fill(std::begin(buffer), std::end(buffer), kUntouched);
    Completion c;
    link->submit(request_of(op, slave, number, arg), buffer, this, recorder(c));
    QTRY_VERIFY_WITH_TIMEOUT(c.called, 2000);
    QCOMPARE(c.result, 0);
    QCOMPARE(device->requests(), QList<QByteArray>{request});
    for (int k = 0; k < 20; ++k)
        QCOMPARE(buffer[k], k < expected.size() ? expected.at(k) : kUntouched);
}

void TestModbusLink::failedReadLeavesBuffer_data() {
    QTest::addColumn<QByteArray>("answer"); // complete frame; empty: no answer at all
    QTest::addColumn<QString>("words");

    // 01 84 02 + CRC: exception to function 04, code 2.
    QTest::newRow("exception") << with_crc(QByteArray::fromHex("018402"))
                               << "exception 2 (illegal data address)";
    // A good answer of two registers, its CRC's two bytes swapped.
    QByteArray bad = with_crc(QByteArray::fromHex("010404000A0014"));
    std::swap(bad[bad.size() - 1], bad[bad.size() - 2]);
    QTest::newRow("bad CRC") << bad << "CRC error";
    QTest::newRow("no answer") << QByteArray() << "time out";
    // One register where two were asked for.
    QTest::newRow("short answer") << with_crc(QByteArray::fromHex("010402000A")) << "does not fit";
}

void TestModbusLink::failedReadLeavesBuffer() {
    QFETCH(QByteArray, answer);
    QFETCH(QString, words);
    device->setResponder([answer](PtyDevice& d, const QByteArray&) {
        if (!answer.isEmpty())
            d.send(answer);
    });
    qint32 buffer[4] = {kUntouched, kUntouched, kUntouched, kUntouched};
    Completion c;
    link->Get_3X_DX(1, 1, 1, 2, buffer, this, recorder(c));
    QTRY_VERIFY_WITH_TIMEOUT(c.called, 3000);
    QCOMPARE(c.result, kLinkFailure);
    for (qint32 v : buffer)
        QCOMPARE(v, kUntouched);
    QCOMPARE(device->requests().size(), 1); // no retry inside the link
    QVERIFY2(link->status().lastMessage.contains(words), qPrintable(link->status().lastMessage));
}

// The first answer comes after the time out; the device takes 60 ms for each answer. Sent
// straight after the time out, the second request would be handed the late first answer.
void TestModbusLink::lateAnswerNotTakenForNext() {
    const int late = link->responseTimeoutMs() + 40;
    device->setResponder([late](PtyDevice& d, const QByteArray&) {
        if (d.requests().size() == 1)
            d.send(with_crc(QByteArray::fromHex("0104021111")), late); // 0x1111, too late
        else
            d.send(with_crc(QByteArray::fromHex("0104022222")), 60); // 0x2222
    });
    qint32 first = kUntouched, second = kUntouched;
    Completion a, b;
    link->Get_3X_DX(1, 1, 1, 1, &first, this, recorder(a));
    link->Get_3X_DX(1, 1, 1, 1, &second, this, recorder(b));
    QTRY_VERIFY_WITH_TIMEOUT(b.called, 3000);
    QCOMPARE(a.result, kLinkFailure);
    QCOMPARE(first, kUntouched);
    QCOMPARE(b.result, 0);
    QCOMPARE(second, 0x2222);
    QCOMPARE(device->overlaps(), 0); // the second request waited until the late answer was out
}

// One at a time; writes keep their order and go ahead of the reads queued before them, which keep
// theirs.
void TestModbusLink::writesGoAheadOfQueuedReads() {
    device->setResponder([](PtyDevice& d, const QByteArray& req) {
        const int function = req.at(1);
        if (function == 4)
            d.send(with_crc(QByteArray::fromHex("01040400070000")), 15); // 7, 0
        else
            d.send(req, 15); // a write's answer echoes it
    });
    QList<int> finished;
    qint32 buffer[2] = {kUntouched, kUntouched};
    link->Get_3X_DX(1, 1, 1, 2, buffer, this, [&](int r) { finished << (r == 0 ? 0 : -1); });
    link->Set_4X_D1(1, 1, 4097, 250, this, [&](int r) { finished << (r == 0 ? 1 : -1); });
    link->Get_3X_DX(1, 1, 1, 2, buffer, this, [&](int r) { finished << (r == 0 ? 2 : -1); });
    link->Set_0X_Bit1(1, 1, 1, this, [&](int r) { finished << (r == 0 ? 3 : -1); });
    link->Rst_0X_Bit1(1, 1, 2, this, [&](int r) { finished << (r == 0 ? 4 : -1); });
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 5, 3000);
    QCOMPARE(finished, (QList<int>{1, 3, 4, 0, 2}));
    const QList<QByteArray> expected = {
        QByteArray::fromHex("0106100000FA0D49"), // register 4097 = 250
        QByteArray::fromHex("01050000FF008C3A"), // coil 1 on
        QByteArray::fromHex("0105000100009C0A"), // coil 2 off
        QByteArray::fromHex("01040000000271CB"), // read input registers 1..2
        QByteArray::fromHex("01040000000271CB"),
    };
    QCOMPARE(device->requests(), expected);
    QCOMPARE(device->overlaps(), 0);
    QCOMPARE(buffer[0], 7);
}

void TestModbusLink::outOfRangeValueNeverSent_data() {
    QTest::addColumn<qint64>("value");
    QTest::newRow("32768") << qint64(32768);
    QTest::newRow("-32769") << qint64(-32769);
    QTest::newRow("65535") << qint64(65535);
    QTest::newRow("1e10") << qint64(10000000000LL);
}

void TestModbusLink::outOfRangeValueNeverSent() {
    QFETCH(qint64, value);
    Completion c;
    link->Set_4X_D1(1, 1, 4097, value, this, recorder(c));
    QVERIFY(!c.called); // never from inside the call
    QTRY_VERIFY_WITH_TIMEOUT(c.called, 1000);
    QCOMPARE(c.result, kLinkFailure);
    const QString words = link->status().lastMessage;
    QVERIFY2(words.contains(QStringLiteral("outside -32768..32767")), qPrintable(words));
    QVERIFY2(words.contains(QString::number(value)), qPrintable(words));
    // A read queued behind it is what reaches the wire first.
    device->setResponder([](PtyDevice& d, const QByteArray&) {
        d.send(with_crc(QByteArray::fromHex("0104020001")));
    });
    qint32 v = kUntouched;
    Completion read;
    link->Get_3X_DX(1, 1, 1, 1, &v, this, recorder(read));
    QTRY_VERIFY_WITH_TIMEOUT(read.called, 2000);
    QCOMPARE(device->requests(), QList<QByteArray>{QByteArray::fromHex("01040000000131CA")});
}

void TestModbusLink::callsWhileClosedFailLater() {
    ModbusLink closed(PortTable({device->path()}));
    qint32 v = kUntouched;
    Completion read, write;
    closed.Get_4X_DX(1, 1, 1, 1, &v, this, recorder(read));
    closed.Set_4X_D1(1, 1, 1, 5, this, recorder(write));
    QVERIFY(!read.called && !write.called);
    QTRY_VERIFY_WITH_TIMEOUT(write.called, 1000);
    QCOMPARE(read.result, kLinkFailure);
    QCOMPARE(write.result, kLinkFailure);
    QCOMPARE(v, kUntouched);
    QVERIFY(closed.status().lastMessage.contains(QStringLiteral("port not open")));

    // And on the open link once the operator closed it: nothing on the wire.
    link->ClosePort_Modbus(1);
    Completion after;
    link->Set_0X_Bit1(1, 1, 1, this, recorder(after));
    QVERIFY(!after.called);
    QTRY_VERIFY_WITH_TIMEOUT(after.called, 1000);
    QCOMPARE(after.result, kLinkFailure);
    QVERIFY(device->receivedBytes().isEmpty());
}

void TestModbusLink::destroyedContextIsNotTouched() {
    device->setResponder([](PtyDevice& d, const QByteArray&) {
        d.send(with_crc(QByteArray::fromHex("0104020063")), 30); // 99
    });
    auto* form = new QObject;
    qint32 v = kUntouched;
    Completion gone;
    // The screen closes while its read is on the wire.
    connect(device.get(), &PtyDevice::requestReceived, form, [form] { delete form; });
    link->Get_3X_DX(1, 1, 1, 1, &v, form, recorder(gone));
    QTRY_COMPARE_WITH_TIMEOUT(device->requests().size(), 1, 1000);
    qint32 w = kUntouched;
    Completion next;
    link->Get_3X_DX(1, 1, 1, 1, &w, this, recorder(next));
    QTRY_VERIFY_WITH_TIMEOUT(next.called, 2000);
    QCOMPARE(next.result, 0);
    QCOMPARE(w, 99);
    QVERIFY(!gone.called);
    QCOMPARE(v, kUntouched);
}

void TestModbusLink::statusTellsOutcome() {
    LinkStatus s = link->status();
    QVERIFY(s.open && s.wanted && !s.reconnecting);
    QCOMPARE(s.device, device->path());
    QCOMPARE(s.settings, QStringLiteral("9600 8N1"));
    QVERIFY(!s.anyTransaction);

    bool fail = false;
    device->setResponder([&fail](PtyDevice& d, const QByteArray&) {
        d.send(with_crc(QByteArray::fromHex(fail ? "018406" : "0104020001")));
    });
    QSignalSpy changed(link.get(), &InstrumentLink::statusChanged);
    qint32 v = 0;
    Completion c1;
    link->Get_3X_DX(1, 1, 1, 1, &v, this, recorder(c1));
    QTRY_VERIFY_WITH_TIMEOUT(c1.called, 2000);
    s = link->status();
    QCOMPARE(s.settings, QStringLiteral("9600 8N1, address 1"));
    QVERIFY(s.anyTransaction && s.lastOk);
    QCOMPARE(s.good, quint64(1));

    changed.clear();
    fail = true;
    Completion c2;
    link->Get_3X_DX(1, 1, 1, 1, &v, this, recorder(c2));
    QTRY_VERIFY_WITH_TIMEOUT(c2.called, 2000);
    QCOMPARE(changed.size(), 1); // one transaction, one change
    s = link->status();
    QVERIFY(!s.lastOk);
    QCOMPARE(s.failed, quint64(1));
    QVERIFY2(s.lastMessage.contains(QStringLiteral("exception 6 (server device busy)")),
             qPrintable(s.lastMessage));

    // Reopening starts the counts afresh.
    QCOMPARE(link->OpenPort_Modbus(1, 2, 0), 0);
    s = link->status();
    QCOMPARE(s.settings, QStringLiteral("19200 8N1"));
    QCOMPARE(s.good + s.failed, quint64(0));
}

QTEST_GUILESS_MAIN(TestModbusLink)
#include "test_modbus_link.moc"
