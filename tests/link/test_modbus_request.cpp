// The parts of a link transaction that need no port: the response time out a line needs, the
// requests that are refused before the wire, and how an answer is checked and stored.
#include "link/modbus_request.h"

#include <QTest>

Q_DECLARE_METATYPE(LinkOp)
Q_DECLARE_METATYPE(QSerialPort::Parity)

class TestModbusRequest : public QObject {
    Q_OBJECT
private slots:
    void responseTimeOut_data();
    void responseTimeOut();
    void refusal_data();
    void refusal();
    void answerFit_data();
    void answerFit();
    void storedValues();
};

void TestModbusRequest::responseTimeOut_data() {
    QTest::addColumn<int>("baud");
    QTest::addColumn<QSerialPort::Parity>("parity");
    QTest::addColumn<int>("ms");
    // 52 characters (8-byte request, 37-byte answer, two 3.5-character gaps) of 10 bits, rounded
    // up, plus 150 ms for the instrument to turn round.
    QTest::newRow("4800 8N1") << 4800 << QSerialPort::NoParity << 259;
    QTest::newRow("9600 8N1") << 9600 << QSerialPort::NoParity << 205;
    QTest::newRow("19200 8N1") << 19200 << QSerialPort::NoParity << 178;
    // A parity bit makes 11 bits a character: 572 bits at 4800 baud.
    QTest::newRow("4800 8E1") << 4800 << QSerialPort::EvenParity << 270;
    QTest::newRow("9600 8O1") << 9600 << QSerialPort::OddParity << 210;
    QTest::newRow("no line speed: as a gateway")
        << 0 << QSerialPort::NoParity << kTcpResponseTimeoutMs;
}

void TestModbusRequest::responseTimeOut() {
    QFETCH(int, baud);
    QFETCH(QSerialPort::Parity, parity);
    QFETCH(int, ms);
    QCOMPARE(serial_response_timeout_ms(baud, parity), ms);
}

void TestModbusRequest::refusal_data() {
    QTest::addColumn<LinkOp>("op");
    QTest::addColumn<int>("slave");
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("count");
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QString>("refused"); // a word of the reason; empty: goes on the wire

    QTest::newRow("largest value") << LinkOp::Set_4X_D1 << 1 << 4097 << 1 << qint64(32767) << "";
    QTest::newRow("smallest value") << LinkOp::Set_4X_D1 << 1 << 4097 << 1 << qint64(-32768) << "";
    QTest::newRow("value one above")
        << LinkOp::Set_4X_D1 << 1 << 4097 << 1 << qint64(32768) << "value 32768";
    QTest::newRow("value one below")
        << LinkOp::Set_4X_D1 << 1 << 4097 << 1 << qint64(-32769) << "value -32769";
    QTest::newRow("value of a coil write is not a register's")
        << LinkOp::Set_0X_Bit1 << 1 << 7 << 1 << qint64(100000) << "";
    QTest::newRow("address 0 (broadcast)")
        << LinkOp::Get_3X_DX << 0 << 1 << 16 << qint64(0) << "address 0";
    QTest::newRow("address 247") << LinkOp::Get_3X_DX << 247 << 1 << 16 << qint64(0) << "";
    QTest::newRow("address 248") << LinkOp::Get_3X_DX << 248 << 1 << 16 << qint64(0)
                                 << "address 248";
    QTest::newRow("count 0") << LinkOp::Get_4X_DX << 1 << 1 << 0 << qint64(0) << "count 0";
    QTest::newRow("count 125") << LinkOp::Get_4X_DX << 1 << 1 << 125 << qint64(0) << "";
    QTest::newRow("count 126") << LinkOp::Get_4X_DX << 1 << 1 << 126 << qint64(0) << "count 126";
    QTest::newRow("register 0") << LinkOp::Get_4X_DX << 1 << 0 << 1 << qint64(0) << "number 0";
    QTest::newRow("last register") << LinkOp::Set_4X_D1 << 1 << 65536 << 1 << qint64(0) << "";
    QTest::newRow("block past the last register")
        << LinkOp::Get_4X_DX << 1 << 65530 << 16 << qint64(0) << "number 65530";
}

void TestModbusRequest::refusal() {
    QFETCH(LinkOp, op);
    QFETCH(int, slave);
    QFETCH(int, number);
    QFETCH(int, count);
    QFETCH(qint64, value);
    QFETCH(QString, refused);
    const QString why = refusal_of({op, 1, slave, number, count, value, {}});
    if (refused.isEmpty())
        QVERIFY2(why.isEmpty(), qPrintable(why));
    else
        QVERIFY2(why.contains(refused), qPrintable(why));
}

void TestModbusRequest::answerFit_data() {
    QTest::addColumn<LinkOp>("op");
    QTest::addColumn<int>("startAddress");
    QTest::addColumn<int>("values");
    QTest::addColumn<bool>("fits");
    QTest::newRow("as asked") << LinkOp::Get_3X_DX << 32 << 16 << true;
    QTest::newRow("short answer") << LinkOp::Get_3X_DX << 32 << 15 << false;
    QTest::newRow("another start") << LinkOp::Get_3X_DX << 33 << 16 << false;
    QTest::newRow("a write's echo is not checked") << LinkOp::Set_4X_D1 << 0 << 0 << true;
}

void TestModbusRequest::answerFit() {
    QFETCH(LinkOp, op);
    QFETCH(int, startAddress);
    QFETCH(int, values);
    QFETCH(bool, fits);
    const LinkRequest r{op, 1, 1, 33, 16, 0, {}}; // registers 33..48: protocol addresses 32..47
    const QModbusDataUnit answer(QModbusDataUnit::InputRegisters, startAddress, quint16(values));
    QCOMPARE(answer_mismatch(r, answer).isEmpty(), fits);
}

// Registers are signed 16-bit values; 16 bits land packed in one word, bit k = item first + k.
void TestModbusRequest::storedValues() {
    qint32 buffer[3] = {7, 7, 7};
    const LinkRequest block{LinkOp::Get_4X_DX, 1, 1, 4097, 2, 0, {}};
    store_answer(block, QModbusDataUnit(QModbusDataUnit::HoldingRegisters, 4096, {0xFFFF, 0x8000}),
                 buffer);
    QCOMPARE(buffer[0], -1);
    QCOMPARE(buffer[1], -32768);
    QCOMPARE(buffer[2], 7); // past the block: untouched

    QList<quint16> bits(16, 0);
    bits[0] = bits[15] = 1;
    const LinkRequest coils{LinkOp::Get_0X_B16, 1, 1, 1, 16, 0, {}};
    store_answer(coils, QModbusDataUnit(QModbusDataUnit::Coils, 0, bits), buffer);
    QCOMPARE(buffer[0], 0x8001);
}

QTEST_GUILESS_MAIN(TestModbusRequest)
#include "test_modbus_request.moc"
